// The moves on the simulated machine: Run values of both scopes delayed, stopped
// and put back (the Run keys, Vantrel's stores, the model and the .reg backups
// byte for byte), REG_EXPAND_SZ data and the 32-bit view chained through the
// popup, the login run and putting back, and the main window's item commands
// on the real tree.

#include <gtest/gtest.h>

#include "common/store/startup_group.h"
#include "common/text.h"
#include "native/window_machine.h"
#include "store_test_support.h"
#include "vantrel/moves/check_propagation.h"
#include "vantrel/moves/popup_menu.h"
#include "vantrel/moves/registry_backup.h"
#include "vantrel/moves/registry_moves.h"
#include "vantrel/window/online_search.h"

namespace vantrel::moves_test {
namespace {

namespace st = startup_tree;
using items::CheckedItems;
using items::CheckedStopped;
using items::From;
using items::ItemCommands;
using items::MoveTo;
using store_test::CrLf;

const std::string kBackupName = "14 05 09.reg";
const std::string kUserKeyLine =
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]";
const std::string kMachineKeyLine =
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]";

std::string Sz(const std::string& text) {
  return text + std::string(1, '\0');
}

std::string Backup(const std::string& keyLine, const std::string& line) {
  return CrLf({"Windows Registry Editor Version 5.00", "", keyLine, line});
}

TEST(MovesRegistry, DelayAndStopInBothScopes) {
  const struct {
    ItemKind kind;
    RegKey root;
    std::string command, prefix, keyLine;
  } scopes[] = {
      {ItemKind::kCurrentUserRunValue, kHkeyCurrentUser, "ExecuteReg", "_REGCU_", kUserKeyLine},
      {ItemKind::kAllUsersRunValue, kHkeyLocalMachine, "ExecuteRegAU", "_REGAU_", kMachineKeyLine},
  };
  for (const auto& scope : scopes) {
    for (const bool stop : {false, true}) {
      SCOPED_TRACE(scope.command + (stop ? ", stop" : ", delay"));
      MovesMachine m;
      m.AddRunValue(scope.root, "Agent", "\"C:\\Program Files\\A\\agent.exe\" -min");
      m.AddRunValue(scope.root, "Other", "C:\\o.exe");
      EXPECT_TRUE(items::DelayRegistryItem(
          m.session, "Agent=\"C:\\Program Files\\A\\agent.exe\" -min", scope.kind,
          stop ? MoveTo::kStopped : MoveTo::kDelayed, From::kListed));
      m.Reload();
      EXPECT_EQ(m.RunValue(scope.root, "Agent"), std::nullopt);
      EXPECT_EQ(m.RunValue(scope.root, "Other"), "C:\\o.exe");
      EXPECT_EQ(m.StoredValue(scope.root, "Agent"), "\"C:\\Program Files\\A\\agent.exe\" -min");
      EXPECT_EQ(m.BackupText(kBackupName),
                Backup(scope.keyLine,
                       "\"Agent\"=\"\\\"C:\\\\Program Files\\\\A\\\\agent.exe\\\" -min\""));
      if (!stop) {
        EXPECT_EQ(m.Delayed(),
                  std::vector<ProgramEntry>{Program(
                      scope.command, "\"C:\\Program Files\\A\\agent.exe\"", "-min", "Agent")});
        EXPECT_TRUE(m.Stopped().empty());
        // Delaying the delayed value again keeps one record, its own delay
        // back at 0.
        StartupGroup(m.context.Store)->Programs[0].Delay = 5;
        EXPECT_TRUE(items::DelayRegistryItem(m.session,
                                             "Agent=\"C:\\Program Files\\A\\agent.exe\" -min",
                                             scope.kind, MoveTo::kDelayed, From::kListed));
        m.Reload();
        ASSERT_EQ(m.Delayed().size(), 1u);
        EXPECT_EQ(m.Delayed()[0].Delay, 0.0f);
        continue;
      }
      EXPECT_TRUE(m.Delayed().empty());
      // The file keeps no quotes in stopped entries.
      EXPECT_EQ(m.Stopped(),
                std::vector<std::string>{scope.prefix + "C:\\Program Files\\A\\agent.exe"});
      // Delaying it again finds the value by the path the tree shows.
      EXPECT_TRUE(items::DelayRegistryItem(m.session, "C:\\Program Files\\A\\agent.exe", scope.kind,
                                           MoveTo::kDelayed, From::kStopped));
      m.Reload();
      EXPECT_TRUE(m.Stopped().empty());
      EXPECT_EQ(m.Delayed().size(), 1u);
    }
  }
}

