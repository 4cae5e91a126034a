// The moves on the simulated machine: Run values of both scopes delayed, stopped
// and put back (the Run keys, Vantrel's stores, the model and the .reg backups
// byte for byte), REG_EXPAND_SZ data and the 32-bit view chained through the
// popup, the login run and putting back, and the main window's item commands
// on the real tree.

#include <gtest/gtest.h>

#include <new>

#include "common/text.h"
#include "login_test_support.h"
#include "moves_test_support.h"
#include "native/fake_main_window.h"
#include "store_test_support.h"
#include "vantrel/login/start_delay.h"
#include "vantrel/moves/check_propagation.h"
#include "vantrel/moves/item_commands.h"
#include "vantrel/moves/popup_menu.h"
#include "vantrel/moves/registry_backup.h"
#include "vantrel/moves/registry_moves.h"
#include "vantrel/tree/refresh_startup_items.h"
#include "vantrel/tree/startup_tree.h"
#include "vantrel/window/check_for_options.h"
#include "vantrel/window/online_search.h"

namespace vantrel::moves_test {
namespace {

using items::CheckedItems;
using items::CheckedStopped;
using items::From;
using items::MoveTo;
using store_test::CrLf;

const std::string kBackupName = "14 05 09.reg";
const std::string kUserKeyLine =
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]";
const std::string kMachineKeyLine =
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]";

struct Scope {
  const char* name;
  ItemKind kind;
  RegKey root;
  std::string command;
  std::string prefix;
  std::string keyLine;
};

const std::vector<Scope> kScopes = {
    {"current user", ItemKind::kCurrentUserRunValue, kHkeyCurrentUser, "ExecuteReg", "_REGCU_",
     kUserKeyLine},
    {"all users", ItemKind::kAllUsersRunValue, kHkeyLocalMachine, "ExecuteRegAU", "_REGAU_",
     kMachineKeyLine},
};

TEST(MovesRegistry, DelayAndStopInBothScopes) {
  for (const Scope& scope : kScopes) {
    for (const bool stop : {false, true}) {
      SCOPED_TRACE(std::string(scope.name) + (stop ? ", stop" : ", delay"));
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
      if (stop) {
        EXPECT_TRUE(m.Delayed().empty());
        // The file keeps no quotes in stopped entries.
        EXPECT_EQ(m.Stopped(),
                  std::vector<std::string>{scope.prefix + "C:\\Program Files\\A\\agent.exe"});
        // Delaying it again finds the value by the path the tree shows.
        EXPECT_TRUE(items::DelayRegistryItem(m.session, "C:\\Program Files\\A\\agent.exe",
                                             scope.kind, MoveTo::kDelayed, From::kStopped));
        m.Reload();
        EXPECT_TRUE(m.Stopped().empty());
        EXPECT_EQ(m.Delayed().size(), 1u);
      } else {
        EXPECT_EQ(m.Delayed(),
                  std::vector<ProgramEntry>{Program(
                      scope.command, "\"C:\\Program Files\\A\\agent.exe\"", "-min", "Agent")});
        EXPECT_TRUE(m.Stopped().empty());
      }
      EXPECT_EQ(m.BackupText(kBackupName),
                CrLf({"Windows Registry Editor Version 5.00", "", scope.keyLine,
                      "\"Agent\"=\"\\\"C:\\\\Program Files\\\\A\\\\agent.exe\\\" -min\""}));
    }
  }
}

