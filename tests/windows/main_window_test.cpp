// The main window in-process with its real controls: the tree control
// mirrors the item tree, check boxes reach the model, the window keeps its
// minimum size, the progress bar sits in the status bar, the language
// menu switches the language, and a login start makes the controls only
// when the window is first shown.
#include <gtest/gtest.h>

#include "common/platform/win32/win32_api.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "vantrel/min_size.h"
#include "vantrel/refresh_startup_items.h"
#include "vantrel/startup_tree.h"
#include "vantrel/tray_command.h"
#include "vantrel/win32ui/main_menu.h"
#include "vantrel/win32ui/main_toolbar.h"
#include "windows/support/main_window_rig.h"

namespace vantrel::testing {
namespace {

namespace st = startup_tree;

ProgramEntry Delayed(const std::string& command, const std::string& path,
                     const std::string& parameters = "", const std::string& name = "") {
  ProgramEntry entry;
  entry.Command = command;
  entry.Path = path;
  entry.Parameters = parameters;
  entry.RegistryName = name;
  return entry;
}

std::string Describe(const std::vector<ControlItem>& items) {
  std::string out;
  for (const ControlItem& item : items) {
    out += std::string(static_cast<std::size_t>(item.depth) * 2, ' ') + item.text + " #" +
           std::to_string(item.node) + " [" + std::to_string(item.image) + "]" +
           (item.checked ? " x" : "") + (item.bold ? " b" : "") + (item.expanded ? " +" : "") +
           "\n";
  }
  return out;
}

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

// A machine with items in every branch.
class MainWindowTest : public ::testing::Test, public MainWindowRig {
protected:
  void Populate() {
    AddShortcut(false, "Notes.lnk");
    AddShortcut(false, "desktop.ini");
    AddShortcut(true, "Printer Tray.lnk");
    AddRunValue(false, "VantrelTestMail", "\"C:\\Mail\\mail.exe\" -tray");
    AddRunValue(true, "VantrelTestMixer", "C:\\Audio\\mixer.exe");
    WriteProgramGroups({Delayed("Execute", "Backup.lnk"), Delayed("ExecuteAU", "Scanner.lnk"),
                        Delayed("ExecuteReg", "C:\\Sync\\sync.exe", "-q", "Sync"),
                        Delayed("ExecuteRegAU", "C:\\Vpn\\vpn.exe", "", "Vpn")},
                       {"_STPCU_Old.lnk", "_REGCU_C:\\Up\\up.exe", "_STPAU_Fax.lnk",
                        "_REGAU_C:\\Agent\\agent.exe"});
    WriteFile("data\\safelist.dat", {"mixer.exe // Sound mixer"});
    context().Text.SafeList = {{"mixer.exe ", "Sound mixer"}, {"Notes", "Sticky notes"}};
  }

