#include "windows/support/window_rig.h"

#include <commctrl.h>

#include <cstring>

#include "common/store/delay_load.h"
#include "windows/support/scratch.h"

namespace vantrel::testing {

WindowRig::WindowRig(const std::string& base)
    : folder_(NewScratchFolder(base)), platform_(folder_), context_(platform_) {
  context_.OwnRunCommand = "\"" + folder_ + "\\Vantrel.exe\" -nogui";
  context_.CurrentUserStartupFolder = folder_ + "\\UserStartup";
  context_.AllUsersStartupFolder = folder_ + "\\CommonStartup";
  ::CreateDirectoryA(context_.CurrentUserStartupFolder.c_str(), nullptr);
  ::CreateDirectoryA(context_.AllUsersStartupFolder.c_str(), nullptr);
  context_.Store.CurrentUserItemsFolder = folder_ + "\\Vantrel Items\\Current User\\";
  context_.Store.AllUsersItemsFolder = folder_ + "\\Vantrel Items\\All Users\\";
  SetDefaultTables(context_.Store);
  // Startup type 0: the refresh takes Vantrel's own value out of the Run
  // keys rather than writing one into the test machine.
  context_.Store.StartupType = 0;
  resources_ = ::LoadLibraryExA((ThisExeFolder() + "\\Vantrel.exe").c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

WindowRig::~WindowRig() {
  window_.reset();
  Pump();
  if (resources_ != nullptr)
    ::FreeLibrary(resources_);
  RemoveTree(folder_);
}

std::string WindowRig::ProgGroupFile() const {
  return UserName() + "\\proggroup.c";
}

void WindowRig::WriteFile(const std::string& relative, const std::vector<std::string>& lines) {
  const std::string path = folder_ + "\\" + relative;
  ::SHCreateDirectoryExA(nullptr, path.substr(0, path.rfind('\\')).c_str(), nullptr);
  std::string bytes;
  for (const std::string& line : lines)
    bytes += line + "\r\n";
  moves::WriteFileBytes(path, bytes);
}

std::string WindowRig::ReadFile(const std::string& relative) const {
  return moves::ReadFileBytes(folder_ + "\\" + relative).value_or("");
}

win32ui::StartupItemsWindow& WindowRig::LoadWindow(bool gui) {
  context_.GuiMode = gui;
  window_ = std::make_unique<win32ui::StartupItemsWindow>(context_, ::GetModuleHandleA(nullptr),
                                                          resources_);
  window_->Load();
  Pump();
  return *window_;
}

void WindowRig::Pump() {
  MSG message{};
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT)
      continue; // a destroyed window's; the test goes on
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

namespace {

std::string ItemLine(int depth, const std::string& text, std::size_t node, int image, bool checked,
                     bool bold, bool expanded) {
  return std::string(static_cast<std::size_t>(depth) * 2, ' ') + text + " #" +
         std::to_string(node) + " [" + std::to_string(image) + "]" + (checked ? " checked" : "") +
         (bold ? " bold" : "") + (expanded ? " expanded" : "") + "\n";
}

} // namespace

std::string WindowRig::ControlItems() const {
  std::string items;
  const HWND tree = window_->TreeView()->hwnd();
  const auto walk = [&](const auto& self, HTREEITEM item, int depth) -> void {
    for (; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
      char text[1024] = {};
      TVITEMA data{};
      data.mask = TVIF_TEXT | TVIF_STATE | TVIF_IMAGE | TVIF_PARAM | TVIF_HANDLE;
      data.hItem = item;
      data.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD | TVIS_EXPANDED;
      data.pszText = text;
      data.cchTextMax = sizeof text;
      ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
      items += ItemLine(depth, text, static_cast<std::size_t>(data.lParam),
                        data.iImage == I_IMAGENONE ? 0 : data.iImage + 1,
                        (data.state & TVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2),
                        (data.state & TVIS_BOLD) != 0, (data.state & TVIS_EXPANDED) != 0);
      self(self, TreeView_GetChild(tree, item), depth + 1);
    }
  };
  walk(walk, TreeView_GetRoot(tree), 0);
  return items;
}

std::string WindowRig::ModelItems() const {
  std::string items;
  const TreeModel& model = window_->Tree();
  const auto walk = [&](const auto& self, const std::vector<TreeModel::NodeId>& nodes,
                        int depth) -> void {
    for (const TreeModel::NodeId id : nodes) {
      const TreeModel::Node& node = model.At(id);
      items += ItemLine(depth, node.text, id, node.image, node.checked, node.bold,
                        node.expanded && !node.children.empty());
      self(self, node.children, depth + 1);
    }
  };
  walk(walk, model.Roots(), 0);
  return items;
}

void WindowRig::ClickCheckBox(TreeModel::NodeId node) {
  const HWND tree = window_->TreeView()->hwnd();
  const HTREEITEM item = window_->TreeView()->ItemOf(node);
  TreeView_EnsureVisible(tree, item);
  // TVM_GETITEMRECT takes the item in the rectangle it fills.
  RECT bounds{};
  std::memcpy(&bounds, &item, sizeof item);
  ::SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&bounds));
  // The check box lies left of the text (and of the picture); find it by
  // asking the control what is where.
  const int y = (bounds.top + bounds.bottom) / 2;
  for (int x = bounds.left; x >= 0; --x) {
    TVHITTESTINFO hit{};
    hit.pt = {x, y};
    ::SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.hItem == item && (hit.flags & TVHT_ONITEMSTATEICON) != 0) {
      POINT screen{x, y};
      ::ClientToScreen(tree, &screen);
      // Posted, as the system posts them: the control reads where the click
      // was from the message's position, which is the pointer's.
      ::SetCursorPos(screen.x, screen.y);
      ::PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
      ::PostMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
      Pump();
      return;
    }
  }
}

