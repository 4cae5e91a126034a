// Delaying and putting back real startup items under Wine with the real
// main window: a real shortcut in the user's Startup folder and a real
// value in the user's Run key are delayed through the item popup menu
// (right-clicked in the tree control, the entry chosen by its access key),
// started by Vantrel.exe's login run with their exact arguments, put back
// with Run, and put back once more by regedit from the registry backup.
// Vantrel's program folder is a scratch folder; with names in CJK it lies
// under C:\程序\.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/program_folder.h"
#include "native/crlf_text.h"
#include "vantrel/moves/item_commands.h"
#include "vantrel/moves/registry_backup.h"
#include "vantrel/tree/startup_tree.h"
#include "vantrel/win32ui/item_command_services.h"
#include "windows/support/window_rig.h"

#include <commctrl.h>

namespace vantrel::testing::moves {
namespace {

namespace st = startup_tree;

constexpr const char* kOwnValue = "Tarrow";

// The shortcut (to recorder.exe) and the Run value (recorder.exe with
// arguments) of one run, and where the program folder lies.
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

const Names kNames[] = {
    {"Ascii", "", "Vantrel Moves Test.lnk", "--notes \"a b\"", "Vantrel Moves Test",
     "--processStart \"Teams.exe\" --process-start-args \"--system-initiated\" a=1", true},
    // C:\程序, 日本.lnk "日本 引数", 東京 = ...recorder.exe 漢字
    {"Cjk", "C:\\\xE7\xA8\x8B\xE5\xBA\x8F", "\xE6\x97\xA5\xE6\x9C\xAC.lnk",
     "\xE6\x97\xA5\xE6\x9C\xAC \xE5\xBC\x95\xE6\x95\xB0", "\xE6\x9D\xB1\xE4\xBA\xAC",
     "\xE6\xBC\xA2\xE5\xAD\x97", false},
};

// The real main window over the real platform, its program folder a
// scratch folder, but its current user's Startup folder the real one, and
// the item commands installed as Vantrel.exe installs them.
class MovesEndToEnd : public ::testing::TestWithParam<int> {
protected:
  void SetUp() override {
    ASSERT_FALSE(startupFolder_.empty());
    for (const char* exe : {"Vantrel.exe", "recorder.exe"})
      ASSERT_TRUE(CopyBuiltExe(exe, rig_.folder())) << exe;
    AppContext& context = rig_.context();
    context.CurrentUserStartupFolder = startupFolder_;
    context.Store.StartupType = 1;
    context.Store.MainStartupDelay = 0; // the login run starts at once
    context.Text.Menus[menu::kTVDelay] = "&Delay";
    context.Text.Menus[menu::kTVRun] = "&Run";
    ASSERT_TRUE(context.NewDelayLoad().WriteItems());
    rig_.LoadWindow();
    rig_.window().SetCommands(
        std::make_unique<items::ItemCommands>(rig_.window(), win32ui::Win32ItemCommandServices()));
  }

  // The item node with this text under the category; kNoNode if none.
  TreeModel::NodeId Item(std::string_view category, const std::string& text) {
    const TreeModel& tree = rig_.window().Tree();
    const TreeModel::NodeId parent = tree.Find(category);
    for (const TreeModel::NodeId child :
         parent == TreeModel::kNoNode ? std::vector<TreeModel::NodeId>{} : tree.At(parent).children)
      if (tree.At(child).text == text)
        return child;
    return TreeModel::kNoNode;
  }

  // Selects the item in the tree control, right-clicks it and types the
  // entry's access key into the popup menu that opens.
  void Choose(std::string_view category, const std::string& text, char accessKey) {
    win32ui::StartupItemsWindow& window = rig_.window();
    const TreeModel::NodeId node = Item(category, text);
    ASSERT_NE(node, TreeModel::kNoNode) << text;
    const HWND tree = window.TreeView()->hwnd();
    TreeView_SelectItem(tree, window.TreeView()->ItemOf(node));
    ASSERT_EQ(window.SelectedNode(), node);
    // The menu's own loop reads the key from the thread's queue.
    ::PostMessageA(window.hwnd(), WM_CHAR, static_cast<WPARAM>(accessKey), 0);
    NMHDR click{tree, static_cast<UINT_PTR>(::GetDlgCtrlID(tree)), static_cast<UINT>(NM_RCLICK)};
    ::SendMessageA(window.hwnd(), WM_NOTIFY, click.idFrom, reinterpret_cast<LPARAM>(&click));
    WindowRig::Pump();
  }

  std::string Recorder() const { return rig_.folder() + "\\recorder.exe"; }
  std::string ValueData() const {
    return (names_.expandable ? "\"%SystemDrive%" + Recorder().substr(2) + "\" "
                              : Recorder() + " ") +
           names_.valueArguments;
  }
  RegText Value() const {
    return {static_cast<DWORD>(names_.expandable ? REG_EXPAND_SZ : REG_SZ), ValueData() + '\0'};
  }
  std::string ValueText() const { return std::string(names_.valueName) + "=" + ValueData(); }
  std::optional<RegText> Read(HKEY root, const char* path, const std::string& name = "") {
    return ReadRegValue(root, path, name.empty() ? names_.valueName : name);
  }

