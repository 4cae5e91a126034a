// Delaying and putting back real startup items under Wine with the real
// main window: a real shortcut in the user's Startup folder and a real
// value in the user's Run key are delayed through the item popup menu
// (right-clicked in the tree control, the entry chosen by its access key),
// started by Vantrel.exe's login run, and put back with Run. Vantrel's
// program folder is a scratch folder; with names in CJK it lies under
// C:\程序\.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/program_folder.h"
#include "common/store/delay_load.h"
#include "native/crlf_text.h"
#include "vantrel/app_context.h"
#include "vantrel/found_items_branch.h"
#include "vantrel/item_commands.h"
#include "vantrel/registry_backup.h"
#include "vantrel/startup_tree.h"
#include "vantrel/win32ui/item_command_services.h"
#include "vantrel/win32ui/item_popup.h"
#include "windows/moves_rig.h"

#include <commctrl.h>

#include "windows/support/main_window_rig.h"
#include "windows/support/scratch.h"
#include "windows/support/shell_link.h"
#include "windows/support/test_window.h"

namespace vantrel::testing::moves {
namespace {

namespace st = startup_tree;

constexpr const char* kOwnValue = "Tarrow";

// The names of one run: the shortcut (to recorder.exe) and the Run value
// (recorder.exe with arguments), and where the program folder lies.
struct Names {
  const char* label;
  const char* folderBase; // empty: %TEMP%
  const char* shortcutName;
  const char* shortcutArguments;
  const char* valueName;
  const char* valueArguments;
};

void PrintTo(const Names& names, std::ostream* out) {
  *out << names.label;
}

const Names kNames[] = {
    {"Ascii", "", "Vantrel Moves Test.lnk", "/moves-test", "Vantrel Moves Test", "/q"},
    // C:\程序, 日本.lnk "日本 引数", 東京 = ...recorder.exe 漢字
    {"Cjk", "C:\\\xE7\xA8\x8B\xE5\xBA\x8F", "\xE6\x97\xA5\xE6\x9C\xAC.lnk",
     "\xE6\x97\xA5\xE6\x9C\xAC \xE5\xBC\x95\xE6\x95\xB0", "\xE6\x9D\xB1\xE4\xBA\xAC",
     "\xE6\xBC\xA2\xE5\xAD\x97"},
};

// Access keys of the popup entries, as the test's captions give them.
char AccessKey(ItemPopupEntry entry) {
  switch (entry) {
  case ItemPopupEntry::kDelay:
    return 'd';
  case ItemPopupEntry::kStop:
    return 's';
  case ItemPopupEntry::kRun:
    return 'r';
  case ItemPopupEntry::kProperties:
    return 'p';
  case ItemPopupEntry::kSearchOnline:
    return 'o';
  case ItemPopupEntry::kTakeBack:
    return 'b';
  }
  return 0;
}

// The real main window over the real platform, its program folder a
// scratch folder, but its current user's Startup folder the real one. The
// item commands are installed as Vantrel.exe installs them.
class MovesEndToEnd : public ::testing::TestWithParam<Names> {
protected:
  void SetUp() override {
    ASSERT_FALSE(startupFolder_.empty());
    const std::string built = ThisExeFolder();
    for (const char* exe : {"Vantrel.exe", "recorder.exe"})
      ASSERT_TRUE(
          ::CopyFileA((built + "\\" + exe).c_str(), (rig_.folder() + "\\" + exe).c_str(), FALSE))
          << exe;
    AppContext& context = rig_.context();
    context.CurrentUserStartupFolder = startupFolder_;
    context.Store.StartupType = 1;
    context.Store.MainStartupDelay = 0; // the login run starts at once
    // Access keys by which the test picks the popup's entries.
    context.Text.Menus[menu::kTVDelay] = "&Delay";
    context.Text.Menus[menu::kTVStop] = "&Stop";
    context.Text.Menus[menu::kTVRun] = "&Run";
    context.Text.Menus[menu::kTVProperties] = "&Properties";
    context.Text.Menus[menu::kTVSearchOnline] = "Search &Online";
    ASSERT_TRUE(context.NewDelayLoad().WriteItems());
  }

