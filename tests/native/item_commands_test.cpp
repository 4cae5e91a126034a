// The main window's item commands on the real item tree: toolbar and File >
// Save on checked items, the popup's enablement and commands, check marks
// passing down the tree, tool tips, and the online search address.

#include <gtest/gtest.h>

#include <new>

#include "moves_test_support.h"
#include "native/fake_main_window.h"
#include "store_test_support.h"
#include "vantrel/check_for_options.h"
#include "vantrel/check_propagation.h"
#include "vantrel/item_commands.h"
#include "vantrel/online_search.h"
#include "vantrel/popup_menu.h"
#include "vantrel/refresh_startup_items.h"
#include "vantrel/startup_tree.h"

namespace vantrel::moves_test {
namespace {

namespace st = startup_tree;
using items::ItemCommands;

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

TEST(ItemCommands, CheckingACategoryChecksThreeLevelsBelowIt) {
  struct Case {
    std::string_view node;
    std::vector<std::string> checked; // after the toolbar state cleared what it clears
    ItemButtons buttons;
  };
  const std::vector<Case> cases = {
      {st::kCurrentUserRoot,
       {"Current User (2)", "Startup Folder (1)", "Registry Run (1)", "a.lnk",
        "Tool=C:\\T\\t.exe /q"},
       {true, true, false}},
      {st::kDelayedItemsRoot,
       {"Delayed Items (4)", "Current User (2)", "All Users (2)", "Startup Folder (1)",
        "Registry Run (1)", "Startup Folder (1)", "Registry Run (1)", "d.lnk", "e.lnk",
        "D=C:\\d.exe ", "E=C:\\e.exe -x"},
       {true, false, true}},
      // Four levels deep: the items under the root's grandchildren are the
      // third level, so all of them follow.
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
    EXPECT_EQ(m.window.events.back(), "options");
    // Unchecking passes down the same way.
    m.window.Check(node, false);
    commands.TreeNodeCheck(node);
    EXPECT_TRUE(m.window.Checked().empty());
  }
  // An item node passes nothing on, and propagation stops three levels down.
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
  EXPECT_TRUE(deep.At(deep.At(deep.At(deep.At(top).children[0]).children[0]).children[0]).checked);
  EXPECT_FALSE(deep.At(at).checked) << "the fourth level stays";
}

TEST(ItemCommands, BatchCommandsNeedACheckedNode) {
  for (const auto key : {toolbar_key::kSave, toolbar_key::kDelay, toolbar_key::kStop,
                         toolbar_key::kRun, toolbar_key::kRefresh, toolbar_key::kProperties}) {
    SCOPED_TRACE(key);
    CommandsMachine m;
    ItemCommands commands = m.Commands();
    const std::string fileBefore = m.world.ReadFile(m.store.FilePath()).value_or("");
    commands.ToolbarButtonClick(key);
    std::vector<std::string> expected = {"options"};
    if (key == toolbar_key::kRefresh)
      expected.insert(expected.begin(), "refresh");
    EXPECT_EQ(m.window.events, expected);
    EXPECT_EQ(m.editorCalls, key == toolbar_key::kProperties ? std::vector<std::string>{""}
                                                             : std::vector<std::string>{});
    EXPECT_EQ(m.world.ReadFile(m.store.FilePath()), fileBefore);
  }
  CommandsMachine m;
  ItemCommands commands = m.Commands();
  commands.FileSave();
  EXPECT_TRUE(m.window.events.empty());
}

// Delay and Stop from the toolbar, then Run, on every checked item of the
// current user: what the refreshed tree shows after each, and Vantrel's own
// Run value following the delayed items (startup type 1).
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

TEST(ItemCommands, SaveDelaysWindowsItemsAndPutsCheckedOnesBack) {
  for (const bool fromMenu : {false, true}) {
    SCOPED_TRACE(fromMenu ? "File > Save" : "toolbar Save");
    CommandsMachine m;
    ItemCommands commands = m.Commands();
    FakeWindow& w = m.window;
    for (const auto key : {st::kCurrentUserRoot, st::kDelayedCurrentUser, st::kStoppedCurrent}) {
      w.Check(w.tree.Find(key));
      commands.TreeNodeCheck(w.tree.Find(key));
    }
    if (fromMenu)
      commands.FileSave();
    else
      commands.ToolbarButtonClick(toolbar_key::kSave);
    EXPECT_EQ(w.Items(st::kCurrentUserStartup), (std::vector<std::string>{"d.lnk", "s.lnk"}));
    EXPECT_EQ(w.Items(st::kCurrentUserRegistry),
              (std::vector<std::string>{"D=C:\\d.exe", "S=C:\\s.exe"}));
    EXPECT_EQ(w.Items(st::kDelayedStartupCurrentUser), std::vector<std::string>{"a.lnk"});
    EXPECT_EQ(w.Items(st::kDelayedRegistryCurrentUser),
              std::vector<std::string>{"Tool=C:\\T\\t.exe /q"});
    EXPECT_TRUE(w.Items(st::kStoppedCurrentStartup).empty());
    EXPECT_TRUE(w.Items(st::kStoppedCurrentRegistry).empty());
    EXPECT_EQ(w.events.back(), fromMenu ? "refresh" : "options");
  }
}

TEST(ItemCommands, FileSaveStopsWhenMemoryRunsOut) {
  CommandsMachine m;
  ItemCommands commands = m.Commands();
  m.window.Check(m.window.Item(st::kCurrentUserStartup, "a.lnk"));
  m.window.failRefresh = true;
  // Only the window procedure's entry catches (common/exception_policy.h).
  EXPECT_THROW(commands.FileSave(), std::bad_alloc);
  EXPECT_TRUE(m.world.Exists(kCurrentUserItems + "a.lnk")) << "the steps before it ran";
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

TEST(ItemCommands, PopupDelayThatFailsTellsTheUser) {
  CommandsMachine m;
  ItemCommands commands = m.Commands();
  m.world.SetAdmin(false);
  m.window.selected = m.window.Item(st::kStoppedAllStartup, "t.lnk");
  m.world.SetFolderReadOnly(kCommonStartup);
  commands.ItemPopupCommand(ItemPopupEntry::kRun);
  EXPECT_EQ(m.MessageTexts(),
            std::vector<std::string>{ExpectedBox(
                kShortcutsFailed,
                {"t.lnk: Items of all users can only be changed with administrator rights."})});
  EXPECT_EQ(m.window.Items(st::kStoppedAllStartup), std::vector<std::string>{"t.lnk"});
  EXPECT_EQ(m.window.events, (std::vector<std::string>{"refresh"}));
}

TEST(ItemCommands, ToolTipsFollowThePointer) {
  CommandsMachine m;
  bool cleared = false;
  m.services.clearItemTip = [&] { cleared = true; };
  ItemCommands commands = m.Commands();
  commands.TreeMouseMove(m.window.Item(st::kCurrentUserStartup, "a.lnk"));
  commands.TreeMouseMove(TreeModel::kNoNode);
  EXPECT_EQ(m.window.events, std::vector<std::string>{"tip:a.lnk"});
  EXPECT_TRUE(cleared);
  m.window.events.clear();
  commands.TreeClick();
  EXPECT_EQ(m.window.events, (std::vector<std::string>{"options", "tip:"}));
  // Without a service of its own the window empties the tip.
  m.window.events.clear();
  ItemCommands plain(m.window);
  plain.TreeMouseMove(TreeModel::kNoNode);
  EXPECT_EQ(m.window.events, std::vector<std::string>{"no tip"});
}

TEST(ItemCommands, OnlineSearch) {
  const std::string kTemplate = "https://search.example/?q={SEARCHTERMS}&lang=en";
  struct Case {
    const char* name;
    std::string item;
    std::string address;
  };
  const std::vector<Case> cases = {
      {"a shortcut's file name as it is", "My Tool.lnk",
       "https://search.example/?q=My%20Tool.lnk&lang=en"},
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
      {"unreserved characters stay", "a-b_c.d~e", "https://search.example/?q=a-b_c.d~e&lang=en"},
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
  EXPECT_FALSE(call.extended);
  EXPECT_EQ(call.hwnd, kWindow);
  EXPECT_EQ(call.verb, "");
  EXPECT_EQ(call.file, "https://search.example/?q=a.lnk&lang=en");
  EXPECT_EQ(call.show, kSwShowNormal);
  // No template, no search.
  m.context.Text.OnlineSearchText.clear();
  commands.ItemPopupCommand(ItemPopupEntry::kSearchOnline);
  EXPECT_EQ(m.platform.shellExecutes().size(), 1u);
}

} // namespace
} // namespace vantrel::moves_test
