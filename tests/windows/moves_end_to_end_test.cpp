// Delaying and putting back real startup items under Wine with the real
// main window: a real shortcut in the user's Startup folder and a real
// value in the user's Run key are delayed through the item popup menu
// (right-clicked in the tree control, the entry chosen by its access key),
// started by Vantrel.exe's login run with their exact arguments, and put
// back with Run. Vantrel's program folder is a scratch folder; with names
// in CJK it lies under C:\程序\.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/program_folder.h"
#include "native/crlf_text.h"
#include "vantrel/moves/item_commands.h"
#include "vantrel/moves/registry_backup.h"
#include "vantrel/tree/found_items_branch.h"
#include "vantrel/tree/startup_tree.h"
#include "vantrel/win32ui/item_command_services.h"
#include "vantrel/win32ui/item_popup.h"
#include "windows/support/window_rig.h"

#include <commctrl.h>

namespace vantrel::testing::moves {
namespace {

namespace st = startup_tree;

constexpr const char* kOwnValue = "Tarrow";
constexpr const char* kApproved =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

// The names of one run: the shortcut (to recorder.exe) and the Run value
// (recorder.exe with arguments), and where the program folder lies.
struct Names {
  const char* label;
  const char* folderBase; // empty: %TEMP%
  const char* shortcutName;
  const char* shortcutArguments;
  const char* valueName;
  const char* valueArguments;
  // A REG_EXPAND_SZ value with a quoted path, as installers write them;
  // otherwise a REG_SZ value with a bare path.
  bool expandable;
};

void PrintTo(const Names& names, std::ostream* out) {
  *out << names.label;
}

const Names kNames[] = {
    {"Ascii", "", "Vantrel Moves Test.lnk", "--notes \"a b\"", "Vantrel Moves Test",
     "--processStart \"Teams.exe\" --process-start-args \"--system-initiated\"", true},
    // C:\程序, 日本.lnk "日本 引数", 東京 = ...recorder.exe 漢字
    {"Cjk", "C:\\\xE7\xA8\x8B\xE5\xBA\x8F", "\xE6\x97\xA5\xE6\x9C\xAC.lnk",
     "\xE6\x97\xA5\xE6\x9C\xAC \xE5\xBC\x95\xE6\x95\xB0", "\xE6\x9D\xB1\xE4\xBA\xAC",
     "\xE6\xBC\xA2\xE5\xAD\x97", false},
};

// The real main window over the real platform, its program folder a
// scratch folder, but its current user's Startup folder the real one. The
// item commands are installed as Vantrel.exe installs them.
class MovesEndToEnd : public ::testing::TestWithParam<Names> {
protected:
  void SetUp() override {
    ASSERT_FALSE(startupFolder_.empty());
    for (const char* exe : {"Vantrel.exe", "recorder.exe"})
      ASSERT_TRUE(CopyBuiltExe(exe, rig_.folder())) << exe;
    AppContext& context = rig_.context();
    context.CurrentUserStartupFolder = startupFolder_;
    context.Store.StartupType = 1;
    context.Store.MainStartupDelay = 0; // the login run starts at once
    // Access keys by which the test picks the popup's entries.
    context.Text.Menus[menu::kTVDelay] = "&Delay";
    context.Text.Menus[menu::kTVRun] = "&Run";
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
  void Choose(std::string_view category, const std::string& text, char accessKey) {
    win32ui::StartupItemsWindow& window = Window();
    const TreeModel::NodeId node = Item(category, text);
    ASSERT_NE(node, TreeModel::kNoNode) << text;
    const HWND tree = window.TreeView()->hwnd();
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                   reinterpret_cast<LPARAM>(window.TreeView()->ItemOf(node)));
    ASSERT_EQ(window.SelectedNode(), node);
    // The menu's own loop reads the key from the thread's queue.
    ::PostMessageA(window.hwnd(), WM_CHAR, static_cast<WPARAM>(accessKey), 0);
    NMHDR click{tree, static_cast<UINT_PTR>(::GetDlgCtrlID(tree)), static_cast<UINT>(NM_RCLICK)};
    ::SendMessageA(window.hwnd(), WM_NOTIFY, click.idFrom, reinterpret_cast<LPARAM>(&click));
    WindowRig::Pump();
  }