  win32ui::StartupItemsWindow& Window() {
    if (!loaded_) {
      loaded_ = true;
      rig_.LoadWindow();
      rig_.window().SetCommands(std::make_unique<items::ItemCommands>(
          rig_.window(), win32ui::Win32ItemCommandServices()));
    }
    return rig_.window();
  }

  // The item node with this text under the category; kNoNode if none.
  TreeModel::NodeId Item(std::string_view category, const std::string& text) {
    const TreeModel& tree = Window().Tree();
    const TreeModel::NodeId parent = tree.Find(category);
    if (parent == TreeModel::kNoNode)
      return TreeModel::kNoNode;
    for (const TreeModel::NodeId child : tree.At(parent).children) {
      if (tree.At(child).text == text)
        return child;
    }
    return TreeModel::kNoNode;
  }

  // Selects the item in the tree control, right-clicks it and types the
  // entry's access key into the popup menu that opens.
  void Choose(std::string_view category, const std::string& text, ItemPopupEntry entry) {
    win32ui::StartupItemsWindow& window = Window();
    const TreeModel::NodeId node = Item(category, text);
    ASSERT_NE(node, TreeModel::kNoNode) << text;
    const HWND tree = window.TreeView()->hwnd();
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                   reinterpret_cast<LPARAM>(window.TreeView()->ItemOf(node)));
    ASSERT_EQ(window.SelectedNode(), node);
    // The menu's own loop reads the key from the thread's queue.
    ::PostMessageA(window.hwnd(), WM_CHAR, static_cast<WPARAM>(AccessKey(entry)), 0);
    NMHDR click{tree, static_cast<UINT_PTR>(::GetDlgCtrlID(tree)), static_cast<UINT>(NM_RCLICK)};
    ::SendMessageA(window.hwnd(), WM_NOTIFY, click.idFrom, reinterpret_cast<LPARAM>(&click));
    MainWindowRig::Pump();
  }

  bool AsciiNames() const { return std::string_view(names_.label) == "Ascii"; }
  std::string Recorder() const { return rig_.folder() + "\\recorder.exe"; }
  std::string ValueData() const { return Recorder() + " " + names_.valueArguments; }
  std::string RunValueText() const { return std::string(names_.valueName) + "=" + ValueData(); }
  std::string ShortcutPath() const { return startupFolder_ + "\\" + names_.shortcutName; }
  std::string DelayedShortcutPath() {
    return rig_.context().Store.CurrentUserItemsFolder + names_.shortcutName;
  }