// The toolbar's path: the value is stored whole whatever the split makes of it.
TEST(MovesRegistry, CommandSplitKeepsTheValueWhole) {
  const struct {
    std::string data, path, parameters, backupLine;
  } cases[] = {
      {"C:\\TOOLS\\T.EXE", "C:\\TOOLS\\T.EXE", "", "\"V\"=\"C:\\\\TOOLS\\\\T.EXE\""},
      {"C:\\b\\run.bat -x 1", "C:\\b\\run.bat -x 1", "", "\"V\"=\"C:\\\\b\\\\run.bat -x 1\""},
      {"C:\\t.exe x=1", "C:\\t.exe", "x=1", "\"V\"=\"C:\\\\t.exe x=1\""},
      {"C:\\q\\t.exe q", "C:\\q\\t.exe", "q", "\"V\"=\"C:\\\\q\\\\t.exe q\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.data);
    MovesMachine m;
    m.AddRunValue(kHkeyCurrentUser, "V", c.data);
    EXPECT_TRUE(items::ApplyCheckedRegistryItems(m.session, CheckedItems{{"V=" + c.data}, {}, {}},
                                                 MoveTo::kDelayed, CheckedStopped::kLeave));
    m.Reload();
    EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "V"), c.data);
    EXPECT_EQ(m.Delayed(),
              std::vector<ProgramEntry>{Program("ExecuteReg", c.path, c.parameters, "V")});
    EXPECT_EQ(m.BackupText(kBackupName), Backup(kUserKeyLine, c.backupLine));
  }
}

TEST(MovesRegistry, BackupsWithinOneSecondEachKeepTheirFile) {
  MovesMachine m;
  for (const std::string name : {"A", "B", "C"}) {
    m.AddRunValue(kHkeyLocalMachine, name, "C:\\" + name + ".exe");
    EXPECT_TRUE(items::DelayRegistryItem(
        m.session, name + "=C:\\" + name + ".exe", ItemKind::kAllUsersRunValue,
        name == "B" ? MoveTo::kStopped : MoveTo::kDelayed, From::kListed));
  }
  EXPECT_EQ(m.BackupFiles(),
            (std::vector<std::string>{"14 05 09 (2).reg", "14 05 09 (3).reg", "14 05 09.reg"}));
  EXPECT_EQ(m.BackupText("14 05 09.reg"), Backup(kMachineKeyLine, "\"A\"=\"C:\\\\A.exe\""));
  EXPECT_EQ(m.BackupText("14 05 09 (2).reg"), Backup(kMachineKeyLine, "\"B\"=\"C:\\\\B.exe\""));
  // A new second starts a plain name again, in a new day's folder too.
  m.world.clock().Advance(24ull * 3600 * 1000);
  EXPECT_TRUE(items::DelayRegistryItem(m.session, "C=C:\\C.exe", ItemKind::kAllUsersRunValue,
                                       MoveTo::kStopped, From::kListed));
  EXPECT_EQ(m.world.List(kFolder + "\\Delayed Registry\\2026-06-13"),
            std::vector<std::string>{"14 05 09.reg"});
}

