#include "vantrel/win32ui/program_groups_window.h"

#include <cstring>
#include <vector>

#include <commctrl.h>
#include <commdlg.h>

#include "common/event_log.h"
#include "common/text.h"
#include "vantrel/resources/dialog_ids.h"
#include "vantrel/win32ui/character_filter.h"
#include "vantrel/win32ui/dialog_controls.h"

namespace vantrel::win32ui {

namespace {

constexpr const char* kBrowseFilter = "Executables\0*.exe;*.dll;*.lnk;*.com;*.bat;\0";
constexpr DWORD kBrowseBufferSize = 255;

std::string WithoutAccessKeys(const std::string& caption) {
  std::string text;
  for (const char c : caption) {
    if (c != '&')
      text.push_back(c);
  }
  return text;
}

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  const auto count = ::SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const auto length = ::SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::string item(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, '\0');
    const auto copied = ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                                       reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
    items.push_back(item);
  }
  return items;
}

// The open-file dialog, bound when it is first needed: comdlg32.dll brings
// the print spooler's libraries with it, and every login start would load
// them for a dialog it never shows. False when the user cancels or the
// library is missing.
bool ShowOpenFileDialog(OPENFILENAMEA& dialog) {
  using OpenProc = BOOL(WINAPI*)(OPENFILENAMEA*);
  static const OpenProc open = [] {
    const HMODULE library = ::LoadLibraryExA("comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return library == nullptr ? nullptr
                              : reinterpret_cast<OpenProc>(reinterpret_cast<void*>(
                                    ::GetProcAddress(library, "GetOpenFileNameA")));
  }();
  return open != nullptr && open(&dialog) != FALSE;
}

} // namespace

ProgramGroupsWindow* ProgramGroupsWindow::open_ = nullptr;

void ProgramGroupsWindow::ShowProgramGroups(AppContext& context, HMODULE resources, HWND owner,
                                            std::string_view propertiesItem) {
  if (open_ != nullptr) {
    ::SetForegroundWindow(open_->hwnd());
    return;
  }
  ProgramGroupsWindow window(context, propertiesItem);
  open_ = &window;
  if (window.RunModal(resources, IDD_PROGRAM_GROUPS, owner) == -1)
    WriteLog(context.platform, "Program Groups error: the window could not be created", LogError);
  open_ = nullptr;
}

ProgramGroupsWindow::ProgramGroupsWindow(AppContext& context, std::string_view propertiesItem)
    : context_(context), editor_(context), propertiesItem_(propertiesItem) {}

INT_PTR ProgramGroupsWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_INITDIALOG:
    OnInit();
    return TRUE;
  case WM_COMMAND:
    OnCommand(LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  case WM_NOTIFY: {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == IDC_PG_TREE)
      OnTreeNotify(*header);
    return FALSE;
  }
  default:
    return FALSE;
  }
}

void ProgramGroupsWindow::OnInit() {
  HWND dialog = hwnd();
  editor_.SetOwner(reinterpret_cast<WindowHandle>(dialog));
  const std::string title = WithoutAccessKeys(context_.Text.Menus[menu::kProgramGroups]);
  if (!title.empty())
    ::SetWindowTextA(dialog, title.c_str());

  editor_.Load();
  const WindowCaptions& captions = editor_.Captions();
  const int labels[] = {
      IDC_PG_ADD_NEW,          IDC_PG_EDIT,        IDC_PG_GROUP_LABEL, IDC_PG_PATH_LABEL,
      IDC_PG_PARAMETERS_LABEL, IDC_PG_DELAY_LABEL, IDC_PG_SECONDS,     IDC_PG_MESSAGE};
  for (std::size_t i = 0; i < std::size(labels); ++i)
    SetCaption(dialog, labels[i], captions.At(i));
  SetCaption(dialog, IDOK, ButtonCaption(context_, button::kOk));
  SetCaption(dialog, IDC_PG_REMOVE, ButtonCaption(context_, button::kRemove));
  SetCaption(dialog, IDC_PG_ADD_GROUP, ButtonCaption(context_, button::kAddGroup));
  SetCaption(dialog, IDC_PG_EDIT_GROUP, ButtonCaption(context_, button::kEditGroup));

  FilterCharacters(::GetDlgItem(dialog, IDC_PG_DELAY), &IsEditorDelayKey);
  tree_ = std::make_unique<TreeViewMirror>(::GetDlgItem(dialog, IDC_PG_TREE));
  if (!propertiesItem_.empty())
    editor_.ShowItem(propertiesItem_);
  ShowState();
}

