#include "windows/support/window_rig.h"

#include <commctrl.h>

#include "common/store/delay_load.h"

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

std::string WindowRig::MirrorDifferences() const {
  const HWND tree = window_->TreeView()->hwnd();
  const TreeModel& model = window_->Tree();
  std::string differences;
  const auto walk = [&](const auto& self, HTREEITEM item,
                        const std::vector<TreeModel::NodeId>& nodes) -> void {
    for (const TreeModel::NodeId id : nodes) {
      const TreeModel::Node& node = model.At(id);
      char text[1024] = {};
      TVITEMA data{};
      data.mask = TVIF_TEXT | TVIF_STATE | TVIF_IMAGE | TVIF_PARAM | TVIF_HANDLE;
      data.hItem = item;
      data.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD | TVIS_EXPANDED;
      data.pszText = text;
      data.cchTextMax = sizeof text;
      if (item == nullptr ||
          !::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data)))
        data.lParam = -1; // missing
      const bool checked = (data.state & TVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
      if (static_cast<TreeModel::NodeId>(data.lParam) != id || node.text != text ||
          node.image != (data.iImage == I_IMAGENONE ? 0 : data.iImage + 1) ||
          node.checked != checked || node.bold != ((data.state & TVIS_BOLD) != 0) ||
          (node.expanded && !node.children.empty()) != ((data.state & TVIS_EXPANDED) != 0))
        differences += "#" + std::to_string(id) + " " + node.text + " / " + text + "\n";
      if (item == nullptr)
        return;
      self(self, TreeView_GetChild(tree, item), node.children);
      item = TreeView_GetNextSibling(tree, item);
    }
    if (item != nullptr)
      differences += "an item more than the model has\n";
  };
  walk(walk, TreeView_GetRoot(tree), model.Roots());
  return differences;
}

void WindowRig::ClickCheckBox(TreeModel::NodeId node) {
  const HWND tree = window_->TreeView()->hwnd();
  const HTREEITEM item = window_->TreeView()->ItemOf(node);
  TreeView_EnsureVisible(tree, item);
  RECT bounds{};
  TreeView_GetItemRect(tree, item, &bounds, TRUE);
  // The check box lies left of the text (and of the picture); find it by
  // asking the control what is where.
  const int y = (bounds.top + bounds.bottom) / 2;
  for (int x = bounds.left; x >= 0; --x) {
    TVHITTESTINFO hit{{x, y}, 0, nullptr};
    if (TreeView_HitTest(tree, &hit) == item && (hit.flags & TVHT_ONITEMSTATEICON) != 0) {
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
  pendingMarker = marker;
  pendingAct = act;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, &OnTimer);
  show();
  ::KillTimer(nullptr, timer);
  const bool ran = pendingAct == nullptr; // OnTimer took it
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

} // namespace vantrel::testing