  const Names names_ = GetParam();
  // Guards first: they give everything back after the test.
  RegValueGuard ownUserValue_{HKEY_CURRENT_USER, kRunKey, kOwnValue};
  RegValueGuard ownMachineValue_{HKEY_LOCAL_MACHINE, kRunKey, kOwnValue};
  RegValueGuard runValue_{HKEY_CURRENT_USER, kRunKey, names_.valueName};
  CreatedKeysGuard storeKeys_{kUserStore};
  RegValueGuard storedValue_{HKEY_CURRENT_USER, kUserStore, names_.valueName};
  MainWindowRig rig_{names_.folderBase};
  std::string startupFolder_ = GetSpecialFolder(rig_.platform(), kCsidlStartup);
  FileGuard shortcut_{startupFolder_ + "\\" + names_.shortcutName};
  bool loaded_ = false;
};

TEST_P(MovesEndToEnd, DelayFromThePopupStartAtLoginThenRun) {
  const std::string shortcutName = names_.shortcutName;
  const std::string valueName = names_.valueName;
  ASSERT_TRUE(MakeShortcut(ShortcutPath(), Recorder(), names_.shortcutArguments));
  const auto shortcutBytes = ReadFileBytes(ShortcutPath());
  ASSERT_TRUE(shortcutBytes && !shortcutBytes->empty());
  ASSERT_TRUE(WriteRegText(HKEY_CURRENT_USER, kRunKey, valueName, ValueData()));

  // Shown by their names, and delayed from the popup.
  EXPECT_NE(Item(st::kCurrentUserStartup, shortcutName), TreeModel::kNoNode);
  EXPECT_NE(Item(st::kCurrentUserRegistry, RunValueText()), TreeModel::kNoNode);
  Choose(st::kCurrentUserStartup, shortcutName, ItemPopupEntry::kDelay);
  Choose(st::kCurrentUserRegistry, RunValueText(), ItemPopupEntry::kDelay);

  EXPECT_FALSE(PathExists(ShortcutPath()));
  EXPECT_EQ(ReadFileBytes(DelayedShortcutPath()), shortcutBytes);
  EXPECT_EQ(ReadRegText(HKEY_CURRENT_USER, kRunKey, valueName), std::nullopt);
  EXPECT_EQ(ReadRegText(HKEY_CURRENT_USER, kUserStore, valueName), ValueData());
  EXPECT_NE(Item(st::kDelayedStartupCurrentUser, shortcutName), TreeModel::kNoNode);
  EXPECT_NE(Item(st::kDelayedRegistryCurrentUser, RunValueText()), TreeModel::kNoNode);
  // Startup type 1 with delayed items of the current user: Vantrel starts
  // at this user's login.
  EXPECT_EQ(ReadRegText(HKEY_CURRENT_USER, kRunKey, kOwnValue), rig_.context().OwnRunCommand);
  EXPECT_EQ(ReadRegText(HKEY_LOCAL_MACHINE, kRunKey, kOwnValue), std::nullopt);
  // The value was backed up in today's folder, named by the system clock;
  // beyond ASCII as UTF-16, as the registry editor exports.
  const auto today = win32ui::SystemLocalTime();
  ASSERT_TRUE(today);
  const std::string day =
      rig_.folder() + "\\Delayed Registry\\" + items::BackupDayFolderName(*today);
  WIN32_FIND_DATAA found{};
  win32::UniqueFind search(::FindFirstFileA((day + "\\*.reg").c_str(), &found));
  ASSERT_TRUE(search.valid()) << day;
  EXPECT_EQ(ReadFileBytes(day + "\\" + found.cFileName),
            items::RegFileBytes("Windows Registry Editor Version 5.00\r\n\r\n" +
                                items::RunKeyLine(true) + "\r\n" +
                                items::RunValueLine(valueName, ValueData()) + "\r\n"));

  // The login run starts both with their arguments.
  ASSERT_EQ(RunAndWait("\"" + rig_.folder() + "\\Vantrel.exe\" -nogui", 30000), 0u);
  std::vector<std::string> started;
  for (int i = 0; i < 100 && started.size() < 2; ++i, ::Sleep(50))
    started = test_text::CrLfLinesOf(ReadFileBytes(rig_.folder() + "\\recorder.txt").value_or(""));
  for (std::string& line : started)
    line = line.substr(line.find(' ') + 1); // after the time stamp
  std::sort(started.begin(), started.end());
  std::vector<std::string> arguments = {names_.shortcutArguments, names_.valueArguments};
  std::sort(arguments.begin(), arguments.end());
  EXPECT_EQ(started, arguments);

  // Put both back with Run.
  Choose(st::kDelayedStartupCurrentUser, shortcutName, ItemPopupEntry::kRun);
  Choose(st::kDelayedRegistryCurrentUser, RunValueText(), ItemPopupEntry::kRun);
  EXPECT_EQ(ReadFileBytes(ShortcutPath()), shortcutBytes) << "byte for byte";
  EXPECT_FALSE(PathExists(DelayedShortcutPath()));
  EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kRunKey, valueName),
            (RegText{REG_SZ, ValueData() + '\0'}));
  EXPECT_EQ(ReadRegText(HKEY_CURRENT_USER, kUserStore, valueName), std::nullopt);
  EXPECT_EQ(ReadRegText(HKEY_CURRENT_USER, kRunKey, kOwnValue), std::nullopt);
  EXPECT_EQ(ReadRegText(HKEY_LOCAL_MACHINE, kRunKey, kOwnValue), std::nullopt);
  EXPECT_NE(Item(st::kCurrentUserStartup, shortcutName), TreeModel::kNoNode);
  EXPECT_NE(Item(st::kCurrentUserRegistry, RunValueText()), TreeModel::kNoNode);
  EXPECT_TRUE(rig_.platform().boxes.empty()) << ::testing::PrintToString(rig_.platform().boxes);
}