TEST(MovesRegistry, BackupEscapesBackslashesThenQuotes) {
  const struct {
    std::string name, data, line;
    std::uint32_t type = kRegSz;
  } cases[] = {
      // REG_EXPAND_SZ as UTF-16LE code units of the UTF-8 text: é is e9,00.
      {"X", "%A%\xC3\xA9", "\"X\"=hex(2):25,00,41,00,25,00,e9,00,00,00", kRegExpandSz},
      {"Q\"uote", "\"C:\\a b\\x.exe\" \"arg\\\"\"",
       "\"Q\\\"uote\"=\"\\\"C:\\\\a b\\\\x.exe\\\" \\\"arg\\\\\\\"\\\"\""},
      {"", "x", "\"\"=\"x\""},
      {"Ümlaut", "C:\\Ä\\ö.exe", "\"Ümlaut\"=\"C:\\\\Ä\\\\ö.exe\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(items::RunValueLine(c.name, c.data, c.type), c.line);
  }
}

TEST(MovesViewsTypes, AnExpandableValueKeepsItsTypeThroughEveryCommand) {
  WindowMachine m;
  m.world.registry().MakeKey(kHkeyLocalMachine, "Software\\WOW6432Node");
  const std::string data = "%SystemDrive%\\Tools\\agent.exe -q";
  m.world.RegSetRaw(kHkeyCurrentUser, kRunKey, "Agent", kRegExpandSz, Sz(data));
  // Values that are not text show as Windows shows them, and stay.
  m.world.RegSetRaw(kHkeyCurrentUser, kRunKey, "Number", kRegDword, std::string("\x2a\0\0\0", 4));
  m.world.RegSetRaw(kHkeyCurrentUser, kRunKey, "Bytes", kRegBinary, "\x01\x02\xff");
  m.window.RefreshData();
  for (const std::string text : {"Number=0x0000002a (42)", "Bytes=01 02 ff"}) {
    SCOPED_TRACE(text);
    for (const ItemPopupEntry entry : {ItemPopupEntry::kDelay, ItemPopupEntry::kStop}) {
      m.Popup(st::kCurrentUserRegistry, text, entry);
      EXPECT_TRUE(m.Type(kHkeyCurrentUser, kRunKey, text.substr(0, text.find('='))));
    }
  }
  ASSERT_EQ(4u, m.MessageTexts().size());
  EXPECT_NE(std::string::npos, m.MessageTexts()[0].find("REG_SZ or REG_EXPAND_SZ"));
  EXPECT_TRUE(m.BackupFiles().empty());

  // Delay: the store holds it as REG_EXPAND_SZ, the backup as hex(2).
  m.Popup(st::kCurrentUserRegistry, "Agent=" + data, ItemPopupEntry::kDelay);
  EXPECT_EQ(kRegExpandSz, m.Type(kHkeyCurrentUser, kUserStore, "Agent"));
  EXPECT_FALSE(m.Type(kHkeyCurrentUser, kRunKey, "Agent"));
  EXPECT_EQ(
      "Windows Registry Editor Version 5.00\r\n\r\n" + kUserKeyLine +
          "\r\n"
          "\"Agent\"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,44,00,72,00,69,00,76,\\\r\n"
          "  00,65,00,25,00,5c,00,54,00,6f,00,6f,00,6c,00,73,00,5c,00,61,00,67,00,65,00,\\\r\n"
          "  6e,00,74,00,2e,00,65,00,78,00,65,00,20,00,2d,00,71,00,00,00\r\n",
      m.BackupText(kBackupName));
  // The login run starts the expanded program.
  EXPECT_EQ(std::vector<std::string>{"C:\\Tools\\agent.exe|-q"}, m.LoginRun());

  // Stop, delay again from the stopped branch, and put back: still
  // REG_EXPAND_SZ, with its data unexpanded.
  m.window.RefreshData();
  m.Popup(st::kDelayedRegistryCurrentUser, "Agent=", ItemPopupEntry::kStop);
  EXPECT_EQ(kRegExpandSz, m.Type(kHkeyCurrentUser, kUserStore, "Agent"));
  m.Popup(st::kStoppedCurrentRegistry, "%SystemDrive%\\Tools\\agent.exe", ItemPopupEntry::kDelay);
  EXPECT_EQ(kRegExpandSz, m.Type(kHkeyCurrentUser, kUserStore, "Agent"));
  m.Popup(st::kDelayedRegistryCurrentUser, "Agent=", ItemPopupEntry::kRun);
  const auto back = m.world.RegGetValue(kHkeyCurrentUser, kRunKey, "Agent");
  ASSERT_TRUE(back);
  EXPECT_EQ(kRegExpandSz, back->type);
  EXPECT_EQ(Sz(data), back->data);
  EXPECT_FALSE(m.Type(kHkeyCurrentUser, kUserStore, "Agent"));
  EXPECT_TRUE(m.Delayed().empty());
  EXPECT_TRUE(m.Stopped().empty());
  EXPECT_EQ(4u, m.MessageTexts().size());
}

TEST(MovesViewsTypes, TheThirtyTwoBitViewHasItsOwnBranches) {
  WindowMachine m;
  m.world.registry().MakeKey(kHkeyLocalMachine, "Software\\WOW6432Node");
  m.world.RegSetString(kHkeyLocalMachine, kWowRunKey, "Helper32", "C:\\x86\\helper.exe /tray");
  m.world.RegSetString(kHkeyLocalMachine, kRunKey, "Agent64", "C:\\agent.exe");
  // What a 32-bit Vantrel left: a delayed and a stopped value in the
  // 32-bit view of its store, with records of today's format.
  m.world.RegSetString(kHkeyLocalMachine, kWowMachineStore, "Old32", "C:\\x86\\old.exe -s");
  m.world.RegSetRaw(kHkeyLocalMachine, kWowMachineStore, "Exp32", kRegExpandSz,
                    Sz("%SystemDrive%\\x86\\exp.exe"));
  m.SetModel({Program("ExecuteRegAU", "C:\\x86\\old.exe ", "-s", "Old32")},
             {"_REGAU_%SystemDrive%\\x86\\exp.exe"});
  m.window.RefreshData();
  std::vector<std::string> captions;
  for (const auto category :
       {st::kAllUsersRoot, st::kAllUsersRegistry, st::kAllUsersRegistry32, st::kDelayedAllUsers,
        st::kDelayedRegistryAllUsers, st::kDelayedRegistryAllUsers32, st::kStoppedAll,
        st::kStoppedAllRegistry, st::kStoppedAllRegistry32})
    captions.push_back(m.Caption(category));
  EXPECT_EQ(captions, (std::vector<std::string>{
                          "All Users (2)", "Registry Run (1)", "Registry Run 32-bit (1)",
                          "All Users (1)", "Registry Run (0)", "Registry Run 32-bit (1)",
                          "All Users (1)", "Registry (0)", "Registry 32-bit (1)"}));
  // Windows' own 32-bit items are shown, not moved, like their siblings.
  EXPECT_EQ(
      "",
      m.window.tree.At(m.window.Item(st::kAllUsersRegistry32, "Helper32=C:\\x86\\helper.exe /tray"))
          .tag);
  // The login run starts the 32-bit build's delayed value.
  EXPECT_EQ(std::vector<std::string>{"C:\\x86\\old.exe|-s"}, m.LoginRun());

  // Stop it: the value stays in the 32-bit store, and the stopped item
  // shows in the 32-bit branch. Delay the other one from there: its
  // backup names the 32-bit key as a registry editor does.
  m.window.RefreshData();
  m.Popup(st::kDelayedRegistryAllUsers32, "Old32=", ItemPopupEntry::kStop);
  m.Popup(st::kStoppedAllRegistry32, "%SystemDrive%\\x86\\exp.exe", ItemPopupEntry::kDelay);
  EXPECT_EQ("Registry 32-bit (1)", m.Caption(st::kStoppedAllRegistry32));
  EXPECT_EQ("Registry Run 32-bit (1)", m.Caption(st::kDelayedRegistryAllUsers32));
  EXPECT_EQ(kRegExpandSz, m.Type(kHkeyLocalMachine, kWowMachineStore, "Exp32"));
  ASSERT_EQ(2u, m.BackupFiles().size());
  EXPECT_NE(std::string::npos,
            (m.BackupText(m.BackupFiles()[0]) + m.BackupText(m.BackupFiles()[1]))
                .find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\"
                      "CurrentVersion\\Run]\r\n\"Exp32\"=hex(2):"));

  // Put both back: into the 32-bit view of Run, with their types; the
  // 64-bit Run key and store are untouched.
  m.Popup(st::kStoppedAllRegistry32, "C:\\x86\\old.exe", ItemPopupEntry::kRun);
  m.Popup(st::kDelayedRegistryAllUsers32, "Exp32=", ItemPopupEntry::kRun);
  EXPECT_EQ(kRegSz, m.Type(kHkeyLocalMachine, kWowRunKey, "Old32"));
  EXPECT_EQ(kRegExpandSz, m.Type(kHkeyLocalMachine, kWowRunKey, "Exp32"));
  EXPECT_TRUE(m.world.RegValueNames(kHkeyLocalMachine, kWowMachineStore).empty());
  EXPECT_EQ(std::vector<std::string>{"Agent64"}, m.world.RegValueNames(kHkeyLocalMachine, kRunKey));
  EXPECT_TRUE(m.world.RegValueNames(kHkeyLocalMachine, kMachineStore).empty());
  EXPECT_TRUE(m.Delayed().empty());
  EXPECT_TRUE(m.Stopped().empty());
  EXPECT_TRUE(m.MessageTexts().empty());
}