  std::string Recorder() const { return rig_.folder() + "\\recorder.exe"; }
  RegText Value() const {
    if (!names_.expandable)
      return {REG_SZ, Recorder() + " " + names_.valueArguments + '\0'};
    return {REG_EXPAND_SZ,
            "\"%SystemDrive%" + Recorder().substr(2) + "\" " + names_.valueArguments + '\0'};
  }
  std::string ValueData() const { return Value().data.substr(0, Value().data.size() - 1); }
  std::string RunValueText() const { return std::string(names_.valueName) + "=" + ValueData(); }
  std::string ShortcutPath() const { return startupFolder_ + "\\" + names_.shortcutName; }
  std::string DelayedShortcutPath() {
    return rig_.context().Store.CurrentUserItemsFolder + names_.shortcutName;
  }
  std::string Log() const { return ReadFileBytes(rig_.folder() + "\\log.txt").value_or(""); }

  const Names names_ = GetParam();
  // Guards first: they give everything back after the test.
  RegValueGuard ownUserValue_{HKEY_CURRENT_USER, kRunKey, kOwnValue};
  RegValueGuard ownMachineValue_{HKEY_LOCAL_MACHINE, kRunKey, kOwnValue};
  RegValueGuard runValue_{HKEY_CURRENT_USER, kRunKey, names_.valueName};
  CreatedKeysGuard storeKeys_{kUserStore};
  RegValueGuard storedValue_{HKEY_CURRENT_USER, kUserStore, names_.valueName};
  CreatedKeysGuard approvedKeys_{kApproved};
  RegValueGuard approvedValue_{HKEY_CURRENT_USER, kApproved, names_.valueName};
  WindowRig rig_{names_.folderBase};
  std::string startupFolder_ = GetSpecialFolder(rig_.platform(), kCsidlStartup);
  FileGuard shortcut_{startupFolder_ + "\\" + names_.shortcutName};
  bool loaded_ = false;
};

TEST_P(MovesEndToEnd, DelayFromThePopupStartAtLoginThenRun) {
  const std::string shortcutName = names_.shortcutName;
  const std::string valueName = names_.valueName;
  ASSERT_EQ(Recorder()[1], ':');
  ASSERT_TRUE(MakeShortcut(ShortcutPath(), Recorder(), names_.shortcutArguments));
  const auto shortcutBytes = ReadFileBytes(ShortcutPath());
  ASSERT_TRUE(shortcutBytes && !shortcutBytes->empty());
  ASSERT_TRUE(WriteRegValue(HKEY_CURRENT_USER, kRunKey, valueName, Value()));
  // Task Manager's Startup tab switched the value off (written here by
  // reg.exe, another process).
  ASSERT_EQ(RunAndWait("reg add \"HKCU\\" + std::string(kApproved) + "\" /v \"" + valueName +
                       "\" /t REG_BINARY /d 030000001032547698BADC01 /f"),
            0u);
  const RegText off{REG_BINARY, std::string("\x03\0\0\0\x10\x32\x54\x76\x98\xBA\xDC\x01", 12)};
  ASSERT_EQ(ReadRegValue(HKEY_CURRENT_USER, kApproved, valueName), off);

  // Shown by their names, the value as switched off, and delayed from the
  // popup; the switch stays as it was.
  EXPECT_NE(Item(st::kCurrentUserStartup, shortcutName), TreeModel::kNoNode);
  const TreeModel::NodeId valueNode = Item(st::kCurrentUserRegistry, RunValueText());
  ASSERT_NE(valueNode, TreeModel::kNoNode);
  EXPECT_EQ(Window().Tree().At(valueNode).image, st::image::kSwitchedOff);
  Choose(st::kCurrentUserStartup, shortcutName, 'd');
  Choose(st::kCurrentUserRegistry, RunValueText(), 'd');
  EXPECT_FALSE(PathExists(ShortcutPath()));
  EXPECT_EQ(ReadFileBytes(DelayedShortcutPath()), shortcutBytes);
  EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kRunKey, valueName), std::nullopt);
  EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kUserStore, valueName), Value());
  EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kApproved, valueName), off);
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
            items::RegFileBytes(
                "Windows Registry Editor Version 5.00\r\n\r\n" + items::RunKeyLine(true) + "\r\n" +
                items::RunValueLine(valueName, ValueData(), Value().type) + "\r\n"));

  // The login run starts both with their exact arguments, the expandable
  // value with its environment strings expanded.
  ASSERT_EQ(RunAndWait("\"" + rig_.folder() + "\\Vantrel.exe\" -nogui", 30000), 0u);
  std::vector<std::string> started;
  for (int i = 0; i < 100 && started.size() < 2; ++i, ::Sleep(50))
    started = test_text::CrLfLinesOf(ReadFileBytes(rig_.folder() + "\\recorder.txt").value_or(""));
  for (std::string& line : started)
    line = line.substr(line.find(' ') + 1); // after the time stamp
  std::sort(started.begin(), started.end());
  std::vector<std::string> arguments = {names_.shortcutArguments, names_.valueArguments};
  std::sort(arguments.begin(), arguments.end());
  EXPECT_EQ(started, arguments) << Log();

  // Put both back with Run: byte for byte, with the value's type, and
  // switched on as Task Manager writes it.
  Choose(st::kDelayedStartupCurrentUser, shortcutName, 'r');
  Choose(st::kDelayedRegistryCurrentUser, RunValueText(), 'r');
  EXPECT_EQ(ReadFileBytes(ShortcutPath()), shortcutBytes);
  EXPECT_FALSE(PathExists(DelayedShortcutPath()));
  EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kRunKey, valueName), Value());
  EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kUserStore, valueName), std::nullopt);
  EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kApproved, valueName),
            (RegText{REG_BINARY, std::string("\x02", 1) + std::string(11, '\0')}));
  EXPECT_NE(Log().find("Switched on in Windows' startup settings, as Vantrel put it back: "
                       "HKEY_CURRENT_USER\\" +
                       std::string(kApproved) + "\\" + valueName),
            std::string::npos)
      << Log();
  EXPECT_EQ(ReadRegText(HKEY_CURRENT_USER, kRunKey, kOwnValue), std::nullopt);
  EXPECT_EQ(ReadRegText(HKEY_LOCAL_MACHINE, kRunKey, kOwnValue), std::nullopt);
  EXPECT_NE(Item(st::kCurrentUserStartup, shortcutName), TreeModel::kNoNode);
  const TreeModel::NodeId back = Item(st::kCurrentUserRegistry, RunValueText());
  ASSERT_NE(back, TreeModel::kNoNode);
  EXPECT_EQ(Window().Tree().At(back).image, st::image::kNone);
  EXPECT_TRUE(rig_.platform().boxes.empty()) << ::testing::PrintToString(rig_.platform().boxes);
}