// 64-bit Windows as it is: a REG_EXPAND_SZ value keeps its type when it is
// delayed and put back, a value of the 32-bit view of the machine's Run key
// shows in its own branch, and a value that a 32-bit Vantrel left in the
// 32-bit view of its all-users store shows with its record.
TEST_P(MovesEndToEnd, ExpandableValuesAndTheThirtyTwoBitView) {
  if (!AsciiNames())
    GTEST_SKIP() << "one run is enough";
  constexpr const char* kWowRunKey =
      "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
  constexpr const char* kWowStore = "Software\\WOW6432Node\\Korvane\\Vantrel\\HKLM";
  constexpr const char* kLegacyName = "Vantrel Moves Test Legacy";
  const std::string expandable = "%SystemDrive%\\Moves Test\\tool.exe /q";
  RegValueGuard wowRun(HKEY_LOCAL_MACHINE, kWowRunKey, names_.valueName);
  RegValueGuard wowStored(HKEY_LOCAL_MACHINE, kWowStore, kLegacyName);
  ASSERT_TRUE(WriteRegValue(HKEY_CURRENT_USER, kRunKey, names_.valueName,
                            {REG_EXPAND_SZ, expandable + '\0'}));
  ASSERT_TRUE(WriteRegText(HKEY_LOCAL_MACHINE, kWowRunKey, names_.valueName, "C:\\x86\\tool.exe"));
  ASSERT_TRUE(WriteRegText(HKEY_LOCAL_MACHINE, kWowStore, kLegacyName, "C:\\x86\\old.exe -s"));
  ProgramEntry legacy;
  legacy.Command = "ExecuteRegAU";
  legacy.Path = "C:\\x86\\old.exe ";
  legacy.Parameters = "-s";
  legacy.RegistryName = kLegacyName;
  rig_.context().Store.ProgramGroups = {ProgramGroup{"Startup", {legacy}}};
  rig_.context().Store.StartupGroupIndex = 0;
  ASSERT_TRUE(rig_.context().NewDelayLoad().WriteItems());

  EXPECT_NE(Item(st::kAllUsersRegistry32, std::string(names_.valueName) + "=C:\\x86\\tool.exe"),
            TreeModel::kNoNode);
  EXPECT_NE(Item(st::kDelayedRegistryAllUsers32, std::string(kLegacyName) + "=C:\\x86\\old.exe -s"),
            TreeModel::kNoNode);

  const std::string text = std::string(names_.valueName) + "=" + expandable;
  Choose(st::kCurrentUserRegistry, text, ItemPopupEntry::kDelay);
  EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kUserStore, names_.valueName),
            (RegText{REG_EXPAND_SZ, expandable + '\0'}));
  Choose(st::kDelayedRegistryCurrentUser,
         std::string(names_.valueName) + "=%SystemDrive%\\Moves Test\\tool.exe /q",
         ItemPopupEntry::kRun);
  EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kRunKey, names_.valueName),
            (RegText{REG_EXPAND_SZ, expandable + '\0'}));
  EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kUserStore, names_.valueName), std::nullopt);
  // The 32-bit view's value was only shown.
  EXPECT_EQ(ReadRegText(HKEY_LOCAL_MACHINE, kWowRunKey, names_.valueName), "C:\\x86\\tool.exe");
  EXPECT_TRUE(rig_.platform().boxes.empty()) << ::testing::PrintToString(rig_.platform().boxes);
}

