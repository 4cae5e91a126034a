// The program-group editor without its window: what the fields hold, which
// buttons are enabled, and what each button does to the program groups.
// Every change is saved to proggroup.c at once and the tree is rebuilt from
// the file, so the tree always shows what the file holds. The Win32 dialog
// copies the controls into Fields() before an event and back afterwards.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform/platform.h"
#include "common/store/delay_load.h"
#include "common/tree_model.h"
#include "vantrel/app/app_context.h"
#include "vantrel/editor/program_group_text_rules.h"
#include "vantrel/text/window_captions.h"

namespace vantrel {

// The editor's controls as data.
struct ProgramGroupsFields {
  std::string GroupName;              // the group combo box's text
  std::vector<std::string> GroupList; // its list: every group, in table order
  std::string Path;
  std::string Parameters;
  std::string Delay;

  bool AddNewEnabled = true;  // the "add a new program" option
  bool AddNewSelected = true; // false: the "edit the selected program" option
  bool AddEnabled = false;
  bool AddGroupEnabled = false;
  bool EditGroupEnabled = false;
  bool RemoveEnabled = false;
};

// The values the fields showed when the user last clicked a node.
struct RememberedValues {
  std::string Group;
  std::string Path;
  std::string Parameters;
  float Delay = 0;
};

enum class EditorFocus { kNone, kGroupName, kPath, kParameters, kDelay };

// Indexes into the editor's own caption table (properties.<code>).
namespace properties_caption {
constexpr std::size_t kAddNew = 0;
constexpr std::size_t kEdit = 1;
constexpr std::size_t kGroupName = 2;
constexpr std::size_t kPath = 3;
constexpr std::size_t kParameters = 4;
constexpr std::size_t kDelay = 5;
constexpr std::size_t kSeconds = 6;
constexpr std::size_t kMessage = 7;
// Texts for what the file cannot carry, with English built in.
constexpr std::size_t kQuoteInParameters = 8;
constexpr std::size_t kUnderscoreInGroupName = 9;
constexpr std::size_t kBadRegistryName = 10;
constexpr std::size_t kNotCarried = 11;
constexpr std::size_t kBadDelay = 12;
constexpr std::size_t kStartupRename = 13;
} // namespace properties_caption

// The key filter of the delay field: digits, "." and Backspace pass.
bool IsEditorDelayKey(int characterCode);

class ProgramGroupsEditor {
public:
  explicit ProgramGroupsEditor(AppContext& context);

  // Loading the window: the caption table, then the tree and group list.
  void Load();
  // Message boxes are owned by this window.
  void SetOwner(WindowHandle owner) { owner_ = owner; }

  const WindowCaptions& Captions() const { return captions_; }
  // The add button's caption for the mode that is selected.
  std::string AddButtonCaption() const;

  TreeModel& Tree() { return tree_; }
  const TreeModel& Tree() const { return tree_; }
  // Grows whenever the tree was rebuilt or a node renamed.
  std::uint32_t TreeRevision() const { return treeRevision_; }
  TreeModel::NodeId SelectedNode() const { return selected_; }

  ProgramGroupsFields& Fields() { return fields_; }
  const ProgramGroupsFields& Fields() const { return fields_; }
  const RememberedValues& Remembered() const { return remembered_; }
  // The field the window should focus after the last event, once.
  EditorFocus TakeFocusRequest();

  // --- Events.
  // The user selected or clicked a node: it becomes the selected node and
  // the fields show it (ClickTV).
  void NodeClicked(TreeModel::NodeId node);
  // ClickTV: shows the selected node in the fields.
  void ClickTV();
  // The main window's Properties command: selects the path node of the
  // delayed item whose text is itemText (or the root when there is none)
  // and shows it. False when it had to fall back to the root.
  bool ShowItem(std::string_view itemText);

  // The group name was typed or edited.
  void GroupNameChanged();
  // An item was chosen from the group list; it is also the group that
  // "Rename Group" renames.
  void GroupChosen(const std::string& item);
  void PathChanged();
  void ModeChosen(bool addNew);

  void AddClicked();
  void AddGroupClicked();
  void EditGroupClicked();
  void RemoveClicked();
  // Saves once more; false when the file could not be written.
  bool OkClicked();

private:
  enum class Change { kGroupName, kPath };

  void RefreshGroupList();
  void KeepButtonsConsistent(Change change);
  // False when a check refused the input: the fields and the remembered
  // values then stay as they are, for the user to correct.
  bool AddProgram();
  bool SaveEditedProgram();
  // The delay field's seconds (an empty field is 0); for any other text the
  // user is warned and the field gets the focus.
  std::optional<float> DelayOfField(const std::string& delayText);
  void ForgetRemembered();
  bool Save(std::string_view operation);
  // Shows the text the problem calls for; false when there is one.
  bool Acceptable(TextProblem problem);
  void Warn(const std::string& text, const std::string& title);
  bool GroupNodeExists(std::string_view name) const;
  StoreIndex FindProgram(StoreIndex group, const std::string& path, const std::string& parameters,
                         float delay) const;

  AppContext& context_;
  CDelayLoad store_;
  WindowCaptions captions_;
  WindowHandle owner_ = 0;

  TreeModel tree_;
  std::uint32_t treeRevision_ = 0;
  TreeModel::NodeId selected_ = TreeModel::kNoNode;

  ProgramGroupsFields fields_;
  RememberedValues remembered_;
  EditorFocus focus_ = EditorFocus::kNone;
};

} // namespace vantrel