void ProgramGroupsWindow::OnCommand(int id, int notification) {
  // Loading the captions lets pending messages run before the window is
  // complete; nothing is done until it is.
  if (showing_ || tree_ == nullptr)
    return;
  switch (id) {
  case IDC_PG_GROUP:
    if (notification == CBN_EDITCHANGE) {
      ReadFields();
      editor_.GroupNameChanged();
    } else if (notification == CBN_SELCHANGE) {
      HWND combo = ::GetDlgItem(hwnd(), IDC_PG_GROUP);
      const auto chosen = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
      const auto items = ComboItems(combo);
      if (chosen < 0 || static_cast<std::size_t>(chosen) >= items.size())
        return;
      ReadFields();
      editor_.GroupChosen(items[static_cast<std::size_t>(chosen)]);
    } else {
      return;
    }
    break;
  case IDC_PG_PATH:
    if (notification != EN_CHANGE)
      return;
    ReadFields();
    editor_.PathChanged();
    break;
  case IDC_PG_ADD_NEW:
  case IDC_PG_EDIT:
    if (notification != BN_CLICKED)
      return;
    ReadFields();
    editor_.ModeChosen(id == IDC_PG_ADD_NEW);
    break;
  case IDC_PG_BROWSE: {
    // Cancelling the file dialog keeps what the field held.
    const std::string chosen = BrowseForProgram();
    if (chosen.empty())
      return;
    ReadFields();
    editor_.Fields().Path = chosen;
    editor_.PathChanged();
    break;
  }
  case IDC_PG_ADD:
    ReadFields();
    editor_.AddClicked();
    break;
  case IDC_PG_ADD_GROUP:
    ReadFields();
    editor_.AddGroupClicked();
    break;
  case IDC_PG_EDIT_GROUP:
    ReadFields();
    editor_.EditGroupClicked();
    break;
  case IDC_PG_REMOVE:
    ReadFields();
    editor_.RemoveClicked();
    break;
  case IDOK:
    ReadFields();
    editor_.OkClicked();
    Close(IDOK);
    return;
  case IDCANCEL:
    Close(IDCANCEL);
    return;
  default:
    return;
  }
  ShowState();
}