// Windows' own switch: a value that Task Manager's Startup tab switched off
// (written here by reg.exe, another process) shows as off; delayed it keeps
// the switch, put back it is on as Task Manager writes it.
TEST_P(MovesEndToEnd, ASwitchedOffValueShowsAsOffAndIsOnAfterItIsPutBack) {
  if (!AsciiNames())
    GTEST_SKIP() << "one run is enough";
  const std::string approved =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
  CreatedKeysGuard approvedKeys(approved);
  RegValueGuard approvedValue(HKEY_CURRENT_USER, approved, names_.valueName);
  ASSERT_TRUE(WriteRegText(HKEY_CURRENT_USER, kRunKey, names_.valueName, ValueData()));
  ASSERT_EQ(RunAndWait("reg add \"HKCU\\" + approved + "\" /v \"" + names_.valueName +
                       "\" /t REG_BINARY /d 0300000010325476" + "98BADC01 /f"),
            0u);
  const std::string off("\x03\0\0\0\x10\x32\x54\x76\x98\xBA\xDC\x01", 12);
  ASSERT_EQ(ReadRegValue(HKEY_CURRENT_USER, approved, names_.valueName),
            (RegText{REG_BINARY, off}));

  const TreeModel::NodeId node = Item(st::kCurrentUserRegistry, RunValueText());
  ASSERT_NE(node, TreeModel::kNoNode);
  EXPECT_EQ(Window().Tree().At(node).image, st::image::kSwitchedOff);

  Choose(st::kCurrentUserRegistry, RunValueText(), ItemPopupEntry::kDelay);
  EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, approved, names_.valueName),
            (RegText{REG_BINARY, off}));
  Choose(st::kDelayedRegistryCurrentUser, RunValueText(), ItemPopupEntry::kRun);
  EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, approved, names_.valueName),
            (RegText{REG_BINARY, std::string("\x02", 1) + std::string(11, '\0')}));
  EXPECT_EQ(ReadRegText(HKEY_CURRENT_USER, kRunKey, names_.valueName), ValueData());
  EXPECT_EQ(Window().Tree().At(Item(st::kCurrentUserRegistry, RunValueText())).image,
            st::image::kNone);
  const std::string log = ReadFileBytes(rig_.folder() + "\\log.txt").value_or("");
  EXPECT_NE(log.find("Switched on in Windows' startup settings, as Vantrel put it back: "
                     "HKEY_CURRENT_USER\\" +
                     approved + "\\" + names_.valueName),
            std::string::npos)
      << log;
  EXPECT_TRUE(rig_.platform().boxes.empty()) << ::testing::PrintToString(rig_.platform().boxes);
}

