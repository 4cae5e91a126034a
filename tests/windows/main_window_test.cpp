// The main window in-process with its real controls, driven through its
// real messages: the tree control mirrors the item tree, check boxes reach
// the model and the toolbar, the window keeps its minimum size, the
// language menu switches and saves the language, and a login start makes
// the controls only when the window is first shown.
#include <gtest/gtest.h>

#include "common/platform/win32/win32_api.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "vantrel/tray/tray_command.h"
#include "vantrel/tree/startup_tree.h"
#include "vantrel/win32ui/main_menu.h"
#include "vantrel/win32ui/main_toolbar.h"
#include "windows/support/window_rig.h"

namespace vantrel::testing {
namespace {

namespace st = startup_tree;

// The class names of a window's own children, sorted.
std::vector<std::string> ChildClasses(HWND parent) {
  std::vector<std::string> names;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    char name[64] = {};
    ::GetClassNameA(child, name, sizeof name);
    names.emplace_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool ButtonEnabled(const win32ui::StartupItemsWindow& window, int index) {
  return ::SendMessageA(window.Toolbar()->hwnd(), TB_ISBUTTONENABLED,
                        win32ui::MainToolbar::CommandOf(index), 0) != 0;
}

// Whether Stop, Delay and Run can be pressed, as "110".
std::string StopDelayRun(const win32ui::StartupItemsWindow& window) {
  std::string states;
  for (const int index : {5, 6, 7})
    states += ButtonEnabled(window, index) ? '1' : '0';
  return states;
}

const std::vector<std::string> kChildren = {"SysTreeView32", "ToolbarWindow32",
                                            "msctls_statusbar32"};

// A machine with items in every branch; the Run values go again after
// the test.
class MainWindowTest : public ::testing::Test, public WindowRig {
protected:
  moves::RegValueGuard mail_{HKEY_CURRENT_USER, moves::kRunKey, "VantrelTestMail"};
  moves::RegValueGuard mixer_{HKEY_LOCAL_MACHINE, moves::kRunKey, "VantrelTestMixer"};

  void Populate() {
    for (const auto& [folder, name] : {std::pair{context().CurrentUserStartupFolder, "Notes.lnk"},
                                       {context().CurrentUserStartupFolder, "desktop.ini"},
                                       {context().AllUsersStartupFolder, "Printer Tray.lnk"}})
      moves::WriteFileBytes(folder + "\\" + name, "shortcut");
    moves::WriteRegText(HKEY_CURRENT_USER, moves::kRunKey, "VantrelTestMail",
                        "\"C:\\Mail\\mail.exe\" -tray");
    moves::WriteRegText(HKEY_LOCAL_MACHINE, moves::kRunKey, "VantrelTestMixer",
                        "C:\\Audio\\mixer.exe");
    // Path, parameters, command word, delay, value name.
    context().Store.ProgramGroups = {{"Startup",
                                      {{"Backup.lnk", "", "Execute", 0, ""},
                                       {"Scanner.lnk", "", "ExecuteAU", 0, ""},
                                       {"C:\\Sync\\sync.exe", "-q", "ExecuteReg", 0, "Sync"},
                                       {"C:\\Vpn\\vpn.exe", "", "ExecuteRegAU", 0, "Vpn"}}}};
    context().Store.StoppedPrograms = {"_STPCU_Old.lnk", "_REGCU_C:\\Up\\up.exe", "_STPAU_Fax.lnk",
                                       "_REGAU_C:\\Agent\\agent.exe"};
    context().Store.StartupGroupIndex = 0;
    context().NewDelayLoad().WriteItems();
    WriteFile("data\\safelist.dat", {"mixer.exe // Sound mixer"});
    context().Text.SafeList = {{"mixer.exe ", "Sound mixer"}, {"Notes", "Sticky notes"}};
  }

  TreeModel::NodeId FirstItem(std::string_view category) {
    return window().Tree().At(window().Tree().Find(category)).children.at(0);
  }
};

TEST_F(MainWindowTest, ALoginStartMakesTheControlsWhenOpenedFromTheTray) {
  Populate();
  WriteFile("lang\\languagefile.dat", {"English, en", "Deutsch, de", "Nederlands, nl"});
  context().Text.Languages = {{"English", "en"}, {"Deutsch", "de"}, {"Nederlands", "nl"}};
  context().Text.Toolbar[6] = "Ready";
  auto& window = LoadWindow(false);
  // Hidden with its tray icon only: no menu bar, no children, no items.
  EXPECT_FALSE(window.IsVisible());
  EXPECT_EQ(::GetMenu(window.hwnd()), nullptr);
  EXPECT_EQ(ChildClasses(window.hwnd()), std::vector<std::string>{});
  EXPECT_EQ(window.TreeView(), nullptr);
  EXPECT_EQ(window.Tree().Count(), 0u);

  OpenMainWindow(context(), window);
  Pump();
  EXPECT_TRUE(window.IsVisible());
  EXPECT_EQ(Text(window.hwnd()), "Vantrel Quorvel");
  EXPECT_NE(::GetMenu(window.hwnd()), nullptr);
  ASSERT_EQ(ChildClasses(window.hwnd()), kChildren);
  // Eight toolbar buttons; Stop, Delay and Run wait for a checked item.
  ASSERT_EQ(::SendMessageA(window.Toolbar()->hwnd(), TB_BUTTONCOUNT, 0, 0), 8);
  EXPECT_TRUE(ButtonEnabled(window, 1));
  EXPECT_EQ(StopDelayRun(window), "000");
  // Two status-bar panels, the texts of the load in them, and the progress
  // bar inside the first; the tree fills the room between the bars.
  char status[64] = {};
  ::SendMessageA(window.StatusBar()->hwnd(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(status));
  EXPECT_STREQ(status, "Ready");
  EXPECT_EQ(::SendMessageA(window.StatusBar()->hwnd(), SB_GETPARTS, 0, 0), 2);
  EXPECT_EQ(::GetParent(window.ProgressBar()->hwnd()), window.StatusBar()->hwnd());
  RECT treeRect{};
  ::GetWindowRect(window.TreeView()->hwnd(), &treeRect);
  EXPECT_GT(treeRect.right - treeRect.left, 100);
  EXPECT_GT(treeRect.bottom - treeRect.top, 100);
  // The tree pictures came from Vantrel.exe's resources, one for each name.
  const auto pictures = reinterpret_cast<HIMAGELIST>(
      ::SendMessageA(window.TreeView()->hwnd(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  EXPECT_EQ(ImageList_GetImageCount(pictures), static_cast<int>(st::image::kNames.size()));

  // 23 categories (a 64-bit prefix has the 32-bit view of the Run key) and
  // the items, in the control as in the model.
  ASSERT_EQ(window.Tree().Count(), 23u + 12u);
  EXPECT_EQ(ControlItems(), ModelItems());

  ClickCheckBox(FirstItem(st::kCurrentUserStartup));
  EXPECT_TRUE(window.Tree().At(FirstItem(st::kCurrentUserStartup)).checked);
  EXPECT_EQ(StopDelayRun(window), "110");
  ClickCheckBox(FirstItem(st::kDelayedStartupCurrentUser));
  EXPECT_EQ(StopDelayRun(window), "111");
  // Windows' own all-users items cannot be ticked: the mark goes at once,
  // in the model and in the control.
  ClickCheckBox(FirstItem(st::kAllUsersStartup));
  EXPECT_FALSE(window.Tree().At(FirstItem(st::kAllUsersStartup)).checked);
  EXPECT_EQ(ControlItems(), ModelItems());

  // Expanded branches come back after a refresh, which drops every check
  // mark; the control's own expand reaches the model.
  const HWND tree = window.TreeView()->hwnd();
  for (const std::string_view key :
       {st::kDelayedItemsRoot, st::kDelayedCurrentUser, st::kStoppedCurrent, st::kAllUsersRoot}) {
    const TreeModel::NodeId node = window.Tree().Find(key);
    ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND,
                   reinterpret_cast<LPARAM>(window.TreeView()->ItemOf(node)));
    window.Tree().At(node).expanded = true; // programmatic expands send no notice
  }
  window.RefreshData();
  Pump();
  EXPECT_EQ(ControlItems(), ModelItems());
  EXPECT_EQ(ControlItems().find(" checked"), std::string::npos);
  EXPECT_EQ(StopDelayRun(window), "000");
  for (const std::string_view key :
       {st::kDelayedItemsRoot, st::kDelayedCurrentUser, st::kStoppedItemsRoot, st::kStoppedCurrent})
    EXPECT_TRUE(window.Tree().At(window.Tree().Find(key)).expanded) << key;

  // Choosing a language in the menu moves its check mark.
  const HMENU languages = window.Menu()->languageMenu();
  const auto checked = [&](UINT item) {
    return (::GetMenuState(languages, item, MF_BYPOSITION) & MF_CHECKED) != 0;
  };
  EXPECT_EQ(::GetMenuItemCount(languages), 3);
  EXPECT_TRUE(checked(0));
  ::SendMessageA(window.hwnd(), WM_COMMAND, win32ui::menu_id::kLanguageFirst + 1, 0);
  EXPECT_FALSE(checked(0));
  EXPECT_TRUE(checked(1));
  EXPECT_FALSE(checked(2));

  // Hidden and shown again from the tray: the same controls.
  const HWND treeControl = window.TreeView()->hwnd();
  ::SendMessageA(window.hwnd(), WM_COMMAND, win32ui::menu_id::kFileMinimizeToTray, 0);
  EXPECT_FALSE(window.IsVisible());
  EXPECT_TRUE(window.IsLoaded());
  OpenMainWindow(context(), window);
  EXPECT_EQ(window.TreeView()->hwnd(), treeControl);
  EXPECT_EQ(ChildClasses(window.hwnd()), kChildren);
  ::SendMessageA(window.hwnd(), WM_COMMAND, win32ui::menu_id::kFileExit, 0);
  EXPECT_FALSE(window.IsLoaded());
}

// Shown by anyone but the tray, the hidden window makes its controls too,
// and stays empty.
TEST_F(MainWindowTest, ShowingTheHiddenWindowMakesItsControls) {
  Populate();
  auto& window = LoadWindow(false);
  ::ShowWindow(window.hwnd(), SW_SHOWNORMAL);
  Pump();
  EXPECT_NE(::GetMenu(window.hwnd()), nullptr);
  EXPECT_EQ(ChildClasses(window.hwnd()), kChildren);
  EXPECT_EQ(ControlItems(), "");
}

} // namespace
} // namespace vantrel::testing