void ProgramGroupsWindow::OnTreeNotify(const NMHDR& header) {
  if (showing_ || tree_ == nullptr)
    return;
  TreeModel::NodeId node = TreeModel::kNoNode;
  // The control may speak either character set; the fields read here lie
  // in the same places in both forms of the record.
  switch (header.code) {
  case TVN_SELCHANGEDA:
  case TVN_SELCHANGEDW:
    node =
        static_cast<TreeModel::NodeId>(reinterpret_cast<const NMTREEVIEWA&>(header).itemNew.lParam);
    break;
  case NM_CLICK: {
    // A click on the node that is already selected shows it again.
    const DWORD position = ::GetMessagePos();
    const POINT screen{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    node = tree_->NodeAt(screen);
    if (node == TreeModel::kNoNode || node != tree_->SelectedNode())
      return;
    break;
  }
  case TVN_ITEMEXPANDEDA:
  case TVN_ITEMEXPANDEDW: {
    const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
    const auto expanded = static_cast<TreeModel::NodeId>(change.itemNew.lParam);
    if (editor_.Tree().Contains(expanded))
      editor_.Tree().At(expanded).expanded = (change.action & TVE_EXPAND) != 0;
    return;
  }
  default:
    return;
  }
  ReadFields();
  editor_.NodeClicked(node);
  ShowState();
}

void ProgramGroupsWindow::ReadFields() {
  HWND dialog = hwnd();
  ProgramGroupsFields& fields = editor_.Fields();
  fields.GroupName = ControlText(dialog, IDC_PG_GROUP);
  fields.Path = ControlText(dialog, IDC_PG_PATH);
  fields.Parameters = ControlText(dialog, IDC_PG_PARAMETERS);
  fields.Delay = ControlText(dialog, IDC_PG_DELAY);
  fields.AddNewSelected = IsChecked(dialog, IDC_PG_ADD_NEW);
}

void ProgramGroupsWindow::ShowState() {
  HWND dialog = hwnd();
  showing_ = true;
  const ProgramGroupsFields& fields = editor_.Fields();

  HWND combo = ::GetDlgItem(dialog, IDC_PG_GROUP);
  if (ComboItems(combo) != fields.GroupList) {
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : fields.GroupList)
      ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  SetControlText(dialog, IDC_PG_GROUP, fields.GroupName);
  SetControlText(dialog, IDC_PG_PATH, fields.Path);
  SetControlText(dialog, IDC_PG_PARAMETERS, fields.Parameters);
  SetControlText(dialog, IDC_PG_DELAY, fields.Delay);

  SetChecked(dialog, IDC_PG_ADD_NEW, fields.AddNewSelected);
  SetChecked(dialog, IDC_PG_EDIT, !fields.AddNewSelected);
  EnableControl(dialog, IDC_PG_ADD_NEW, fields.AddNewEnabled);
  EnableControl(dialog, IDC_PG_ADD, fields.AddEnabled);
  EnableControl(dialog, IDC_PG_ADD_GROUP, fields.AddGroupEnabled);
  EnableControl(dialog, IDC_PG_EDIT_GROUP, fields.EditGroupEnabled);
  EnableControl(dialog, IDC_PG_REMOVE, fields.RemoveEnabled);
  SetControlText(dialog, IDC_PG_ADD, editor_.AddButtonCaption());

  if (shownRevision_ != editor_.TreeRevision()) {
    tree_->Rebuild(editor_.Tree(), editor_.SelectedNode());
    shownRevision_ = editor_.TreeRevision();
  } else if (tree_->SelectedNode() != editor_.SelectedNode()) {
    tree_->Select(editor_.SelectedNode());
  }

  int focus = 0;
  switch (editor_.TakeFocusRequest()) {
  case EditorFocus::kGroupName:
    focus = IDC_PG_GROUP;
    break;
  case EditorFocus::kPath:
    focus = IDC_PG_PATH;
    break;
  case EditorFocus::kParameters:
    focus = IDC_PG_PARAMETERS;
    break;
  case EditorFocus::kDelay:
    focus = IDC_PG_DELAY;
    break;
  case EditorFocus::kNone:
    break;
  }
  if (focus != 0) {
    ::SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, focus)),
                   TRUE);
  } else if (HWND focused = ::GetFocus(); focused != nullptr && !::IsWindowEnabled(focused)) {
    // The button just pressed may have disabled itself.
    ::SendMessageA(dialog, WM_NEXTDLGCTL, 0, FALSE);
  }
  showing_ = false;
}

std::string ProgramGroupsWindow::BrowseForProgram() const {
  char file[kBrowseBufferSize] = {};
  char fileTitle[kBrowseBufferSize] = {};
  const std::string folder = context_.platform.GetCurrentDirectory();
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = hwnd();
  dialog.lpstrFilter = kBrowseFilter;
  dialog.lpstrFile = file;
  dialog.nMaxFile = kBrowseBufferSize;
  dialog.lpstrFileTitle = fileTitle;
  dialog.nMaxFileTitle = kBrowseBufferSize;
  dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrTitle = "Select an executable to run...";
  // Shortcuts are programs here, not their targets; and the process keeps
  // its current folder.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
                 OFN_NODEREFERENCELINKS | OFN_NOCHANGEDIR;
  if (!ShowOpenFileDialog(dialog))
    return {};
  return TrimBlanks(std::string(file, ::strnlen(file, sizeof file)));
}

} // namespace vantrel::win32ui