// One item in each of the eight locations: a.lnk and Tool for the current
// user, b.lnk and Agent for all users, delayed d.lnk, D, e.lnk, E and
// stopped s.lnk, S, t.lnk, T.
struct CommandsMachine : WindowMachine {
  CommandsMachine() {
    world.AddFile(kUserStartup + "\\a.lnk", "A");
    world.AddFile(kCommonStartup + "\\b.lnk", "B");
    AddRunValue(kHkeyCurrentUser, "Tool", "C:\\T\\t.exe /q");
    AddRunValue(kHkeyLocalMachine, "Agent", "\"C:\\Program Files\\A\\agent.exe\" -min");
    for (const std::string name : {"d", "s"})
      world.AddFile(kCurrentUserItems + name + ".lnk", name);
    for (const std::string name : {"e", "t"})
      world.AddFile(kAllUsersItems + name + ".lnk", name);
    world.RegSetString(kHkeyCurrentUser, kUserStore, "D", "C:\\d.exe");
    world.RegSetString(kHkeyLocalMachine, kMachineStore, "E", "C:\\e.exe -x");
    world.RegSetString(kHkeyCurrentUser, kUserStore, "S", "C:\\s.exe");
    world.RegSetString(kHkeyLocalMachine, kMachineStore, "T", "C:\\tt.exe");
    SetModel({Program("Execute", "d.lnk"), Program("ExecuteAU", "e.lnk"),
              Program("ExecuteReg", "C:\\d.exe", "", "D"),
              Program("ExecuteRegAU", "C:\\e.exe", "-x", "E")},
             {"_STPCU_s.lnk", "_STPAU_t.lnk", "_REGCU_C:\\s.exe", "_REGAU_C:\\tt.exe"});
    window.RefreshData();
    window.events.clear();
  }
  std::vector<std::string> editorCalls;
  ItemCommands commands{window,
                        {{}, [this](const std::string& text) { editorCalls.push_back(text); }, {}}};
};