TEST(MovesRegistry, CommandSplitKeepsTheValueWhole) {
  struct Case {
    const char* name;
    std::string data;
    std::string path, parameters; // after the model is read again
    std::string backupLine;
  };
  const std::vector<Case> cases = {
      {"quoted path with a switch", "\"C:\\P F\\t.exe\" /s", "\"C:\\P F\\t.exe\"", "/s",
       "\"V\"=\"\\\"C:\\\\P F\\\\t.exe\\\" /s\""},
      {"ends in .EXE", "C:\\TOOLS\\T.EXE", "C:\\TOOLS\\T.EXE", "",
       "\"V\"=\"C:\\\\TOOLS\\\\T.EXE\""},
      {"no .exe at all", "C:\\b\\run.bat -x 1", "C:\\b\\run.bat -x 1", "",
       "\"V\"=\"C:\\\\b\\\\run.bat -x 1\""},
      {"an = inside the data", "C:\\t.exe x=1", "C:\\t.exe", "x=1", "\"V\"=\"C:\\\\t.exe x=1\""},
      {"parameters that also occur in the path", "C:\\q\\t.exe q", "C:\\q\\t.exe", "q",
       "\"V\"=\"C:\\\\q\\\\t.exe q\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MovesMachine m;
    m.AddRunValue(kHkeyCurrentUser, "V", c.data);
    const CheckedItems checked{{"V=" + c.data}, {}, {}};
    EXPECT_TRUE(items::ApplyCheckedRegistryItems(m.session, checked, MoveTo::kDelayed,
                                                 CheckedStopped::kLeave));
    m.Reload();
    EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "V"), c.data);
    EXPECT_EQ(m.Delayed(),
              std::vector<ProgramEntry>{Program("ExecuteReg", c.path, c.parameters, "V")});
    EXPECT_EQ(m.BackupText(kBackupName),
              CrLf({"Windows Registry Editor Version 5.00", "", kUserKeyLine, c.backupLine}));
  }
}

TEST(MovesRegistry, BackupsWithinOneSecondEachKeepTheirFile) {
  MovesMachine m;
  m.AddRunValue(kHkeyLocalMachine, "A", "C:\\a.exe");
  m.AddRunValue(kHkeyLocalMachine, "B", "C:\\b.exe");
  m.AddRunValue(kHkeyLocalMachine, "C", "C:\\c.exe");
  EXPECT_TRUE(items::DelayRegistryItem(m.session, "A=C:\\a.exe", ItemKind::kAllUsersRunValue,
                                       MoveTo::kDelayed, From::kListed));
  EXPECT_TRUE(items::DelayRegistryItem(m.session, "B=C:\\b.exe", ItemKind::kAllUsersRunValue,
                                       MoveTo::kStopped, From::kListed));
  EXPECT_TRUE(items::DelayRegistryItem(m.session, "C=C:\\c.exe", ItemKind::kAllUsersRunValue,
                                       MoveTo::kDelayed, From::kListed));
  EXPECT_EQ(m.BackupFiles(),
            (std::vector<std::string>{"14 05 09 (2).reg", "14 05 09 (3).reg", "14 05 09.reg"}));
  EXPECT_EQ(m.BackupText("14 05 09.reg"), CrLf({"Windows Registry Editor Version 5.00", "",
                                                kMachineKeyLine, "\"A\"=\"C:\\\\a.exe\""}));
  EXPECT_EQ(m.BackupText("14 05 09 (2).reg"), CrLf({"Windows Registry Editor Version 5.00", "",
                                                    kMachineKeyLine, "\"B\"=\"C:\\\\b.exe\""}));
  // A new second starts a plain name again, in a new day's folder too.
  m.world.clock().Advance(24ull * 3600 * 1000);
  EXPECT_TRUE(items::DelayRegistryItem(m.session, "C=C:\\c.exe", ItemKind::kAllUsersRunValue,
                                       MoveTo::kStopped, From::kListed));
  EXPECT_EQ(m.world.List(kFolder + "\\Delayed Registry\\2026-06-13"),
            std::vector<std::string>{"14 05 09.reg"});
}

