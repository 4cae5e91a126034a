#include "windows/support/main_window_rig.h"

#include <commctrl.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "common/registry.h"
#include "common/store/delay_load.h"
#include "vantrel/login/run_at_login.h"
#include "windows/support/scratch.h"

namespace vantrel::testing {

namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

} // namespace

MainWindowRig::MainWindowRig(const std::string& base)
    : folder_(NewScratchFolder(base)), userStartup_(folder_ + "\\UserStartup"),
      commonStartup_(folder_ + "\\CommonStartup"), platform_(folder_), context_(platform_) {
  // Help files and links open as if a viewer and a browser were there.
  platform_.shellExecuteResult = 42;
  ::CreateDirectoryA(userStartup_.c_str(), nullptr);
  ::CreateDirectoryA(commonStartup_.c_str(), nullptr);
  context_.OwnRunCommand = "\"" + folder_ + "\\Vantrel.exe\" -nogui";
  context_.CurrentUserStartupFolder = userStartup_;
  context_.AllUsersStartupFolder = commonStartup_;
  context_.Store.CurrentUserItemsFolder = folder_ + "\\Vantrel Items\\Current User\\";
  context_.Store.AllUsersItemsFolder = folder_ + "\\Vantrel Items\\All Users\\";
  SetDefaultTables(context_.Store);
  // Startup type 0: the refresh takes Vantrel's own value out of the Run
  // keys rather than writing one into the test machine.
  context_.Store.StartupType = 0;
  resources_ = ::LoadLibraryExA((ThisExeFolder() + "\\Vantrel.exe").c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

MainWindowRig::~MainWindowRig() {
  window_.reset();
  Pump();
  CRegistry registry(platform_);
  for (const auto& [root, name] : runValues_)
    registry.DeleteValue(root, kRunKeyPath, name);
  if (resources_ != nullptr)
    ::FreeLibrary(resources_);
  RemoveTree(folder_);
}

std::string MainWindowRig::userFolder() const {
  char name[256] = {};
  DWORD length = sizeof name;
  ::GetUserNameA(name, &length);
  return folder_ + "\\" + name;
}

void MainWindowRig::AddShortcut(bool allUsers, const std::string& name) {
  WriteBytes((allUsers ? commonStartup_ : userStartup_) + "\\" + name, "shortcut");
}

void MainWindowRig::AddRunValue(bool allUsers, const std::string& name, const std::string& data) {
  const RegKey root = allUsers ? kHkeyLocalMachine : kHkeyCurrentUser;
  CRegistry(platform_).SaveSettingString(root, kRunKeyPath, name, data);
  runValues_.emplace_back(root, name);
}

void MainWindowRig::WriteProgramGroups(std::vector<ProgramEntry> startup,
                                       std::vector<std::string> stopped) {
  context_.Store.ProgramGroups = {ProgramGroup{"Startup", std::move(startup)}};
  context_.Store.StartupGroupIndex = 0;
  context_.Store.StoppedPrograms = std::move(stopped);
  context_.NewDelayLoad().WriteItems();
}

void MainWindowRig::WriteFile(const std::string& relative, const std::vector<std::string>& lines) {
  const std::string path = folder_ + "\\" + relative;
  for (std::size_t slash = path.find('\\', folder_.size() + 1); slash != std::string::npos;
       slash = path.find('\\', slash + 1))
    ::CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
  std::string bytes;
  for (const std::string& line : lines)
    bytes += line + "\r\n";
  WriteBytes(path, bytes);
}

std::string MainWindowRig::ReadFile(const std::string& relative) const {
  std::ifstream in(folder_ + "\\" + relative, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

win32ui::StartupItemsWindow& MainWindowRig::LoadWindow(bool gui) {
  context_.GuiMode = gui;
  window_ = std::make_unique<win32ui::StartupItemsWindow>(context_, ::GetModuleHandleA(nullptr),
                                                          resources_);
  window_->Load();
  Pump();
  return *window_;
}

void MainWindowRig::Pump() {
  MSG message{};
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT)
      continue; // a destroyed window's; the test goes on
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

std::vector<ControlItem> MainWindowRig::ControlItems() const {
  std::vector<ControlItem> items;
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
      ControlItem entry;
      entry.depth = depth;
      entry.text = text;
      entry.checked = (data.state & TVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
      entry.bold = (data.state & TVIS_BOLD) != 0;
      entry.expanded = (data.state & TVIS_EXPANDED) != 0;
      entry.image = data.iImage == I_IMAGENONE ? 0 : data.iImage + 1;
      entry.node = static_cast<TreeModel::NodeId>(data.lParam);
      items.push_back(entry);
      self(self, TreeView_GetChild(tree, item), depth + 1);
    }
  };
  walk(walk, TreeView_GetRoot(tree), 0);
  return items;
}

std::vector<ControlItem> MainWindowRig::ModelItems() const {
  std::vector<ControlItem> items;
  const TreeModel& model = window_->Tree();
  const auto walk = [&](const auto& self, const std::vector<TreeModel::NodeId>& nodes,
                        int depth) -> void {
    for (const TreeModel::NodeId id : nodes) {
      const TreeModel::Node& node = model.At(id);
      items.push_back({depth, node.text, node.checked, node.bold,
                       node.expanded && !node.children.empty(), node.image, id});
      self(self, node.children, depth + 1);
    }
  };
  walk(walk, model.Roots(), 0);
  return items;
}

void MainWindowRig::ClickCheckBox(TreeModel::NodeId node) {
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

} // namespace vantrel::testing
