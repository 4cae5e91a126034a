// The moves on the simulated machine: Run values of both scopes delayed,
// stopped and delayed again (the Run keys, Vantrel's stores, the model and the
// .reg backups byte for byte), and the main window's item commands on the
// real tree. The random conservation test chains these through REG_EXPAND_SZ
// data and the 32-bit view.

#include <gtest/gtest.h>

#include "common/store/startup_group.h"
#include "native/window_machine.h"
#include "store_test_support.h"
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

std::string Backup(const std::string& keyLine, const std::string& line) {
  return CrLf({"Windows Registry Editor Version 5.00", "", keyLine, line});
}

// Delay or stop a Run value of either scope; then delay it again: from the
// delayed branch it keeps one record (its delay back at 0), from the stopped
// branch the value is found by the path the tree shows.
TEST(MovesRegistry, DelayAndStopInBothScopes) {
  const std::string data = "\"C:\\Program Files\\A\\agent.exe\" -min";
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
      m.AddRunValue(scope.root, "Agent", data);
      EXPECT_TRUE(items::DelayRegistryItem(m.session, "Agent=" + data, scope.kind,
                                           stop ? MoveTo::kStopped : MoveTo::kDelayed,
                                           From::kListed));
      m.Reload();
      EXPECT_EQ(m.RunValue(scope.root, "Agent"), std::nullopt);
      EXPECT_EQ(m.StoredValue(scope.root, "Agent"), data);
      EXPECT_EQ(m.BackupText(kBackupName),
                Backup(scope.keyLine,
                       "\"Agent\"=\"\\\"C:\\\\Program Files\\\\A\\\\agent.exe\\\" -min\""));
      // The file keeps no quotes in stopped entries.
      EXPECT_EQ(m.Stopped(),
                stop ? std::vector<std::string>{scope.prefix + "C:\\Program Files\\A\\agent.exe"}
                     : std::vector<std::string>{});
      if (!stop)
        StartupGroup(m.context.Store)->Programs[0].Delay = 5;
      EXPECT_TRUE(items::DelayRegistryItem(
          m.session, stop ? "C:\\Program Files\\A\\agent.exe" : "Agent=" + data, scope.kind,
          MoveTo::kDelayed, stop ? From::kStopped : From::kListed));
      m.Reload();
      EXPECT_TRUE(m.Stopped().empty());
      EXPECT_EQ(m.Delayed(),
                std::vector<ProgramEntry>{Program(
                    scope.command, "\"C:\\Program Files\\A\\agent.exe\"", "-min", "Agent")});
    }
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
}