TEST(ItemCommands, PopupEnablementByBranch) {
  CommandsMachine m;
  const struct {
    std::string_view category;
    std::string text;
    const char* state; // delay stop run properties search; "" = no popup
  } cases[] = {
      {st::kCurrentUserStartup, "a.lnk", "11001"},
      {st::kCurrentUserRegistry, "Tool=C:\\T\\t.exe /q", "11001"},
      {st::kAllUsersStartup, "b.lnk", ""},
      {st::kAllUsersRegistry, "Agent=\"C:\\Program Files\\A\\agent.exe\" -min", ""},
      {st::kDelayedStartupCurrentUser, "d.lnk", "01111"},
      {st::kDelayedStartupAllUsers, "e.lnk", "01111"},
      {st::kDelayedRegistryCurrentUser, "D=C:\\d.exe ", "01111"},
      {st::kDelayedRegistryAllUsers, "E=C:\\e.exe -x", "01111"},
      {st::kStoppedCurrentStartup, "s.lnk", "10101"},
      {st::kStoppedAllStartup, "t.lnk", "10101"},
      {st::kStoppedCurrentRegistry, "C:\\s.exe", "10101"},
      {st::kStoppedAllRegistry, "C:\\tt.exe", "10101"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    m.window.events.clear();
    m.window.selected = m.window.Item(c.category, c.text);
    m.commands.TreeMouseUp(kRightButton);
    m.commands.TreeMouseUp(kLeftButton);
    std::vector<std::string> expected = {"options", "options"};
    if (*c.state)
      expected.insert(expected.begin(), std::string("popup:") + c.state);
    EXPECT_EQ(m.window.events, expected);
  }
  // A category node gets no popup either.
  m.window.events.clear();
  m.window.selected = m.window.tree.Find(st::kDelayedItemsRoot);
  m.commands.TreeMouseUp(kRightButton);
  EXPECT_EQ(m.window.events, std::vector<std::string>{"options"});
  // The menu's captions come from the Menus table in menu order.
  m.context.Text.Menus[menu::kTVDelay] = "&Delay";
  m.context.Text.Menus[menu::kTVSearchOnline] = "Search &Online";
  const auto menu =
      items::BuildItemPopupMenu(m.context.Text, items::PopupStateFor("Stopped Items"));
  ASSERT_EQ(menu.size(), 5u);
  EXPECT_EQ(menu[0].caption, "&Delay");
  EXPECT_TRUE(menu[0].enabled);
  EXPECT_FALSE(menu[1].enabled);
  EXPECT_EQ(menu[4].entry, ItemPopupEntry::kSearchOnline);
  EXPECT_EQ(menu[4].caption, "Search &Online");
}

// A checked category checks three levels below it and the toolbar follows
// the branches of what is checked (stop, delay, run); unchecking passes
// down the same way. Windows' own all-users items lose every check at once.
TEST(ItemCommands, ChecksPassThreeLevelsDownAndSetTheButtons) {
  const struct {
    std::vector<std::string_view> nodes;
    std::vector<std::string> checked;
    ItemButtons buttons;
  } cases[] = {
      {{st::kCurrentUserRoot},
       {"Current User (2)", "Startup Folder (1)", "Registry Run (1)", "a.lnk",
        "Tool=C:\\T\\t.exe /q"},
       {true, true, false}},
      {{st::kStoppedItemsRoot},
       {"Stopped Items (4)", "Current User (2)", "All Users (2)", "Startup Folder (1)",
        "Registry (1)", "Startup Folder (1)", "Registry (1)", "s.lnk", "t.lnk", "C:\\s.exe",
        "C:\\tt.exe"},
       {false, true, true}},
      {{st::kDelayedStartupAllUsers}, {"Startup Folder (1)", "e.lnk"}, {true, false, true}},
      {{st::kDelayedStartupAllUsers, st::kStoppedAllStartup, st::kAllUsersRoot},
       {"Startup Folder (1)", "Startup Folder (1)", "e.lnk", "t.lnk"},
       {true, true, true}},
      {{st::kAllUsersRoot}, {}, {false, false, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.nodes));
    CommandsMachine m;
    for (const auto key : c.nodes) {
      m.window.Check(m.window.tree.Find(key));
      m.commands.TreeNodeCheck(m.window.tree.Find(key));
    }
    EXPECT_EQ(m.window.Checked(), c.checked);
    EXPECT_EQ(m.window.buttons, c.buttons);
    for (const auto key : c.nodes) {
      m.window.Check(m.window.tree.Find(key), false);
      m.commands.TreeNodeCheck(m.window.tree.Find(key));
    }
    EXPECT_TRUE(m.window.Checked().empty());
  }
  CommandsMachine m;
  const TreeModel::NodeId item = m.window.Item(st::kCurrentUserStartup, "a.lnk");
  m.window.Check(item);
  m.commands.TreeNodeCheck(item);
  EXPECT_EQ(m.window.events, (std::vector<std::string>{"options", "tip:", "options"}));
  TreeModel deep;
  TreeModel::NodeId at = *deep.Add(TreeModel::kNoNode, "", "0");
  const TreeModel::NodeId top = at;
  for (int level = 1; level <= 4; ++level)
    at = *deep.Add(at, "", std::to_string(level));
  deep.At(top).checked = true;
  EXPECT_TRUE(items::PropagateCheck(deep, top));
  EXPECT_FALSE(items::PropagateCheck(deep, top)) << "nothing left to change";
  EXPECT_FALSE(items::PropagateCheck(deep, at)) << "a leaf";
  EXPECT_TRUE(deep.At(deep.At(at).parent).checked);
  EXPECT_FALSE(deep.At(at).checked) << "the fourth level stays";
}

// Delay and Stop from the toolbar, then Run, on every checked item of the
// current user: what the refreshed tree shows after each, and Vantrel's own
// Run value following the delayed items (startup type 1).
TEST(ItemCommands, ToolbarDelayStopAndRunOnCheckedItems) {
  CommandsMachine m;
  FakeWindow& w = m.window;
  const auto checkBranch = [&](std::string_view key) {
    w.Check(w.tree.Find(key));
    m.commands.TreeNodeCheck(w.tree.Find(key));
  };
  checkBranch(st::kCurrentUserRoot);
  m.commands.ToolbarButtonClick(toolbar_key::kDelay);
  EXPECT_EQ(w.Items(st::kDelayedStartupCurrentUser), (std::vector<std::string>{"d.lnk", "a.lnk"}));
  EXPECT_EQ(w.Items(st::kDelayedRegistryCurrentUser),
            (std::vector<std::string>{"D=C:\\d.exe ", "Tool=C:\\T\\t.exe /q"}));
  EXPECT_TRUE(w.Items(st::kCurrentUserStartup).empty());
  EXPECT_TRUE(w.Checked().empty()) << "the refresh drops every check";
  EXPECT_EQ(m.RunValue(kHkeyLocalMachine, "Tarrow"), kOwnRun) << "all-users items are delayed";

  // Stop the delayed current-user items; the stopped ones stay stopped.
  checkBranch(st::kDelayedCurrentUser);
  checkBranch(st::kStoppedCurrent);
  m.commands.ToolbarButtonClick(toolbar_key::kStop);
  EXPECT_TRUE(w.Items(st::kDelayedStartupCurrentUser).empty());
  EXPECT_EQ(w.Items(st::kStoppedCurrentStartup),
            (std::vector<std::string>{"s.lnk", "d.lnk", "a.lnk"}));
  EXPECT_EQ(w.Items(st::kStoppedCurrentRegistry),
            (std::vector<std::string>{"C:\\s.exe", "C:\\d.exe", "C:\\T\\t.exe"}));

  // Run puts every stopped current-user item back, with its exact value.
  checkBranch(st::kStoppedCurrent);
  m.commands.ToolbarButtonClick(toolbar_key::kRun);
  EXPECT_EQ(w.Items(st::kCurrentUserStartup),
            (std::vector<std::string>{"a.lnk", "d.lnk", "s.lnk"}));
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "Tool"), "C:\\T\\t.exe /q");
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "D"), "C:\\d.exe");
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "S"), "C:\\s.exe");
  EXPECT_TRUE(m.world.RegValueNames(kHkeyCurrentUser, kUserStore).empty());
  EXPECT_EQ(m.world.ReadFile(kUserStartup + "\\a.lnk"), "A");

  // Without delayed items left, the login registration goes.
  for (const auto key : {st::kDelayedStartupAllUsers, st::kDelayedRegistryAllUsers}) {
    w.selected = w.tree.At(w.tree.Find(key)).children.at(0);
    m.commands.ItemPopupCommand(ItemPopupEntry::kRun);
  }
  EXPECT_EQ(m.RunValue(kHkeyLocalMachine, "Tarrow"), std::nullopt);
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "Tarrow"), std::nullopt);
  EXPECT_EQ(m.RunValue(kHkeyLocalMachine, "E"), "C:\\e.exe -x");
  EXPECT_TRUE(m.MessageTexts().empty());
}