namespace {

// The act of the modal dialog WithModalDialog waits for, and its marker.
std::function<void(HWND)> pendingAct;
int pendingMarker = 0;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = pendingAct ? FindDialog(pendingMarker) : nullptr;
  if (dialog == nullptr)
    return;
  // The act may run message loops of its own, in which this timer fires.
  ::KillTimer(nullptr, timer);
  const auto act = std::move(pendingAct);
  pendingAct = nullptr;
  act(dialog);
  if (::IsWindow(dialog))
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

} // namespace

bool WithModalDialog(int marker, const std::function<void()>& show,
                     const std::function<void(HWND)>& act) {
  bool ran = false;
  pendingMarker = marker;
  pendingAct = [&](HWND dialog) {
    ran = true;
    act(dialog);
  };
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, &OnTimer);
  show();
  ::KillTimer(nullptr, timer);
  pendingAct = nullptr;
  // A timer message may still wait in the queue; let it go harmlessly.
  for (MSG message; ::PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE);) {
  }
  return ran;
}

HWND FindDialog(int marker) {
  std::pair<int, HWND> search{marker, nullptr};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<std::pair<int, HWND>*>(data);
        // Not before it is shown: a dialog's initialisation lets pending
        // messages (this timer's, too) run while it loads its captions.
        if (::GetDlgItem(window, s->first) == nullptr || !::IsWindowVisible(window))
          return TRUE;
        s->second = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

void Press(HWND dialog, int id) {
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void TypeCharacter(HWND dialog, int id, int code) {
  HWND control = ::GetDlgItem(dialog, id);
  const int end = ::GetWindowTextLengthA(control);
  ::SendMessageA(control, EM_SETSEL, static_cast<WPARAM>(end), end);
  ::SendMessageA(control, WM_CHAR, static_cast<WPARAM>(code), 1);
}

std::string Text(HWND dialog, int id) {
  char text[1024] = {};
  ::GetWindowTextA(id == 0 ? dialog : ::GetDlgItem(dialog, id), text, sizeof text);
  return text;
}

} // namespace vantrel::testing