TEST(MovesRegistry, BackupEscapesBackslashesThenQuotes) {
  const struct {
    std::string name, data, line;
    std::uint32_t type = kRegSz;
  } cases[] = {
      // REG_EXPAND_SZ as UTF-16LE code units of the UTF-8 text (é is e9,00),
      // in lines of 25 bytes at most, as a registry editor writes them.
      {"X", "%A%\xC3\xA9", "\"X\"=hex(2):25,00,41,00,25,00,e9,00,00,00", kRegExpandSz},
      {"Agent", "%SystemDrive%\\Tools\\agent.exe -q",
       "\"Agent\"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,44,00,72,00,69,00,76,\\\r\n"
       "  00,65,00,25,00,5c,00,54,00,6f,00,6f,00,6c,00,73,00,5c,00,61,00,67,00,65,00,\\\r\n"
       "  6e,00,74,00,2e,00,65,00,78,00,65,00,20,00,2d,00,71,00,00,00",
       kRegExpandSz},
      {"Q\"uote", "\"C:\\a b\\x.exe\" \"arg\\\"\"",
       "\"Q\\\"uote\"=\"\\\"C:\\\\a b\\\\x.exe\\\" \\\"arg\\\\\\\"\\\"\""},
      {"Ümlaut", "C:\\Ä\\ö.exe", "\"Ümlaut\"=\"C:\\\\Ä\\\\ö.exe\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(items::RunValueLine(c.name, c.data, c.type), c.line);
  }
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
      {st::kDelayedStartupCurrentUser, "d.lnk", "01111"},
      {st::kDelayedRegistryAllUsers, "E=C:\\e.exe -x", "01111"},
      {st::kStoppedCurrentStartup, "s.lnk", "10101"},
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
      {{st::kStoppedItemsRoot},
       {"Stopped Items (4)", "Current User (2)", "All Users (2)", "Startup Folder (1)",
        "Registry (1)", "Startup Folder (1)", "Registry (1)", "s.lnk", "t.lnk", "C:\\s.exe",
        "C:\\tt.exe"},
       {false, true, true}},
      {{st::kDelayedStartupAllUsers, st::kStoppedAllStartup, st::kAllUsersRoot},
       {"Startup Folder (1)", "Startup Folder (1)", "e.lnk", "t.lnk"},
       {true, true, true}},
      {{st::kAllUsersRoot}, {}, {false, false, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.nodes));
    CommandsMachine m;
    for (const bool on : {true, false}) {
      for (const auto key : c.nodes) {
        m.window.Check(m.window.tree.Find(key), on);
        m.commands.TreeNodeCheck(m.window.tree.Find(key));
      }
      EXPECT_EQ(m.window.Checked(), on ? c.checked : std::vector<std::string>{});
      EXPECT_TRUE(!on || m.window.buttons == c.buttons);
    }
  }
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
  EXPECT_TRUE(w.Checked().empty()) << "the refresh drops every check";
  EXPECT_EQ(m.RunValue(kHkeyLocalMachine, "Tarrow"), kOwnRun) << "all-users items are delayed";

  // Stop the delayed current-user items; the stopped ones stay stopped.
  checkBranch(st::kDelayedCurrentUser);
  checkBranch(st::kStoppedCurrent);
  m.commands.ToolbarButtonClick(toolbar_key::kStop);
  EXPECT_TRUE(w.Items(st::kDelayedStartupCurrentUser).empty());
  EXPECT_EQ(w.Items(st::kStoppedCurrentStartup),
            (std::vector<std::string>{"s.lnk", "d.lnk", "a.lnk"}));

  // Run puts every stopped current-user item back, with its exact value.
  checkBranch(st::kStoppedCurrent);
  m.commands.ToolbarButtonClick(toolbar_key::kRun);
  EXPECT_EQ(w.Items(st::kCurrentUserStartup),
            (std::vector<std::string>{"a.lnk", "d.lnk", "s.lnk"}));
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "Tool"), "C:\\T\\t.exe /q");
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "S"), "C:\\s.exe");
  EXPECT_TRUE(m.world.RegValueNames(kHkeyCurrentUser, kUserStore).empty());
  EXPECT_EQ(m.Stopped(), (std::vector<std::string>{"_STPAU_t.lnk", "_REGAU_C:\\tt.exe"}));

  EXPECT_TRUE(m.MessageTexts().empty());
}

// Delay from the popup on one item: where the item is afterwards ("|"
// between items). Where the branch does not allow it, and on a category
// node, nothing changes.
TEST(ItemCommands, PopupCommandsActOnTheSelectedItem) {
  const struct {
    std::string_view category;
    std::string text;
    std::string_view shownIn;
    std::string items;
  } cases[] = {
      {st::kCurrentUserStartup, "a.lnk", st::kDelayedStartupCurrentUser, "d.lnk|a.lnk"},
      {st::kStoppedCurrentRegistry, "C:\\s.exe", st::kDelayedRegistryCurrentUser,
       "D=C:\\d.exe |S=C:\\s.exe "},
      {st::kDelayedStartupCurrentUser, "d.lnk", st::kDelayedStartupCurrentUser, "d.lnk"},
      {st::kAllUsersStartup, "b.lnk", st::kAllUsersStartup, "b.lnk"},
      {st::kCurrentUserStartup, "", st::kCurrentUserStartup, "a.lnk"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CommandsMachine m;
    m.window.selected =
        c.text.empty() ? m.window.tree.Find(c.category) : m.window.Item(c.category, c.text);
    m.commands.ItemPopupCommand(ItemPopupEntry::kDelay);
    std::string shown;
    for (const auto& item : m.window.Items(c.shownIn))
      shown += (shown.empty() ? "" : "|") + item;
    EXPECT_EQ(shown, c.items);
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
      {"M\xC3\xBCller \xE2\x82\xAC \xE6\x97\xA5.lnk", "M%C3%BCller%20%E2%82%AC%20%E6%97%A5.lnk"},
      {"50%^{x}|[y]`<z>", "50%25%5E%7Bx%7D%7C%5By%5D%60%3Cz%3E"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    EXPECT_EQ(items::OnlineSearchAddress(kTemplate, c.item),
              "https://search.example/?q=" + c.terms + "&lang=en");
  }
  EXPECT_EQ(items::OnlineSearchAddress(kTemplate, ""), "");

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