// Each popup entry on one item: where the item is afterwards. Entries the
// branch does not allow, and a category node, change nothing.
TEST(ItemCommands, PopupCommandsActOnTheSelectedItem) {
  const struct {
    std::string_view category;
    std::string text;
    ItemPopupEntry entry;
    std::string_view shownIn;
    std::vector<std::string> items;
  } cases[] = {
      {st::kCurrentUserStartup,
       "a.lnk",
       ItemPopupEntry::kDelay,
       st::kDelayedStartupCurrentUser,
       {"d.lnk", "a.lnk"}},
      {st::kCurrentUserRegistry,
       "Tool=C:\\T\\t.exe /q",
       ItemPopupEntry::kStop,
       st::kStoppedCurrentRegistry,
       {"C:\\s.exe", "C:\\T\\t.exe"}},
      {st::kDelayedRegistryAllUsers,
       "E=C:\\e.exe -x",
       ItemPopupEntry::kStop,
       st::kStoppedAllRegistry,
       {"C:\\tt.exe", "C:\\e.exe"}},
      {st::kStoppedAllStartup,
       "t.lnk",
       ItemPopupEntry::kRun,
       st::kAllUsersStartup,
       {"b.lnk", "t.lnk"}},
      {st::kStoppedCurrentRegistry,
       "C:\\s.exe",
       ItemPopupEntry::kDelay,
       st::kDelayedRegistryCurrentUser,
       {"D=C:\\d.exe ", "S=C:\\s.exe "}},
      {st::kDelayedStartupCurrentUser,
       "d.lnk",
       ItemPopupEntry::kDelay,
       st::kDelayedStartupCurrentUser,
       {"d.lnk"}},
      {st::kAllUsersStartup, "b.lnk", ItemPopupEntry::kDelay, st::kAllUsersStartup, {"b.lnk"}},
      {st::kCurrentUserStartup, "", ItemPopupEntry::kDelay, st::kCurrentUserStartup, {"a.lnk"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CommandsMachine m;
    m.window.selected =
        c.text.empty() ? m.window.tree.Find(c.category) : m.window.Item(c.category, c.text);
    m.commands.ItemPopupCommand(c.entry);
    EXPECT_EQ(m.window.Items(c.shownIn), c.items);
    EXPECT_TRUE(m.MessageTexts().empty());
  }
  // Properties opens the editor on a delayed item only.
  CommandsMachine m;
  m.window.selected = m.window.Item(st::kCurrentUserStartup, "a.lnk");
  m.commands.ItemPopupCommand(ItemPopupEntry::kProperties);
  m.window.selected = m.window.Item(st::kDelayedStartupCurrentUser, "d.lnk");
  m.commands.ItemPopupCommand(ItemPopupEntry::kProperties);
  EXPECT_EQ(m.editorCalls, std::vector<std::string>{"d.lnk"});
}

TEST(ItemCommands, OnlineSearch) {
  const std::string kTemplate = "https://search.example/?q={SEARCHTERMS}&lang=en";
  const struct {
    std::string item, terms;
  } cases[] = {
      {"Agent=\"C:\\Program Files\\A\\agent.exe\" -min",
       "Agent%2C%20C%3A%5CProgram%20Files%5CA%5Cagent.exe"},
      {"Tool= C:\\T\\t.exe /q ", "Tool%2C%20C%3A%5CT%5Ct.exe%20%2Fq"},
      {"X=\"C:\\x y.exe", "X%2C%20C%3A%5Cx%20y.exe"},
      {"V=C:\\v.exe a=b", "V%2C%20C%3A%5Cv.exe%20a%3Db"},
      {"M\xC3\xBCller \xE2\x82\xAC \xE6\x97\xA5.lnk", "M%C3%BCller%20%E2%82%AC%20%E6%97%A5.lnk"},
      {"50%^{x}|[y]`<z>", "50%25%5E%7Bx%7D%7C%5By%5D%60%3Cz%3E"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    EXPECT_EQ(items::OnlineSearchAddress(kTemplate, c.item),
              "https://search.example/?q=" + c.terms + "&lang=en");
  }
  EXPECT_EQ(items::OnlineSearchAddress(kTemplate, ""), "");
  EXPECT_EQ(items::OnlineSearchAddress("", "a.lnk"), "");
  EXPECT_EQ(items::OnlineSearchAddress("{SEARCHTERMS}|{SEARCHTERMS} x", "a b"), "a%20b|a%20b x")
      << "the template's own characters stay";

  // The popup entry opens the address through the shell; no template, no search.
  CommandsMachine m;
  m.context.Text.OnlineSearchText = kTemplate;
  m.window.selected = m.window.Item(st::kCurrentUserStartup, "a.lnk");
  m.commands.ItemPopupCommand(ItemPopupEntry::kSearchOnline);
  m.context.Text.OnlineSearchText.clear();
  m.commands.ItemPopupCommand(ItemPopupEntry::kSearchOnline);
  ASSERT_EQ(m.platform.shellExecutes().size(), 1u);
  EXPECT_EQ(m.platform.shellExecutes()[0].file, "https://search.example/?q=a.lnk&lang=en");
}

} // namespace
} // namespace vantrel::moves_test