  TreeModel::NodeId FirstItem(std::string_view category) {
    return window().Tree().At(window().Tree().Find(category)).children.at(0);
  }
};

TEST_F(MainWindowTest, LoadShowsTheWindowWithItsControls) {
  Populate();
  auto& window = LoadWindow(true);
  ASSERT_NE(window.hwnd(), nullptr);
  char title[64] = {};
  ::GetWindowTextA(window.hwnd(), title, sizeof title);
  EXPECT_STREQ(title, "Vantrel Quorvel");
  EXPECT_TRUE(window.IsVisible());
  EXPECT_NE(::GetMenu(window.hwnd()), nullptr);

  // Eight toolbar buttons; Stop, Delay and Run wait for a checked item.
  ASSERT_EQ(::SendMessageA(window.Toolbar()->hwnd(), TB_BUTTONCOUNT, 0, 0), 8);
  EXPECT_TRUE(ButtonEnabled(window, 1));
  EXPECT_FALSE(ButtonEnabled(window, 5));
  EXPECT_FALSE(ButtonEnabled(window, 7));

  // Two status-bar panels; the progress bar lives inside the first.
  const HWND statusBar = window.StatusBar()->hwnd();
  EXPECT_EQ(::SendMessageA(statusBar, SB_GETPARTS, 0, 0), 2);
  win32ui::AdvProgressBar& apb = *window.ProgressBar();
  EXPECT_EQ(::GetParent(apb.hwnd()), statusBar);

  // The tree pictures came from Vantrel.exe's resources, one for each name.
  const auto pictures = reinterpret_cast<HIMAGELIST>(
      ::SendMessageA(window.TreeView()->hwnd(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  ASSERT_NE(pictures, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(pictures), static_cast<int>(st::image::kNames.size()));
}

TEST_F(MainWindowTest, TreeControlHoldsExactlyTheModelsNodes) {
  Populate();
  auto& window = LoadWindow(true);
  const auto model = ModelItems();
  // 23 categories: a 64-bit prefix has the 32-bit view of the Run key.
  ASSERT_EQ(model.size(), 23u + 12u);
  EXPECT_EQ(Describe(ControlItems()), Describe(model));

  // Expanded branches come back after a refresh; the control's own expand
  // reaches the model.
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
  EXPECT_EQ(Describe(ControlItems()), Describe(ModelItems()));
  for (const std::string_view key : {st::kDelayedItemsRoot, st::kDelayedCurrentUser,
                                     st::kStoppedItemsRoot, st::kStoppedCurrent}) {
    SCOPED_TRACE(key);
    EXPECT_TRUE(window.Tree().At(window.Tree().Find(key)).expanded);
  }
}

TEST_F(MainWindowTest, CheckBoxesReachTheModelAndTheToolbar) {
  Populate();
  auto& window = LoadWindow(true);
  const TreeModel::NodeId windowsItem = FirstItem(st::kCurrentUserStartup);
  const TreeModel::NodeId delayedItem = FirstItem(st::kDelayedStartupCurrentUser);
  const TreeModel::NodeId allUsersItem = FirstItem(st::kAllUsersStartup);

  ClickCheckBox(windowsItem);
  EXPECT_TRUE(window.Tree().At(windowsItem).checked);
  EXPECT_TRUE(ButtonEnabled(window, 5));  // Stop
  EXPECT_TRUE(ButtonEnabled(window, 6));  // Delay
  EXPECT_FALSE(ButtonEnabled(window, 7)); // Run

  ClickCheckBox(delayedItem);
  EXPECT_TRUE(window.Tree().At(delayedItem).checked);
  EXPECT_TRUE(ButtonEnabled(window, 7));

  // Windows' own all-users items cannot be ticked: the mark goes at once,
  // in the model and in the control.
  ClickCheckBox(allUsersItem);
  EXPECT_FALSE(window.Tree().At(allUsersItem).checked);
  EXPECT_EQ(Describe(ControlItems()), Describe(ModelItems()));

  // A refresh drops every check mark, and the buttons follow.
  window.RefreshData();
  for (const ControlItem& item : ControlItems())
    EXPECT_FALSE(item.checked) << item.text;
  EXPECT_FALSE(ButtonEnabled(window, 5));
  EXPECT_FALSE(ButtonEnabled(window, 6));
  EXPECT_FALSE(ButtonEnabled(window, 7));
}

TEST_F(MainWindowTest, DraggingBelowTheMinimumSizeIsCorrected) {
  auto& window = LoadWindow(true);
  const UINT dpi = ::GetDpiForWindow(window.hwnd());
  const double minWidth = TwipsToPixels(kMainWindowMinWidthTwips, static_cast<int>(dpi));
  const double minHeight = TwipsToPixels(kMainWindowMinHeightTwips, static_cast<int>(dpi));
  const LONG w = static_cast<LONG>(std::lround(minWidth));
  const LONG h = static_cast<LONG>(std::lround(minHeight));
  if (dpi == 96) {
    EXPECT_EQ(w, 715);
    EXPECT_EQ(h, 419);
  }
  struct Row {
    WPARAM edge;
    RECT expected;
  };
  // Proposed: 200 x 100 at (300, 200).
  const std::vector<Row> rows = {
      {WMSZ_TOPLEFT, {500 - w, 300 - h, 500, 300}},
      {WMSZ_BOTTOMRIGHT, {300, 200, 300 + w, 200 + h}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.edge);
    RECT rect{300, 200, 500, 300};
    EXPECT_EQ(::SendMessageA(window.hwnd(), WM_SIZING, row.edge, reinterpret_cast<LPARAM>(&rect)),
              0);
    EXPECT_EQ(rect.left, row.expected.left);
    EXPECT_EQ(rect.top, row.expected.top);
    EXPECT_EQ(rect.right, row.expected.right);
    EXPECT_EQ(rect.bottom, row.expected.bottom);
  }
  RECT large{0, 0, 1000, 800};
  ::SendMessageA(window.hwnd(), WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&large));
  EXPECT_EQ(large.right, 1000);
  EXPECT_EQ(large.bottom, 800);
}

TEST_F(MainWindowTest, LoginStartMakesTheControlsWhenTheWindowFirstShows) {
  Populate();
  context().Text.Toolbar[6] = "Ready";
  const std::vector<std::string> children = {"SysTreeView32", "ToolbarWindow32",
                                             "msctls_statusbar32"};
  // Opened from the tray, and shown by anyone else.
  for (const bool fromTray : {true, false}) {
    SCOPED_TRACE(fromTray ? "from the tray" : "ShowWindow");
    auto& window = LoadWindow(false);
    // Hidden with its tray icon only: no menu bar, no children.
    EXPECT_FALSE(window.IsVisible());
    EXPECT_EQ(::GetMenu(window.hwnd()), nullptr);
    EXPECT_EQ(ChildClasses(window.hwnd()), std::vector<std::string>{});
    EXPECT_EQ(window.TreeView(), nullptr);
    EXPECT_EQ(window.ProgressBar(), nullptr);
    EXPECT_EQ(window.Tree().Count(), 0u);

    if (fromTray)
      OpenMainWindow(context(), window);
    else
      ::ShowWindow(window.hwnd(), SW_SHOWNORMAL);
    Pump();
    EXPECT_TRUE(window.IsVisible());
    EXPECT_NE(::GetMenu(window.hwnd()), nullptr);
    ASSERT_EQ(ChildClasses(window.hwnd()), children);
    // The texts of the load reached the new controls, and the tree fills
    // the room between the bars.
    char status[64] = {};
    ::SendMessageA(window.StatusBar()->hwnd(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(status));
    EXPECT_STREQ(status, "Ready");
    EXPECT_EQ(::GetParent(window.ProgressBar()->hwnd()), window.StatusBar()->hwnd());
    RECT tree{};
    ::GetWindowRect(window.TreeView()->hwnd(), &tree);
    EXPECT_GT(tree.right - tree.left, 100);
    EXPECT_GT(tree.bottom - tree.top, 100);
    if (fromTray) {
      ASSERT_EQ(window.Tree().Count(), 23u + 12u);
      EXPECT_EQ(ControlItems(), ModelItems());
    } else {
      EXPECT_TRUE(ControlItems().empty());
    }

    // Hidden and shown again: the same controls.
    const HWND treeControl = window.TreeView()->hwnd();
    ::SendMessageA(window.hwnd(), WM_COMMAND, win32ui::menu_id::kFileMinimizeToTray, 0);
    OpenMainWindow(context(), window);
    EXPECT_EQ(window.TreeView()->hwnd(), treeControl);
    EXPECT_EQ(ChildClasses(window.hwnd()), children);
  }
}

TEST_F(MainWindowTest, LanguageMenuChecksOneItemAndSavesTheChoice) {
  WriteFile("lang\\languagefile.dat", {"English, en", "Deutsch, de", "Nederlands, nl"});
  WriteFile("lang\\de\\menus.de", {"&Datei"});
  WriteFile("lang\\en\\menus.en", {"&File", "&Save"});
  WriteProgramGroups({}, {});
  context().Text.Languages = {{"English", "en"}, {"Deutsch", "de"}, {"Nederlands", "nl"}};
  context().Text.Menus[0] = "&File";
  context().Text.Menus[1] = "Sa&ve all";
  auto& window = LoadWindow(true);

  // A tip the Toolbar table leaves empty keeps its designed text.
  NMTTDISPINFOA tip{};
  tip.hdr.hwndFrom =
      reinterpret_cast<HWND>(::SendMessageA(window.Toolbar()->hwnd(), TB_GETTOOLTIPS, 0, 0));
  tip.hdr.idFrom = win32ui::MainToolbar::CommandOf(6);
  tip.hdr.code = TTN_GETDISPINFOA;
  ::SendMessageA(window.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
  EXPECT_STREQ(tip.lpszText, "Delay the startup");

  const HMENU languages = window.Menu()->languageMenu();
  ASSERT_EQ(::GetMenuItemCount(languages), 3);
  const auto checkedItems = [&] {
    std::vector<int> checked;
    for (int i = 0; i < ::GetMenuItemCount(languages); ++i) {
      if ((::GetMenuState(languages, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) != 0)
        checked.push_back(i);
    }
    return checked;
  };
  EXPECT_EQ(checkedItems(), std::vector<int>{0});
  // The File menu's Save entry took the language's caption.
  char caption[64] = {};
  const HMENU file = ::GetSubMenu(::GetMenu(window.hwnd()), 0);
  ::GetMenuStringA(file, win32ui::menu_id::kFileSave, caption, sizeof caption, MF_BYCOMMAND);
  EXPECT_STREQ(caption, "Sa&ve all");

  ::SendMessageA(window.hwnd(), WM_COMMAND, win32ui::menu_id::kLanguageFirst + 1, 0);
  EXPECT_EQ(checkedItems(), std::vector<int>{1});
  EXPECT_EQ(context().Store.Language, "de");
  EXPECT_EQ(context().Text.Menus[0], "&Datei");
  const std::string file1 = ReadFile(userFolder().substr(folder().size() + 1) + "\\proggroup.c");
  EXPECT_NE(file1.find("const Language = Deutsch;\r\n"), std::string::npos);

  // The checked one again: nothing changes, nothing is written.
  ::DeleteFileA((userFolder() + "\\proggroup.c").c_str());
  ::SendMessageA(window.hwnd(), WM_COMMAND, win32ui::menu_id::kLanguageFirst + 1, 0);
  EXPECT_EQ(checkedItems(), std::vector<int>{1});
  EXPECT_EQ(::GetFileAttributesA((userFolder() + "\\proggroup.c").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

TEST_F(MainWindowTest, HelpAndWebLinksGoThroughTheShell) {
  auto& window = LoadWindow(true);
  ::SendMessageA(window.hwnd(), WM_COMMAND, win32ui::menu_id::kHelpHelp, 0);
  EXPECT_TRUE(platform().shellExecutes.empty()); // no help file: nothing
  WriteFile("Vantrel.chm", {"help"});
  ::SendMessageA(window.hwnd(), WM_KEYUP, VK_F1, 0);
  ::SendMessageA(window.hwnd(), WM_COMMAND, win32ui::menu_id::kHelpOnlineForums, 0);
  ::SendMessageA(window.hwnd(), WM_COMMAND, win32ui::menu_id::kHelpOnlineMainPage, 0);
  ::SendMessageA(window.hwnd(), WM_COMMAND, win32ui::menu_id::kHelpOnlineSupportEmail, 0);
  EXPECT_EQ(platform().shellExecutes,
            (std::vector<std::string>{
                "open|" + folder() + "\\Vantrel.chm", "|https://forum.korvane.example/vantrel",
                "|https://www.korvane.example/vantrel",
                "|mailto:support@korvane.example?subject=Vantrel%202%20Support"}));
}

// The dialogs of this thread, other than the main window.
std::vector<HWND> ThreadDialogs() {
  std::vector<HWND> dialogs;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM found) -> BOOL {
        char name[16] = {};
        ::GetClassNameA(window, name, sizeof name);
        if (std::string(name) == "#32770" && ::IsWindowVisible(window))
          reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&dialogs));
  return dialogs;
}

TEST_F(MainWindowTest, OptionsAndTipsOpenModeless) {
  auto& window = LoadWindow(true);
  ASSERT_TRUE(ThreadDialogs().empty());
  ::SendMessageA(window.hwnd(), WM_COMMAND, win32ui::menu_id::kToolsOptions, 0);
  auto dialogs = ThreadDialogs();
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(::GetWindow(dialogs[0], GW_OWNER), nullptr); // without an owner
  ::DestroyWindow(dialogs[0]);
  Pump();

  ::SendMessageA(window.hwnd(), WM_COMMAND, win32ui::menu_id::kHelpTips, 0);
  dialogs = ThreadDialogs();
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(::GetWindow(dialogs[0], GW_OWNER), window.hwnd());
  ::DestroyWindow(dialogs[0]);
  Pump();
}

TEST_F(MainWindowTest, MinimizeToTrayHidesAndExitCloses) {
  auto& window = LoadWindow(true);
  ::SendMessageA(window.hwnd(), WM_COMMAND, win32ui::menu_id::kFileMinimizeToTray, 0);
  EXPECT_FALSE(window.IsVisible());
  EXPECT_TRUE(window.IsLoaded());
  ::SendMessageA(window.hwnd(), WM_COMMAND, win32ui::menu_id::kFileExit, 0);
  EXPECT_FALSE(window.IsLoaded());
}

// RefreshData with 1,000 items in each of the eight locations, with the
// real controls. Run on request:
//   windows_tests.exe --gtest_also_run_disabled_tests --gtest_filter=*RefreshBenchmark*
TEST_F(MainWindowTest, DISABLED_RefreshBenchmark) {
  constexpr int kPerLocation = 1000;
  std::vector<ProgramEntry> delayed;
  std::vector<std::string> stopped;
  for (int i = 0; i < kPerLocation; ++i) {
    const std::string n = std::to_string(i);
    AddShortcut(false, "User item " + n + ".lnk");
    AddShortcut(true, "Common item " + n + ".lnk");
    AddRunValue(false, "VantrelBenchUser" + n, "C:\\Programs\\user" + n + ".exe -tray");
    AddRunValue(true, "VantrelBenchMachine" + n, "C:\\Programs\\machine" + n + ".exe");
    // Each of Vantrel's four stores holds half delayed, half stopped items.
    if (i % 2 == 0) {
      delayed.push_back(Delayed("Execute", "Delayed user " + n + ".lnk"));
      delayed.push_back(Delayed("ExecuteAU", "Delayed common " + n + ".lnk"));
      delayed.push_back(Delayed("ExecuteReg", "C:\\D\\u" + n + ".exe", "-q", "DU" + n));
      delayed.push_back(Delayed("ExecuteRegAU", "C:\\D\\m" + n + ".exe", "", "DM" + n));
    } else {
      stopped.push_back("_STPCU_Stopped user " + n + ".lnk");
      stopped.push_back("_STPAU_Stopped common " + n + ".lnk");
      stopped.push_back("_REGCU_C:\\S\\u" + n + ".exe");
      stopped.push_back("_REGAU_C:\\S\\m" + n + ".exe");
    }
  }
  WriteProgramGroups(delayed, stopped);
  auto& window = LoadWindow(true);
  ASSERT_GE(window.Tree().Count(), 20u + 8u * kPerLocation);

  std::vector<double> times;
  for (int run = 0; run < 7; ++run) {
    const auto start = std::chrono::steady_clock::now();
    window.RefreshData();
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(times.begin(), times.end());

  // The same refresh without the window: the real registry and folders, the
  // model alone.
  TreeModel tree;
  StartupItemLists lists;
  CDelayLoad store = context().NewDelayLoad();
  std::vector<double> modelTimes;
  for (int run = 0; run < 7; ++run) {
    const auto start = std::chrono::steady_clock::now();
    RefreshStartupItems(context(), store, tree, lists);
    modelTimes.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(modelTimes.begin(), modelTimes.end());
  std::printf("RefreshStartupItems, %zu nodes, model only: median %.1f ms, best %.1f ms\n",
              tree.Count(), modelTimes[modelTimes.size() / 2], modelTimes.front());
  std::printf(
      "RefreshData, %zu nodes, real controls: median %.1f ms, best %.1f ms, worst %.1f ms\n",
      window.Tree().Count(), times[times.size() / 2], times.front(), times.back());
  EXPECT_EQ(ControlItems().size(), window.Tree().Count());
}

} // namespace
} // namespace vantrel::testing