// What a delay cut short by a crash left in Vantrel's store: the shortcut
// and the value, with no record of either. They show as found, and Run
// puts them back. (A proggroup.c that is no text is the native tests'.)
TEST_P(MovesEndToEnd, WhatACrashLeftShowsAsFoundAndRunPutsItBack) {
  ASSERT_TRUE(MakeShortcut(ShortcutPath(), Recorder(), "/crash-test"));
  const auto shortcutBytes = ReadFileBytes(ShortcutPath());
  ASSERT_TRUE(shortcutBytes && !shortcutBytes->empty());
  const std::string items = rig_.context().Store.CurrentUserItemsFolder;
  ::SHCreateDirectoryExA(nullptr, items.c_str(), nullptr);
  ASSERT_TRUE(::MoveFileA(ShortcutPath().c_str(), DelayedShortcutPath().c_str()));
  ASSERT_TRUE(WriteRegValue(HKEY_CURRENT_USER, kUserStore, names_.valueName, Value()));

  const TreeModel& tree = Window().Tree();
  ASSERT_NE(tree.Find(st::kFoundItemsRoot), TreeModel::kNoNode);
  EXPECT_EQ(tree.At(tree.Find(st::kFoundItemsRoot)).text, "Found in Vantrel's Store (2)");
  Choose(st::kFoundCurrentStartup, names_.shortcutName, 'r');
  Choose(st::kFoundCurrentRegistry, RunValueText(), 'r');
  EXPECT_EQ(ReadFileBytes(ShortcutPath()), shortcutBytes);
  EXPECT_FALSE(PathExists(DelayedShortcutPath()));
  EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kRunKey, names_.valueName), Value());
  EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kUserStore, names_.valueName), std::nullopt);
  EXPECT_EQ(tree.Find(st::kFoundItemsRoot), TreeModel::kNoNode);
  EXPECT_NE(Item(st::kCurrentUserStartup, names_.shortcutName), TreeModel::kNoNode);
  EXPECT_NE(Item(st::kCurrentUserRegistry, RunValueText()), TreeModel::kNoNode);
  EXPECT_TRUE(rig_.platform().boxes.empty()) << ::testing::PrintToString(rig_.platform().boxes);
}

INSTANTIATE_TEST_SUITE_P(Names, MovesEndToEnd, ::testing::ValuesIn(kNames),
                         [](const ::testing::TestParamInfo<Names>& info) {
                           return std::string(info.param.label);
                         });

} // namespace
} // namespace vantrel::testing::moves