// What a user delays from the window starts at the next login run, with its
// exact arguments: a shortcut (recorded by its bare name) and a Run value
// with quoted arguments in the shape installers write.
TEST_P(MovesEndToEnd, DelayedItemsStartAtTheNextLoginWithTheirArguments) {
  if (!AsciiNames())
    GTEST_SKIP() << "one run is enough";
  const std::string built = ThisExeFolder();
  if (!PathExists(built + "\\recorder.exe"))
    GTEST_SKIP() << "recorder.exe is not built";
  const std::string apps = rig_.folder() + "\\Apps Dir";
  ASSERT_TRUE(::CreateDirectoryA(apps.c_str(), nullptr));
  for (const char* exe : {"Update.exe", "notes.exe"})
    ASSERT_TRUE(
        ::CopyFileA((built + "\\recorder.exe").c_str(), (apps + "\\" + exe).c_str(), FALSE));
  ASSERT_TRUE(::CopyFileA((built + "\\Vantrel.exe").c_str(),
                          (rig_.folder() + "\\Vantrel.exe").c_str(), FALSE));
  const std::string notes = startupFolder_ + "\\Notes.lnk";
  FileGuard notesGuard(notes);
  ASSERT_TRUE(MakeShortcut(notes, apps + "\\notes.exe", "--notes \"a b\""));
  const std::string teams = "\"" + apps +
                            "\\Update.exe\" --processStart \"Teams.exe\" --process-start-args "
                            "\"--system-initiated\"";
  ASSERT_TRUE(WriteRegText(HKEY_CURRENT_USER, kRunKey, names_.valueName, teams));
  rig_.context().Store.MainStartupDelay = 0;

  Choose(st::kCurrentUserStartup, "Notes.lnk", ItemPopupEntry::kDelay);
  Choose(st::kCurrentUserRegistry, std::string(names_.valueName) + "=" + teams,
         ItemPopupEntry::kDelay);
  EXPECT_TRUE(rig_.platform().boxes.empty()) << ::testing::PrintToString(rig_.platform().boxes);
  const std::string file = ReadFileBytes(rig_.context().NewDelayLoad().FilePath()).value_or("");
  EXPECT_NE(file.find("     Execute (\"Notes.lnk\", \"\", 0, \"\");\r\n"), std::string::npos)
      << file;

  ASSERT_TRUE(RunAndWait("\"" + rig_.folder() + "\\Vantrel.exe\" -nogui").has_value());
  std::string recorded;
  for (int i = 0; i < 100 && std::count(recorded.begin(), recorded.end(), '\n') < 2; ++i) {
    ::Sleep(50);
    recorded = ReadFileBytes(apps + "\\recorder.txt").value_or("");
  }
  EXPECT_NE(recorded.find(" --notes \"a b\"\r\n"), std::string::npos) << recorded;
  EXPECT_NE(recorded.find(" --processStart \"Teams.exe\" --process-start-args "
                          "\"--system-initiated\"\r\n"),
            std::string::npos)
      << recorded;
}

// A proggroup.c saved as UTF-16 is no file without entries: Tarrow stays,
// one box tells the user, and the next save keeps the file as .bak.
TEST_P(MovesEndToEnd, AUtf16FileKeepsTarrowAndIsKeptAsBak) {
  if (!AsciiNames())
    GTEST_SKIP() << "one run is enough";
  const std::string path = rig_.context().NewDelayLoad().FilePath();
  std::string utf16 = "\xFF\xFE";
  for (char c :
       std::string("void Startup()\r\n{\r\n     Execute (\"A.lnk\", \"\", 0, \"\");\r\n}\r\n"))
    utf16 += std::string{c, '\0'};
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << utf16;
  }
  ASSERT_TRUE(WriteRegText(HKEY_CURRENT_USER, kRunKey, kOwnValue, rig_.context().OwnRunCommand));
  ASSERT_TRUE(MakeShortcut(ShortcutPath(), "C:\\windows\\notepad.exe", "/moves-test"));
  rig_.context().Text.Messages[message::kProgramGroupsNotText] = "not text";

  // As Vantrel starts: Main reads the file before the window loads.
  EXPECT_FALSE(rig_.context().NewDelayLoad().LoadItems());
  Window();
  EXPECT_EQ(ReadRegText(HKEY_CURRENT_USER, kRunKey, kOwnValue), rig_.context().OwnRunCommand);
  ASSERT_EQ(rig_.platform().boxes.size(), 1u);
  EXPECT_EQ(ReadFileBytes(path), utf16);

  Choose(st::kCurrentUserStartup, names_.shortcutName, ItemPopupEntry::kDelay);
  EXPECT_EQ(ReadFileBytes(path + ".bak"), utf16);
  EXPECT_NE(ReadFileBytes(path), utf16);
  EXPECT_EQ(ReadRegText(HKEY_CURRENT_USER, kRunKey, kOwnValue), rig_.context().OwnRunCommand);
  EXPECT_EQ(rig_.platform().boxes.size(), 1u) << "the problem is told once";
  Choose(st::kDelayedStartupCurrentUser, names_.shortcutName, ItemPopupEntry::kRun);
}