TEST(MovesRegistry, BackupEscapesBackslashesThenQuotes) {
  struct Case {
    std::string name, data, line;
    std::uint32_t type = kRegSz;
  };
  const std::vector<Case> cases = {
      {"Tool", "C:\\T\\t.exe /q", "\"Tool\"=\"C:\\\\T\\\\t.exe /q\""},
      // REG_EXPAND_SZ as UTF-16LE code units of the UTF-8 text: é is e9,00.
      {"X", "%A%\xC3\xA9", "\"X\"=hex(2):25,00,41,00,25,00,e9,00,00,00", kRegExpandSz},
      {"Q\"uote", "\"C:\\a b\\x.exe\" \"arg\\\"\"",
       "\"Q\\\"uote\"=\"\\\"C:\\\\a b\\\\x.exe\\\" "
       "\\\"arg\\\\\\\"\\\"\""},
      {"", "x", "\"\"=\"x\""},
      {"Ümlaut", "C:\\Ä\\ö.exe", "\"Ümlaut\"=\"C:\\\\Ä\\\\ö.exe\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(items::RunValueLine(c.name, c.data, c.type), c.line);
  }
}

namespace st = startup_tree;
using items::ItemCommands;

const std::string kWowRunKey = "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kWowMachineStore = "Software\\WOW6432Node\\Korvane\\Vantrel\\HKLM";

std::string Sz(const std::string& text) {
  return text + std::string(1, '\0');
}

struct ViewsMachine : MovesMachine {
  ViewsMachine() {
    context.Store.StartupType = 1;
    context.Store.MainStartupDelay = 0;
    world.registry().MakeKey(kHkeyLocalMachine, "Software\\WOW6432Node");
  }
  void Refresh() { window.RefreshData(); }
  // Chooses the popup entry on the first item of the category whose text
  // begins with start.
  void Popup(std::string_view category, const std::string& start, ItemPopupEntry entry) {
    window.selected = TreeModel::kNoNode;
    const TreeModel::NodeId parent = window.tree.Find(category);
    ASSERT_NE(TreeModel::kNoNode, parent) << category;
    for (const TreeModel::NodeId child : window.tree.At(parent).children) {
      if (window.selected == TreeModel::kNoNode && StartsWith(window.tree.At(child).text, start))
        window.selected = child;
    }
    ASSERT_NE(TreeModel::kNoNode, window.selected) << start;
    ItemCommands(window).ItemPopupCommand(entry);
  }
  std::string Caption(std::string_view category) const {
    const TreeModel::NodeId node = window.tree.Find(category);
    return node == TreeModel::kNoNode ? "<none>" : window.tree.At(node).text;
  }
  // The program the login run starts, as "file|parameters" per start.
  std::vector<std::string> LoginRun() {
    login_test::FakeMainWindow main(context, world);
    main.Load();
    const std::size_t before = platform.shellExecutes().size();
    Reload();
    StartDelay(context, main);
    std::vector<std::string> started;
    for (std::size_t i = before; i < platform.shellExecutes().size(); ++i)
      started.push_back(platform.shellExecutes()[i].file + "|" +
                        platform.shellExecutes()[i].parameters);
    return started;
  }
  std::optional<std::uint32_t> Type(RegKey root, const std::string& key, const std::string& name) {
    const auto value = world.RegGetValue(root, key, name);
    return value ? std::optional<std::uint32_t>(value->type) : std::nullopt;
  }
  FakeWindow window{*this};
};

TEST(MovesViewsTypes, AnExpandableValueKeepsItsTypeThroughEveryCommand) {
  ViewsMachine m;
  const std::string data = "%SystemDrive%\\Tools\\agent.exe -q";
  m.world.RegSetRaw(kHkeyCurrentUser, kRunKey, "Agent", kRegExpandSz, Sz(data));
  m.Refresh();

  // Delay: the store holds it as REG_EXPAND_SZ, the backup as hex(2).
  m.Popup(st::kCurrentUserRegistry, "Agent=" + data, ItemPopupEntry::kDelay);
  EXPECT_EQ(kRegExpandSz, m.Type(kHkeyCurrentUser, kUserStore, "Agent"));
  EXPECT_FALSE(m.Type(kHkeyCurrentUser, kRunKey, "Agent"));
  ASSERT_EQ(1u, m.BackupFiles().size());
  EXPECT_EQ("Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
            "\"Agent\"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,44,00,72,00,69,00,76,\\\r\n"
            "  00,65,00,25,00,5c,00,54,00,6f,00,6f,00,6c,00,73,00,5c,00,61,00,67,00,65,00,\\\r\n"
            "  6e,00,74,00,2e,00,65,00,78,00,65,00,20,00,2d,00,71,00,00,00\r\n",
            m.BackupText(m.BackupFiles()[0]));

  // The login run starts the expanded program.
  EXPECT_EQ(std::vector<std::string>{"C:\\Tools\\agent.exe|-q"}, m.LoginRun());

  // Stop, delay again from the stopped branch, and put back: still
  // REG_EXPAND_SZ, with its data unexpanded.
  m.Refresh();
  m.Popup(st::kDelayedRegistryCurrentUser, "Agent=", ItemPopupEntry::kStop);
  EXPECT_EQ(kRegExpandSz, m.Type(kHkeyCurrentUser, kUserStore, "Agent"));
  m.Popup(st::kStoppedCurrentRegistry, "%SystemDrive%\\Tools\\agent.exe", ItemPopupEntry::kDelay);
  EXPECT_EQ(kRegExpandSz, m.Type(kHkeyCurrentUser, kUserStore, "Agent"));
  m.Popup(st::kDelayedRegistryCurrentUser, "Agent=", ItemPopupEntry::kRun);
  EXPECT_EQ(kRegExpandSz, m.Type(kHkeyCurrentUser, kRunKey, "Agent"));
  EXPECT_EQ(
      Sz(data),
      m.world.RegGetValue(kHkeyCurrentUser, kRunKey, "Agent").value_or(sim::SimRegValue{}).data);
  EXPECT_FALSE(m.Type(kHkeyCurrentUser, kUserStore, "Agent"));
  EXPECT_TRUE(m.Delayed().empty());
  EXPECT_TRUE(m.Stopped().empty());
  EXPECT_TRUE(m.MessageTexts().empty());
}

TEST(MovesViewsTypes, TheThirtyTwoBitViewHasItsOwnBranches) {
  ViewsMachine m;
  m.world.RegSetString(kHkeyLocalMachine, kWowRunKey, "Helper32", "C:\\x86\\helper.exe /tray");
  m.world.RegSetString(kHkeyLocalMachine, kRunKey, "Agent64", "C:\\agent.exe");
  // What a 32-bit Vantrel left: a delayed and a stopped value in the
  // 32-bit view of its store, with records of today's format.
  m.world.RegSetString(kHkeyLocalMachine, kWowMachineStore, "Old32", "C:\\x86\\old.exe -s");
  m.world.RegSetRaw(kHkeyLocalMachine, kWowMachineStore, "Exp32", kRegExpandSz,
                    Sz("%SystemDrive%\\x86\\exp.exe"));
  m.SetModel({Program("ExecuteRegAU", "C:\\x86\\old.exe ", "-s", "Old32")},
             {"_REGAU_%SystemDrive%\\x86\\exp.exe"});
  m.Refresh();

  const struct {
    std::string_view category;
    const char* caption;
  } captions[] = {
      {st::kAllUsersRoot, "All Users (2)"},
      {st::kAllUsersRegistry, "Registry Run (1)"},
      {st::kAllUsersRegistry32, "Registry Run 32-bit (1)"},
      {st::kDelayedAllUsers, "All Users (1)"},
      {st::kDelayedRegistryAllUsers, "Registry Run (0)"},
      {st::kDelayedRegistryAllUsers32, "Registry Run 32-bit (1)"},
      {st::kStoppedAll, "All Users (1)"},
      {st::kStoppedAllRegistry, "Registry (0)"},
      {st::kStoppedAllRegistry32, "Registry 32-bit (1)"},
  };
  for (const auto& row : captions) {
    SCOPED_TRACE(row.category);
    EXPECT_EQ(row.caption, m.Caption(row.category));
  }
  // Windows' own 32-bit items are shown, not moved, like their siblings.
  EXPECT_NE(TreeModel::kNoNode,
            m.window.Item(st::kAllUsersRegistry32, "Helper32=C:\\x86\\helper.exe /tray"));
  EXPECT_EQ(
      "",
      m.window.tree.At(m.window.Item(st::kAllUsersRegistry32, "Helper32=C:\\x86\\helper.exe /tray"))
          .tag);

  // The login run starts the 32-bit build's delayed value.
  EXPECT_EQ(std::vector<std::string>{"C:\\x86\\old.exe|-s"}, m.LoginRun());

  // Stop it: the value stays in the 32-bit store, and the stopped item
  // shows in the 32-bit branch. Delay the other one from there: its
  // backup names the 32-bit key as a registry editor does.
  m.Refresh();
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
  EXPECT_EQ(std::vector<std::string>{}, m.world.RegValueNames(kHkeyLocalMachine, kWowMachineStore));
  EXPECT_EQ(std::vector<std::string>{"Agent64"}, m.world.RegValueNames(kHkeyLocalMachine, kRunKey));
  EXPECT_FALSE(m.world.RegKeyExists(kHkeyLocalMachine, kMachineStore) &&
               !m.world.RegValueNames(kHkeyLocalMachine, kMachineStore).empty());
  EXPECT_TRUE(m.Delayed().empty());
  EXPECT_TRUE(m.Stopped().empty());
  EXPECT_TRUE(m.MessageTexts().empty());
}

TEST(MovesViewsTypes, AValueThatIsNotTextShowsAsWindowsShowsItAndStays) {
  ViewsMachine m;
  m.world.RegSetRaw(kHkeyCurrentUser, kRunKey, "Number", kRegDword, std::string("\x2a\0\0\0", 4));
  m.world.RegSetRaw(kHkeyCurrentUser, kRunKey, "Bytes", kRegBinary, "\x01\x02\xff");
  m.Refresh();
  const struct {
    const char* text;
    const char* name;
  } rows[] = {{"Number=0x0000002a (42)", "Number"}, {"Bytes=01 02 ff", "Bytes"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    for (const ItemPopupEntry entry : {ItemPopupEntry::kDelay, ItemPopupEntry::kStop}) {
      m.Popup(st::kCurrentUserRegistry, row.text, entry);
      EXPECT_TRUE(m.Type(kHkeyCurrentUser, kRunKey, row.name).has_value());
      EXPECT_FALSE(m.Type(kHkeyCurrentUser, kUserStore, row.name).has_value());
    }
  }
  EXPECT_TRUE(m.Delayed().empty());
  EXPECT_TRUE(m.Stopped().empty());
  EXPECT_TRUE(m.BackupFiles().empty());
  ASSERT_EQ(4u, m.MessageTexts().size());
  EXPECT_NE(std::string::npos, m.MessageTexts()[0].find("REG_SZ or REG_EXPAND_SZ"));
}

// One item in each of the eight locations: a.lnk and Tool for the current
// user, b.lnk and Agent for all users, delayed d.lnk, D, e.lnk, E and
// stopped s.lnk, S, t.lnk, T.
struct CommandsMachine : MovesMachine {
  CommandsMachine() {
    context.Store.StartupType = 1;
    world.AddFile(kUserStartup + "\\a.lnk", "A");
    world.AddFile(kCommonStartup + "\\b.lnk", "B");
    AddRunValue(kHkeyCurrentUser, "Tool", "C:\\T\\t.exe /q");
    AddRunValue(kHkeyLocalMachine, "Agent", "\"C:\\Program Files\\A\\agent.exe\" -min");
    world.AddFile(kCurrentUserItems + "d.lnk", "D");
    world.AddFile(kAllUsersItems + "e.lnk", "E");
    world.AddFile(kCurrentUserItems + "s.lnk", "S");
    world.AddFile(kAllUsersItems + "t.lnk", "T");
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
  FakeWindow window{*this};
  items::ItemCommandServices services;
  std::vector<std::string> editorCalls;
  ItemCommands Commands() {
    services.showProgramGroups = [this](const std::string& text) { editorCalls.push_back(text); };
    return ItemCommands(window, services);
  }
};

TEST(ItemCommands, PopupEnablementByBranch) {
  CommandsMachine m;
  ItemCommands commands = m.Commands();
  struct Case {
    std::string_view category;
    std::string text;
    const char* state; // delay stop run properties search; "" = no popup
  };
  const std::vector<Case> cases = {
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
    commands.TreeMouseUp(kRightButton);
    const std::vector<std::string> expected =
        *c.state ? std::vector<std::string>{std::string("popup:") + c.state, "options"}
                 : std::vector<std::string>{"options"};
    EXPECT_EQ(m.window.events, expected);
    m.window.events.clear();
    commands.TreeMouseUp(kLeftButton);
    EXPECT_EQ(m.window.events, std::vector<std::string>{"options"});
  }
  // A category node gets no popup either.
  m.window.events.clear();
  m.window.selected = m.window.tree.Find(st::kDelayedItemsRoot);
  commands.TreeMouseUp(kRightButton);
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

// Delay and Stop from the toolbar, then Run, on every checked item of the
// current user: what the refreshed tree shows after each, and Vantrel's own
// Run value following the delayed items (startup type 1).
// A checked category checks three levels below it (the toolbar follows);
// unchecking passes down the same way. Propagation says whether it changed
// anything, and an item passes nothing on.
TEST(ItemCommands, ChecksPassThreeLevelsDown) {
  const struct {
    std::string_view node;
    std::vector<std::string> checked;
    ItemButtons buttons;
  } cases[] = {
      {st::kCurrentUserRoot,
       {"Current User (2)", "Startup Folder (1)", "Registry Run (1)", "a.lnk",
        "Tool=C:\\T\\t.exe /q"},
       {true, true, false}},
      {st::kStoppedItemsRoot,
       {"Stopped Items (4)", "Current User (2)", "All Users (2)", "Startup Folder (1)",
        "Registry (1)", "Startup Folder (1)", "Registry (1)", "s.lnk", "t.lnk", "C:\\s.exe",
        "C:\\tt.exe"},
       {false, true, true}},
      // Windows' own all-users items lose every check at once.
      {st::kAllUsersRoot, {}, {false, false, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.node);
    CommandsMachine m;
    ItemCommands commands = m.Commands();
    const TreeModel::NodeId node = m.window.tree.Find(c.node);
    m.window.Check(node);
    commands.TreeNodeCheck(node);
    EXPECT_EQ(m.window.Checked(), c.checked);
    EXPECT_EQ(m.window.buttons, c.buttons);
    m.window.Check(node, false);
    commands.TreeNodeCheck(node);
    EXPECT_TRUE(m.window.Checked().empty());
  }
  CommandsMachine m;
  ItemCommands commands = m.Commands();
  const TreeModel::NodeId item = m.window.Item(st::kCurrentUserStartup, "a.lnk");
  m.window.Check(item);
  commands.TreeNodeCheck(item);
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
  EXPECT_TRUE(deep.At(deep.At(deep.At(deep.At(top).children[0]).children[0]).children[0]).checked);
  EXPECT_FALSE(deep.At(at).checked) << "the fourth level stays";
}

TEST(ItemCommands, ToolbarDelayStopAndRunOnCheckedItems) {
  CommandsMachine m;
  ItemCommands commands = m.Commands();
  FakeWindow& w = m.window;
  const auto checkBranch = [&](std::string_view key) {
    w.Check(w.tree.Find(key));
    commands.TreeNodeCheck(w.tree.Find(key));
  };
  checkBranch(st::kCurrentUserRoot);
  commands.ToolbarButtonClick(toolbar_key::kDelay);
  EXPECT_EQ(w.Items(st::kDelayedStartupCurrentUser), (std::vector<std::string>{"d.lnk", "a.lnk"}));
  EXPECT_EQ(w.Items(st::kDelayedRegistryCurrentUser),
            (std::vector<std::string>{"D=C:\\d.exe ", "Tool=C:\\T\\t.exe /q"}));
  EXPECT_TRUE(w.Items(st::kCurrentUserStartup).empty());
  EXPECT_TRUE(w.Checked().empty()) << "the refresh drops every check";
  EXPECT_EQ(m.RunValue(kHkeyLocalMachine, "Tarrow"), kOwnRun) << "all-users items are delayed";

  // Stop the delayed current-user items; the stopped ones stay stopped.
  checkBranch(st::kDelayedCurrentUser);
  checkBranch(st::kStoppedCurrent);
  commands.ToolbarButtonClick(toolbar_key::kStop);
  EXPECT_TRUE(w.Items(st::kDelayedStartupCurrentUser).empty());
  EXPECT_EQ(w.Items(st::kStoppedCurrentStartup),
            (std::vector<std::string>{"s.lnk", "d.lnk", "a.lnk"}));
  EXPECT_EQ(w.Items(st::kStoppedCurrentRegistry),
            (std::vector<std::string>{"C:\\s.exe", "C:\\d.exe", "C:\\T\\t.exe"}));

  // Run puts every stopped current-user item back, with its exact value.
  checkBranch(st::kStoppedCurrent);
  commands.ToolbarButtonClick(toolbar_key::kRun);
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
    commands.ItemPopupCommand(ItemPopupEntry::kRun);
  }
  EXPECT_EQ(m.RunValue(kHkeyLocalMachine, "Tarrow"), std::nullopt);
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "Tarrow"), std::nullopt);
  EXPECT_EQ(m.RunValue(kHkeyLocalMachine, "E"), "C:\\e.exe -x");
  EXPECT_TRUE(m.MessageTexts().empty());
}

TEST(ItemCommands, PopupCommandsActOnTheSelectedItem) {
  struct Case {
    std::string_view category;
    std::string text;
    ItemPopupEntry entry;
    std::function<void(CommandsMachine&)> expect;
  };
  const std::vector<Case> cases = {
      {st::kCurrentUserStartup, "a.lnk", ItemPopupEntry::kDelay,
       [](CommandsMachine& m) {
         EXPECT_EQ(m.window.Items(st::kDelayedStartupCurrentUser),
                   (std::vector<std::string>{"d.lnk", "a.lnk"}));
       }},
      {st::kCurrentUserRegistry, "Tool=C:\\T\\t.exe /q", ItemPopupEntry::kStop,
       [](CommandsMachine& m) {
         EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "Tool"), "C:\\T\\t.exe /q");
         EXPECT_EQ(m.window.Items(st::kStoppedCurrentRegistry),
                   (std::vector<std::string>{"C:\\s.exe", "C:\\T\\t.exe"}));
       }},
      {st::kDelayedRegistryAllUsers, "E=C:\\e.exe -x", ItemPopupEntry::kStop,
       [](CommandsMachine& m) {
         EXPECT_EQ(m.window.Items(st::kStoppedAllRegistry),
                   (std::vector<std::string>{"C:\\tt.exe", "C:\\e.exe"}));
         EXPECT_EQ(m.StoredValue(kHkeyLocalMachine, "E"), "C:\\e.exe -x");
       }},
      {st::kStoppedAllStartup, "t.lnk", ItemPopupEntry::kRun,
       [](CommandsMachine& m) {
         EXPECT_EQ(m.window.Items(st::kAllUsersStartup),
                   (std::vector<std::string>{"b.lnk", "t.lnk"}));
         EXPECT_TRUE(m.window.Items(st::kStoppedAllStartup).empty());
       }},
      {st::kStoppedCurrentRegistry, "C:\\s.exe", ItemPopupEntry::kDelay,
       [](CommandsMachine& m) {
         EXPECT_EQ(m.window.Items(st::kDelayedRegistryCurrentUser),
                   (std::vector<std::string>{"D=C:\\d.exe ", "S=C:\\s.exe "}));
       }},
      {st::kDelayedStartupCurrentUser, "d.lnk", ItemPopupEntry::kProperties,
       [](CommandsMachine& m) { EXPECT_EQ(m.editorCalls, std::vector<std::string>{"d.lnk"}); }},
      // Entries the branch does not allow do nothing, and neither does a
      // command on a node that is no item.
      {st::kDelayedStartupCurrentUser, "d.lnk", ItemPopupEntry::kDelay,
       [](CommandsMachine& m) { EXPECT_TRUE(m.window.events.empty()); }},
      {st::kCurrentUserStartup, "a.lnk", ItemPopupEntry::kProperties,
       [](CommandsMachine& m) { EXPECT_TRUE(m.editorCalls.empty()); }},
      {st::kAllUsersStartup, "b.lnk", ItemPopupEntry::kDelay,
       [](CommandsMachine& m) {
         EXPECT_TRUE(m.window.events.empty());
         EXPECT_TRUE(m.world.Exists(kCommonStartup + "\\b.lnk"));
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CommandsMachine m;
    ItemCommands commands = m.Commands();
    m.window.selected = m.window.Item(c.category, c.text);
    commands.ItemPopupCommand(c.entry);
    c.expect(m);
    EXPECT_TRUE(m.MessageTexts().empty());
  }
  // With a category selected nothing happens.
  CommandsMachine m;
  ItemCommands commands = m.Commands();
  m.window.selected = m.window.tree.Find(st::kCurrentUserStartup);
  commands.ItemPopupCommand(ItemPopupEntry::kDelay);
  EXPECT_TRUE(m.window.events.empty());
  EXPECT_TRUE(m.Delayed().size() == 4u);
}

TEST(ItemCommands, OnlineSearch) {
  const std::string kTemplate = "https://search.example/?q={SEARCHTERMS}&lang=en";
  struct Case {
    const char* name;
    std::string item;
    std::string address;
  };
  const std::vector<Case> cases = {
      {"a Run value with a quoted path and a switch",
       "Agent=\"C:\\Program Files\\A\\agent.exe\" -min",
       "https://search.example/?q=Agent%2C%20C%3A%5CProgram%20Files%5CA%5Cagent.exe&lang=en"},
      {"a Run value without quotes", "Tool= C:\\T\\t.exe /q ",
       "https://search.example/?q=Tool%2C%20C%3A%5CT%5Ct.exe%20%2Fq&lang=en"},
      {"an unclosed quote", "X=\"C:\\x y.exe",
       "https://search.example/?q=X%2C%20C%3A%5Cx%20y.exe&lang=en"},
      {"a further = stays in the command", "V=C:\\v.exe a=b",
       "https://search.example/?q=V%2C%20C%3A%5Cv.exe%20a%3Db&lang=en"},
      {"UTF-8 names are encoded byte by byte", "M\xC3\xBCller \xE2\x82\xAC \xE6\x97\xA5.lnk",
       "https://search.example/?q=M%C3%BCller%20%E2%82%AC%20%E6%97%A5.lnk&lang=en"},
      {"percent signs and carets are encoded", "50%^{x}|[y]`<z>",
       "https://search.example/?q=50%25%5E%7Bx%7D%7C%5By%5D%60%3Cz%3E&lang=en"},
      {"an empty item", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(items::OnlineSearchAddress(kTemplate, c.item), c.address);
  }
  EXPECT_EQ(items::OnlineSearchAddress("", "a.lnk"), "");
  EXPECT_EQ(items::OnlineSearchAddress("{SEARCHTERMS}|{SEARCHTERMS} x", "a b"), "a%20b|a%20b x")
      << "the template's own characters stay";

  // The popup entry opens the address through the shell.
  CommandsMachine m;
  m.context.Text.OnlineSearchText = kTemplate;
  ItemCommands commands = m.Commands();
  m.window.selected = m.window.Item(st::kCurrentUserStartup, "a.lnk");
  commands.ItemPopupCommand(ItemPopupEntry::kSearchOnline);
  ASSERT_EQ(m.platform.shellExecutes().size(), 1u);
  const auto& call = m.platform.shellExecutes()[0];
  EXPECT_EQ(call.file, "https://search.example/?q=a.lnk&lang=en");
  // No template, no search.
  m.context.Text.OnlineSearchText.clear();
  commands.ItemPopupCommand(ItemPopupEntry::kSearchOnline);
  EXPECT_EQ(m.platform.shellExecutes().size(), 1u);
}

} // namespace
} // namespace vantrel::moves_test
