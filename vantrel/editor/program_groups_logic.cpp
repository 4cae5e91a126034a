#include "vantrel/editor/program_groups_logic.h"

#include <algorithm>
#include <utility>

#include "common/text.h"
#include "vantrel/editor/program_groups_tree.h"
#include "vantrel/editor/save_program_groups.h"
#include "vantrel/text/language_files.h"
#include "vantrel/tree/delay_text.h"

namespace vantrel {

namespace {

using NodeId = TreeModel::NodeId;

// MB_DEFBUTTON2: "No" is the answer Enter gives.
constexpr std::uint32_t kMbDefButton2 = 0x100;

constexpr std::string_view kCommandForNewPrograms = kCommandExecute;

bool IsExistingFile(Platform& platform, const std::string& path) {
  const std::uint32_t attributes = platform.GetFileAttributes(path);
  return attributes != kInvalidFileAttributes && (attributes & kFileAttributeDirectory) == 0;
}

bool ContainsIgnoreCase(std::string_view text, std::string_view part) {
  return ToLowerAscii(text).find(ToLowerAscii(part)) != std::string::npos;
}

// "0" in the delay field. (Assigned as a character: GCC 12 at -O3 warns
// wrongly about overlapping copies for a short literal here.)
void ShowNoDelay(std::string& delay) {
  delay.assign(1, '0');
}

float DelayOrZero(std::string_view text) {
  return ParseDelayText(text).value_or(0.0f);
}

struct ProblemText {
  std::size_t caption;
  const char* english;
};

ProblemText TextFor(TextProblem problem) {
  switch (problem) {
  case TextProblem::kQuoteInParameters:
    return {properties_caption::kQuoteInParameters,
            "Parameters cannot contain a double quote (\"): the program groups file could not "
            "read them back. Please remove it."};
  case TextProblem::kUnderscoreInGroupName:
    return {properties_caption::kUnderscoreInGroupName,
            "A group name cannot contain an underscore (_): the program groups file stores "
            "blanks as underscores, so the name would come back with a blank instead. Please "
            "use a blank."};
  case TextProblem::kBadCharInRegistryName:
    return {properties_caption::kBadRegistryName,
            "A registry name cannot contain a double quote, a comma or \")\": the program groups "
            "file could not read it back."};
  case TextProblem::kNone:
  case TextProblem::kNotCarried:
    break;
  }
  return {properties_caption::kNotCarried,
          "The program groups file cannot hold this text as it is: it would read back "
          "differently. Please remove tab characters and \"}\", and do not call a group "
          "\"Root\"."};
}

} // namespace

bool IsEditorDelayKey(int characterCode) {
  return (characterCode >= '0' && characterCode <= '9') || characterCode == '.' ||
         characterCode == 8;
}

ProgramGroupsEditor::ProgramGroupsEditor(AppContext& context)
    : context_(context), store_(context.NewDelayLoad()) {
  ShowNoDelay(fields_.Delay);
}

void ProgramGroupsEditor::Load() {
  captions_ = WindowCaptions(context_, caption_file::kProperties);
  RefreshGroupList();
}

std::string ProgramGroupsEditor::AddButtonCaption() const {
  return fields_.AddNewSelected ? ButtonCaption(context_, button::kAddNew, "&Add")
                                : ButtonCaption(context_, button::kSaveEdit, "&Update");
}

EditorFocus ProgramGroupsEditor::TakeFocusRequest() {
  return std::exchange(focus_, EditorFocus::kNone);
}

void ProgramGroupsEditor::RefreshGroupList() {
  selected_ = TreeModel::kNoNode;
  CDelayLoad store = context_.NewDelayLoad();
  store.SetBoundTreeView(&tree_);
  tree_.Clear();
  // A missing file is created with the defaults but leaves the tree
  // alone; reading the new file fills it.
  if (store.LoadItems() && tree_.Count() == 0)
    store.LoadItems();
  fields_.GroupList.clear();
  for (const ProgramGroup& group : context_.Store.ProgramGroups) {
    if (!group.Name.empty())
      fields_.GroupList.push_back(group.Name);
  }
  if (!tree_.Roots().empty())
    tree_.At(tree_.Roots().front()).expanded = true;
  ++treeRevision_;
}

void ProgramGroupsEditor::NodeClicked(NodeId node) {
  selected_ = tree_.Contains(node) ? node : TreeModel::kNoNode;
  ClickTV();
}

void ProgramGroupsEditor::ClickTV() {
  const GroupNodeKind kind = KindOfGroupNode(tree_, selected_);
  if (kind == GroupNodeKind::kNone)
    return;
  if (kind == GroupNodeKind::kRoot) {
    fields_.RemoveEnabled = false;
    ForgetRemembered();
    return;
  }
  fields_.RemoveEnabled = true;
  const GroupNodeTexts texts = TextsOfGroupNode(tree_, selected_);
  fields_.GroupName = texts.group;
  if (kind == GroupNodeKind::kGroup) {
    fields_.Path.clear();
    fields_.Parameters.clear();
    if (texts.group == kStartupGroupName)
      fields_.RemoveEnabled = false;
  } else {
    fields_.Path = texts.path;
    fields_.Parameters = texts.parameters;
    fields_.Delay = texts.delay;
  }
  // Nothing of the Startup group is removed here; the main window puts its
  // items back. A name merely containing the word counts too.
  if (ContainsIgnoreCase(NodeFullPath(tree_, selected_), kStartupGroupName))
    fields_.RemoveEnabled = false;

  remembered_.Group = fields_.GroupName;
  remembered_.Path = fields_.Path;
  remembered_.Delay = DelayOrZero(fields_.Delay);
  remembered_.Parameters = fields_.Parameters;
  KeepButtonsConsistent(Change::kGroupName);
}

bool ProgramGroupsEditor::ShowItem(std::string_view itemText) {
  NodeId node = FindPropertiesNode(tree_, itemText);
  const bool found = node != TreeModel::kNoNode;
  if (!found && !tree_.Roots().empty())
    node = tree_.Roots().front();
  NodeClicked(node);
  return found;
}

void ProgramGroupsEditor::GroupNameChanged() {
  KeepButtonsConsistent(Change::kGroupName);
}

void ProgramGroupsEditor::GroupChosen(const std::string& item) {
  remembered_.Group = item;
  fields_.GroupName = item;
  KeepButtonsConsistent(Change::kGroupName);
}

void ProgramGroupsEditor::PathChanged() {
  KeepButtonsConsistent(Change::kPath);
}

void ProgramGroupsEditor::ModeChosen(bool addNew) {
  fields_.AddNewSelected = addNew && fields_.AddNewEnabled;
}

bool ProgramGroupsEditor::GroupNodeExists(std::string_view name) const {
  return FindGroupNode(tree_, name) != TreeModel::kNoNode;
}

void ProgramGroupsEditor::KeepButtonsConsistent(Change change) {
  const std::string& name = fields_.GroupName;
  const bool isStartup = name == kStartupGroupName;
  const bool blank = TrimBlanks(name).empty();
  const auto& list = fields_.GroupList;
  fields_.AddEnabled = !blank && std::find(list.begin(), list.end(), name) != list.end() &&
                       !TrimBlanks(fields_.Path).empty();
  // Programs of the Startup group come from the main window only.
  if (isStartup) {
    fields_.AddNewEnabled = false;
    fields_.AddNewSelected = false;
  }
  if (change == Change::kPath)
    return;

  fields_.AddGroupEnabled = !blank && !GroupNodeExists(name);
  const bool groupSelected = !remembered_.Group.empty();
  if (!isStartup) {
    fields_.AddNewEnabled = groupSelected;
    fields_.AddNewSelected = groupSelected;
  }
  // A rename needs a free name, and the Startup group keeps its name.
  fields_.EditGroupEnabled = groupSelected && fields_.AddGroupEnabled && !isStartup &&
                             remembered_.Group != kStartupGroupName;
}

std::optional<float> ProgramGroupsEditor::DelayOfField(const std::string& delayText) {
  const std::optional<float> delay = delayText.empty() ? 0.0f : ParseDelayText(delayText);
  if (!delay) {
    Warn(captions_.At(properties_caption::kBadDelay,
                      "Please enter the delay as a number of seconds, such as 30 or 2.5."),
         kProgramTitle);
    focus_ = EditorFocus::kDelay;
  }
  return delay;
}

void ProgramGroupsEditor::AddClicked() {
  const bool done = fields_.AddNewSelected ? AddProgram() : SaveEditedProgram();
  if (!done)
    return;
  ForgetRemembered();
  fields_.AddNewSelected = fields_.AddNewEnabled;
}

bool ProgramGroupsEditor::AddProgram() {
  const std::string group = TrimBlanks(fields_.GroupName);
  const std::string path = TrimBlanks(fields_.Path);
  const std::string parameters = TrimBlanks(fields_.Parameters);
  const std::string delayText = TrimBlanks(fields_.Delay);

  if (group.empty()) {
    Warn(context_.Message(message::kEnterGroupName), "Vantrel - Enter Groupname");
    focus_ = EditorFocus::kGroupName;
    return false;
  }
  if (path.empty()) {
    Warn(context_.Message(message::kEnterFileName), "Vantrel - Enter Filename");
    focus_ = EditorFocus::kPath;
    return false;
  }
  const std::optional<float> delay = DelayOfField(delayText);
  if (!delay)
    return false;
  // A bare file name that lies in an items folder is found there when the
  // group starts, as delayed shortcuts are.
  const auto inItemsFolder = [&] {
    for (const std::string* folder :
         {&context_.Store.CurrentUserItemsFolder, &context_.Store.AllUsersItemsFolder}) {
      if (!folder->empty() &&
          IsExistingFile(context_.platform, WithTrailingBackslash(*folder) + path))
        return true;
    }
    return false;
  };
  if (!IsExistingFile(context_.platform, path) && !inItemsFolder()) {
    Warn(context_.Message(message::kFileNotFound), "Vantrel - File not Found");
    focus_ = EditorFocus::kPath;
    return false;
  }
  ProgramEntry entry;
  entry.Path = path;
  entry.Parameters = parameters;
  entry.Command = std::string(kCommandForNewPrograms);
  entry.Delay = *delay;
  if (!Acceptable(CheckProgram(group, entry)))
    return false;

  const StoreIndex g = store_.AddGroup(group);
  if (g < 0) {
    context_.platform.MessageBox(owner_, context_.Message(message::kUnexpectedError), "Error",
                                 kMbOk | kMbIconInformation);
  } else if (store_.AddProgramToGroup(g, entry.Command, path, parameters, *delay, "")) {
    Save("Add Program");
  }
  RefreshGroupList();
  fields_.GroupName.clear();
  fields_.Path.clear();
  fields_.Parameters.clear();
  ShowNoDelay(fields_.Delay);
  KeepButtonsConsistent(Change::kGroupName);
  return true;
}

bool ProgramGroupsEditor::SaveEditedProgram() {
  const std::string path = TrimBlanks(fields_.Path);
  const std::string parameters = TrimBlanks(fields_.Parameters);
  if (path.empty() || remembered_.Path.empty()) {
    if (fields_.GroupName == kStartupGroupName) {
      fields_.Path.clear();
      fields_.Parameters.clear();
      ShowNoDelay(fields_.Delay);
      fields_.AddNewEnabled = false;
      fields_.AddNewSelected = false;
      focus_ = EditorFocus::kPath;
    }
    return true;
  }
  const std::string delayText = TrimBlanks(fields_.Delay);
  const std::optional<float> delay = DelayOfField(delayText);
  if (!delay)
    return false;

  const bool programChanged = path != remembered_.Path || parameters != remembered_.Parameters ||
                              *delay != remembered_.Delay;
  // A changed group name alone moves nothing: programs stay in their group.
  if (programChanged) {
    const StoreIndex g = store_.GetGroupID(remembered_.Group);
    const StoreIndex p =
        FindProgram(g, remembered_.Path, remembered_.Parameters, remembered_.Delay);
    ProgramEntry entry;
    if (g >= 0 && p >= 0)
      entry = context_.Store.ProgramGroups[static_cast<std::size_t>(g)]
                  .Programs[static_cast<std::size_t>(p)];
    entry.Path = path;
    entry.Parameters = parameters;
    entry.Delay = *delay;
    if (!Acceptable(CheckProgram(remembered_.Group, entry)))
      return false;
    store_.UpdateProgramInGroup(g, p, path, parameters, *delay);
  }
  Save("Update Program");
  RefreshGroupList();
  return true;
}

void ProgramGroupsEditor::AddGroupClicked() {
  const std::string name = TrimBlanks(fields_.GroupName);
  if (name.empty())
    return;
  if (!Acceptable(CheckGroupName(name)))
    return;
  store_.AddGroup(name);
  Save("Add Group");
  RefreshGroupList();
  KeepButtonsConsistent(Change::kGroupName);
}

void ProgramGroupsEditor::EditGroupClicked() {
  const std::string oldName = remembered_.Group;
  const std::string newName = TrimBlanks(fields_.GroupName);
  if (newName == oldName || oldName.empty() || newName.empty())
    return;
  if (oldName == kStartupGroupName || newName == kStartupGroupName) {
    Warn(captions_.At(properties_caption::kStartupRename,
                      "The group \"Startup\" holds the programs that Vantrel starts after login. "
                      "It cannot be renamed, and no other group can take its name."),
         kProgramTitle);
    return;
  }
  // Two groups of one name would make the next load of the tree fail.
  if (GroupNodeExists(newName) || store_.GetGroupID(newName) >= 0)
    return;
  if (!Acceptable(CheckGroupName(newName)))
    return;
  const StoreIndex g = store_.GetGroupID(oldName);
  if (!store_.UpdateGroupName(g, newName))
    return;
  Save("Rename Group");

  if (const NodeId node = FindGroupNode(tree_, oldName); node != TreeModel::kNoNode) {
    tree_.At(node).text = newName;
    ++treeRevision_;
  }
  auto& list = fields_.GroupList;
  if (const auto item = std::find(list.begin(), list.end(), oldName); item != list.end())
    *item = newName;
  fields_.GroupName = newName;
  remembered_.Group = newName;
  KeepButtonsConsistent(Change::kGroupName);
}

void ProgramGroupsEditor::RemoveClicked() {
  const GroupNodeKind kind = KindOfGroupNode(tree_, selected_);
  if (kind == GroupNodeKind::kNone || kind == GroupNodeKind::kRoot)
    return;
  const GroupNodeTexts texts = TextsOfGroupNode(tree_, selected_);
  bool removed = false;
  if (kind != GroupNodeKind::kGroup) {
    const StoreIndex g = store_.GetGroupID(texts.group);
    if (g < 0)
      return;
    if (g == context_.Store.StartupGroupIndex) {
      context_.platform.MessageBox(owner_, context_.Message(message::kCannotRemoveStartupProgram),
                                   kProgramTitle, kMbOk | kMbIconInformation);
      return;
    }
    const StoreIndex p = FindProgram(g, texts.path, texts.parameters, DelayOrZero(texts.delay));
    removed = p >= 0 && store_.RemoveProgramFromGroup(g, p);
  } else {
    if (texts.group == kStartupGroupName) {
      context_.platform.MessageBox(owner_, context_.Message(message::kCannotRemoveStartupGroup),
                                   kProgramTitle, kMbOk | kMbIconInformation);
      return;
    }
    const int answer = context_.platform.MessageBox(
        owner_, context_.Message(message::kConfirmGroupRemove), "Comfirm Group Remove",
        kMbYesNo | kMbIconInformation | kMbDefButton2);
    if (answer != kIdYes)
      return;
    removed = store_.RemoveProgramGroup(store_.GetGroupID(texts.group));
  }
  if (!removed)
    return;
  Save("Remove");
  RefreshGroupList();
}

bool ProgramGroupsEditor::OkClicked() {
  return Save("Program Groups");
}

void ProgramGroupsEditor::ForgetRemembered() {
  remembered_ = RememberedValues{};
}

bool ProgramGroupsEditor::Save(std::string_view operation) {
  return SaveProgramGroups(context_, owner_, operation);
}

bool ProgramGroupsEditor::Acceptable(TextProblem problem) {
  if (problem == TextProblem::kNone)
    return true;
  const ProblemText text = TextFor(problem);
  Warn(captions_.At(text.caption, text.english), kProgramTitle);
  return false;
}

void ProgramGroupsEditor::Warn(const std::string& text, const std::string& title) {
  context_.platform.MessageBox(owner_, text, title, kMbOk | kMbIconExclamation);
}

StoreIndex ProgramGroupsEditor::FindProgram(StoreIndex group, const std::string& path,
                                            const std::string& parameters, float delay) const {
  if (group < 0 || static_cast<std::size_t>(group) >= context_.Store.ProgramGroups.size())
    return kNoIndex;
  // Two programs may share a path; the one with the same texts is meant.
  const auto& programs = context_.Store.ProgramGroups[static_cast<std::size_t>(group)].Programs;
  for (std::size_t i = 0; i < programs.size(); ++i) {
    const ProgramEntry& entry = programs[i];
    if (entry.Path == path && entry.Parameters == parameters && entry.Delay == delay)
      return static_cast<StoreIndex>(i);
  }
  return store_.GetProgramID(path, group);
}

} // namespace vantrel