// A delay cut short by a crash: the shortcut and the value are in Vantrel's
// store, and proggroup.c holds no record of either.
TEST_P(MovesEndToEnd, WhatACrashLeftInTheStoreShowsAsFoundAndRunPutsItBack) {
  const std::string shortcutName = names_.shortcutName;
  const std::string valueName = names_.valueName;
  const std::string valueData = ValueData();
  ASSERT_TRUE(MakeShortcut(ShortcutPath(), Recorder(), "/crash-test"));
  const auto shortcutBytes = ReadFileBytes(ShortcutPath());
  ASSERT_TRUE(shortcutBytes && !shortcutBytes->empty());
  const std::string items = rig_.context().Store.CurrentUserItemsFolder;
  ::CreateDirectoryA(items.substr(0, items.rfind('\\', items.size() - 2)).c_str(), nullptr);
  ::CreateDirectoryA(items.c_str(), nullptr);
  ASSERT_TRUE(::MoveFileA(ShortcutPath().c_str(), DelayedShortcutPath().c_str()));
  ASSERT_TRUE(WriteRegText(HKEY_CURRENT_USER, kUserStore, valueName, valueData));

  Window();
  const TreeModel& tree = Window().Tree();
  ASSERT_NE(tree.Find(st::kFoundItemsRoot), TreeModel::kNoNode);
  EXPECT_EQ(tree.At(tree.Find(st::kFoundItemsRoot)).text, "Found in Vantrel's Store (2)");
  EXPECT_NE(Item(st::kFoundCurrentStartup, shortcutName), TreeModel::kNoNode);
  EXPECT_NE(Item(st::kFoundCurrentRegistry, RunValueText()), TreeModel::kNoNode);

  Choose(st::kFoundCurrentStartup, shortcutName, ItemPopupEntry::kRun);
  Choose(st::kFoundCurrentRegistry, RunValueText(), ItemPopupEntry::kRun);
  EXPECT_EQ(ReadFileBytes(ShortcutPath()), shortcutBytes) << "byte for byte";
  EXPECT_FALSE(PathExists(DelayedShortcutPath()));
  EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kRunKey, valueName),
            (RegText{REG_SZ, valueData + '\0'}));
  EXPECT_EQ(ReadRegText(HKEY_CURRENT_USER, kUserStore, valueName), std::nullopt);
  EXPECT_EQ(Window().Tree().Find(st::kFoundItemsRoot), TreeModel::kNoNode);
  EXPECT_NE(Item(st::kCurrentUserStartup, shortcutName), TreeModel::kNoNode);
  EXPECT_NE(Item(st::kCurrentUserRegistry, RunValueText()), TreeModel::kNoNode);
  EXPECT_TRUE(rig_.platform().boxes.empty()) << ::testing::PrintToString(rig_.platform().boxes);
}

INSTANTIATE_TEST_SUITE_P(Names, MovesEndToEnd, ::testing::ValuesIn(kNames),
                         [](const ::testing::TestParamInfo<Names>& info) {
                           return std::string(info.param.label);
                         });

TEST(MovesPopupMenu, ReturnsNothingWhenDismissedOrForADisabledEntry) {
  TestWindow owner("Vantrel popup test");
  TextTables text;
  text.Menus[menu::kTVDelay] = "&Delay";
  text.Menus[menu::kTVStop] = "&Stop";
  const auto entries = items::BuildItemPopupMenu(text, items::PopupStateFor("Stopped Items"));
  ::PostMessageA(owner.handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(win32ui::TrackItemPopup(owner.handle(), POINT{10, 10}, entries), std::nullopt);
  // Stop is greyed for a stopped item: its key chooses nothing.
  ::PostMessageA(owner.handle(), WM_CHAR, 's', 0);
  ::PostMessageA(owner.handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(win32ui::TrackItemPopup(owner.handle(), POINT{10, 10}, entries), std::nullopt);
  // Whatever the closed menu left in the queue goes first.
  MainWindowRig::Pump();
  ::PostMessageA(owner.handle(), WM_CHAR, 'd', 0);
  EXPECT_EQ(win32ui::TrackItemPopup(owner.handle(), POINT{10, 10}, entries),
            ItemPopupEntry::kDelay);
}

} // namespace
} // namespace vantrel::testing::moves
