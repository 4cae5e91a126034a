// The main window in-process with its real controls, driven through its
// real messages: a login start makes the controls only when the window is
// first shown, the tree control mirrors the item tree, and check boxes
// reach the model and the toolbar. (Captions, menus and the logic behind
// them are the native tests'.)
#include <gtest/gtest.h>

#include "common/platform/win32/win32_api.h"

#include <commctrl.h>

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
using namespace moves;

// Whether Stop, Delay and Run can be pressed, as "110".
std::string StopDelayRun(const win32ui::StartupItemsWindow& window) {
  std::string states;
  for (const int index : {5, 6, 7})
    states += std::to_string(::SendMessageA(window.Toolbar()->hwnd(), TB_ISBUTTONENABLED,
                                            win32ui::MainToolbar::CommandOf(index), 0) != 0);
  return states;
}

TEST(MainWindow, ALoginStartMakesTheControlsWhenShownAndTheyMirrorTheTree) {
  WindowRig rig;
  AppContext& context = rig.context();
  Undo mail = HoldRegValue(HKEY_CURRENT_USER, kRunKey, "VantrelTestMail");
  Undo mixer = HoldRegValue(HKEY_LOCAL_MACHINE, kRunKey, "VantrelTestMixer");
  // Items in every branch.
  for (const auto& [folder, name] : {std::pair{context.CurrentUserStartupFolder, "Notes.lnk"},
                                     {context.CurrentUserStartupFolder, "desktop.ini"},
                                     {context.AllUsersStartupFolder, "Printer Tray.lnk"}})
    WriteFileBytes(folder + "\\" + name, "shortcut");
  WriteRegValue(HKEY_CURRENT_USER, kRunKey, "VantrelTestMail", Sz("\"C:\\Mail\\mail.exe\" -tray"));
  WriteRegValue(HKEY_LOCAL_MACHINE, kRunKey, "VantrelTestMixer", Sz("C:\\Audio\\mixer.exe"));
  // Path, parameters, command word, delay, value name.
  context.Store.ProgramGroups = {{"Startup",
                                  {{"Backup.lnk", "", "Execute", 0, ""},
                                   {"Scanner.lnk", "", "ExecuteAU", 0, ""},
                                   {"C:\\Sync\\sync.exe", "-q", "ExecuteReg", 0, "Sync"},
                                   {"C:\\Vpn\\vpn.exe", "", "ExecuteRegAU", 0, "Vpn"}}}};
  context.Store.StoppedPrograms = {"_STPCU_Old.lnk", "_REGCU_C:\\Up\\up.exe", "_STPAU_Fax.lnk",
                                   "_REGAU_C:\\Agent\\agent.exe"};
  context.Store.StartupGroupIndex = 0;
  context.NewDelayLoad().WriteItems();

  // Hidden with its tray icon only: no menu bar, no children, no items.
  auto& window = rig.LoadWindow(false);
  EXPECT_FALSE(window.IsVisible());
  EXPECT_EQ(::GetMenu(window.hwnd()), nullptr);
  EXPECT_EQ(::GetWindow(window.hwnd(), GW_CHILD), nullptr);
  EXPECT_EQ(window.Tree().Count(), 0u);
  // Shown by anyone, it makes its controls, and stays empty.
  ::ShowWindow(window.hwnd(), SW_SHOWNORMAL);
  WindowRig::Pump();
  EXPECT_NE(::GetMenu(window.hwnd()), nullptr);
  ASSERT_TRUE(window.TreeView() && window.Toolbar() && window.StatusBar());
  const HWND tree = window.TreeView()->hwnd();
  EXPECT_EQ(TreeView_GetCount(tree), 0u);

  // Opened from the tray, it fills: eight toolbar buttons, two status-bar
  // panels with the progress bar in the first, the tree between the bars
  // with a picture for each name from Vantrel.exe's resources.
  OpenMainWindow(context, window);
  WindowRig::Pump();
  EXPECT_TRUE(window.IsVisible());
  EXPECT_EQ(::SendMessageA(window.Toolbar()->hwnd(), TB_BUTTONCOUNT, 0, 0), 8);
  EXPECT_EQ(StopDelayRun(window), "000");
  EXPECT_EQ(::SendMessageA(window.StatusBar()->hwnd(), SB_GETPARTS, 0, 0), 2);
  EXPECT_EQ(::GetParent(window.ProgressBar()->hwnd()), window.StatusBar()->hwnd());
  RECT treeRect{};
  ::GetWindowRect(tree, &treeRect);
  EXPECT_GT(std::min(treeRect.right - treeRect.left, treeRect.bottom - treeRect.top), 100);
  EXPECT_EQ(ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(
                ::SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0))),
            static_cast<int>(st::image::kNames.size()));
  // 23 categories (a 64-bit prefix has the 32-bit view of the Run key) and
  // the items, in the control as in the model.
  ASSERT_EQ(window.Tree().Count(), 23u + 12u);
  EXPECT_EQ(rig.MirrorDifferences(), "");

  const auto first = [&](std::string_view category) {
    return window.Tree().At(window.Tree().Find(category)).children.at(0);
  };
  rig.ClickCheckBox(first(st::kCurrentUserStartup));
  EXPECT_TRUE(window.Tree().At(first(st::kCurrentUserStartup)).checked);
  EXPECT_EQ(StopDelayRun(window), "110");
  rig.ClickCheckBox(first(st::kDelayedStartupCurrentUser));
  EXPECT_EQ(StopDelayRun(window), "111");
  // Windows' own all-users items cannot be ticked: the mark goes at once,
  // in the model and in the control.
  rig.ClickCheckBox(first(st::kAllUsersStartup));
  EXPECT_FALSE(window.Tree().At(first(st::kAllUsersStartup)).checked);
  EXPECT_EQ(rig.MirrorDifferences(), "");

  // A refresh drops every check mark, in the control too.
  window.RefreshData();
  WindowRig::Pump();
  EXPECT_EQ(rig.MirrorDifferences(), "");
  EXPECT_EQ(StopDelayRun(window), "000");

  // Hidden and shown again from the tray: the same controls.
  ::SendMessageA(window.hwnd(), WM_COMMAND, win32ui::menu_id::kFileMinimizeToTray, 0);
  EXPECT_FALSE(window.IsVisible());
  OpenMainWindow(context, window);
  EXPECT_EQ(window.TreeView()->hwnd(), tree);
  ::SendMessageA(window.hwnd(), WM_COMMAND, win32ui::menu_id::kFileExit, 0);
  EXPECT_FALSE(window.IsLoaded());
}

} // namespace
} // namespace vantrel::testing