  const Names names_ = kNames[GetParam()];
  // Held first, given back last; the values before their keys.
  std::vector<Undo> held_{HoldRegValue(HKEY_CURRENT_USER, kRunKey, kOwnValue),
                          HoldRegValue(HKEY_LOCAL_MACHINE, kRunKey, kOwnValue),
                          HoldRegValue(HKEY_CURRENT_USER, kRunKey, names_.valueName),
                          HoldRegValue(HKEY_CURRENT_USER, kUserStore, names_.valueName),
                          HoldNewKeys(kUserStore)};
  WindowRig rig_{names_.folderBase};
  std::string startupFolder_ = GetSpecialFolder(rig_.platform(), kCsidlStartup);
  std::string shortcutPath_ = startupFolder_ + "\\" + names_.shortcutName;
  Undo shortcut_ = HoldFile(shortcutPath_);
};

TEST_P(MovesEndToEnd, DelayFromThePopupStartAtLoginThenRunAndImportTheBackup) {
  const std::string delayedPath = rig_.context().Store.CurrentUserItemsFolder + names_.shortcutName;
  ASSERT_EQ(Recorder()[1], ':');
  ASSERT_TRUE(MakeShortcut(shortcutPath_, Recorder(), names_.shortcutArguments));
  const auto shortcutBytes = ReadFileBytes(shortcutPath_);
  ASSERT_TRUE(shortcutBytes && !shortcutBytes->empty());
  ASSERT_TRUE(WriteRegValue(HKEY_CURRENT_USER, kRunKey, names_.valueName, Value()));
  rig_.window().RefreshData();
  WindowRig::Pump();

  // Delayed from the popup.
  Choose(st::kCurrentUserStartup, names_.shortcutName, 'd');
  Choose(st::kCurrentUserRegistry, ValueText(), 'd');
  EXPECT_EQ(ReadFileBytes(shortcutPath_), std::nullopt);
  EXPECT_EQ(ReadFileBytes(delayedPath), shortcutBytes);
  EXPECT_EQ(Read(HKEY_CURRENT_USER, kRunKey), std::nullopt);
  EXPECT_EQ(Read(HKEY_CURRENT_USER, kUserStore), Value());
  // Startup type 1 with delayed items of the current user: Vantrel starts
  // at this user's login.
  EXPECT_EQ(Read(HKEY_CURRENT_USER, kRunKey, kOwnValue), Sz(rig_.context().OwnRunCommand));
  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kRunKey, kOwnValue), std::nullopt);
  // The value was backed up in today's folder, named by the system clock;
  // beyond ASCII as UTF-16, as the registry editor exports.
  const auto today = win32ui::SystemLocalTime();
  ASSERT_TRUE(today);
  const std::string day =
      rig_.folder() + "\\Delayed Registry\\" + items::BackupDayFolderName(*today);
  WIN32_FIND_DATAA found{};
  win32::UniqueFind search(::FindFirstFileA((day + "\\*.reg").c_str(), &found));
  ASSERT_TRUE(search.valid()) << day;
  const std::string backup = day + "\\" + found.cFileName;
  EXPECT_EQ(ReadFileBytes(backup),
            items::RegFileBytes(
                "Windows Registry Editor Version 5.00\r\n\r\n" + items::RunKeyLine(true) + "\r\n" +
                items::RunValueLine(names_.valueName, ValueData(), Value().type) + "\r\n"));

  // The login run starts both with their exact arguments, the expandable
  // value with its environment strings expanded.
  ASSERT_EQ(RunAndWait("\"" + rig_.folder() + "\\Vantrel.exe\" -nogui", 30000), 0u);
  std::multiset<std::string> started;
  for (const std::string& line : RecordedLines(rig_.folder(), 2))
    started.insert(line.substr(line.find(' ') + 1)); // after the time stamp
  EXPECT_EQ(started, (std::multiset<std::string>{names_.shortcutArguments, names_.valueArguments}))
      << rig_.ReadFile("log.txt");

  // Put both back with Run: byte for byte, with the value's type.
  Choose(st::kDelayedStartupCurrentUser, names_.shortcutName, 'r');
  Choose(st::kDelayedRegistryCurrentUser, ValueText(), 'r');
  EXPECT_EQ(ReadFileBytes(shortcutPath_), shortcutBytes);
  EXPECT_EQ(ReadFileBytes(delayedPath), std::nullopt);
  EXPECT_EQ(Read(HKEY_CURRENT_USER, kRunKey), Value());
  EXPECT_EQ(Read(HKEY_CURRENT_USER, kUserStore), std::nullopt);
  EXPECT_EQ(Read(HKEY_CURRENT_USER, kRunKey, kOwnValue), std::nullopt);
  EXPECT_TRUE(rig_.platform().boxes.empty()) << ::testing::PrintToString(rig_.platform().boxes);

  // The user puts the value back by hand from the backup. (Wine's regedit
  // reads the hex(2) of a backup that is no UTF-16 file as 8-bit text.)
  if (names_.expandable)
    return;
  DeleteRegValue(HKEY_CURRENT_USER, kRunKey, names_.valueName);
  EXPECT_EQ(RunAndWait("regedit.exe /s \"" + backup + "\""), 0u);
  EXPECT_EQ(Read(HKEY_CURRENT_USER, kRunKey), Value());
}

INSTANTIATE_TEST_SUITE_P(Names, MovesEndToEnd, ::testing::Range(0, 2),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(kNames[info.param].label);
                         });

} // namespace
} // namespace vantrel::testing::moves
