// Entries that Vantrel's stores hold without a record in proggroup.c, as a
// command cut short by a crash leaves them: which ones count, the tree
// branch that shows them, what Delay, Stop and Run do with them, and the
// login run, which starts none of them and logs them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/store/unrecorded_items.h"
#include "login_test_support.h"
#include "native/fake_main_window.h"
#include "native/sync_sim_machine.h"
#include "vantrel/login/start_delay.h"
#include "vantrel/moves/item_commands.h"
#include "vantrel/tree/found_items_branch.h"
#include "vantrel/tree/item_node.h"
#include "vantrelsync/run_vantrel_sync.h"

namespace vantrel::moves_test {
namespace {

namespace st = startup_tree;

// A machine with one entry of every sort in the current user's stores and
// leftovers in the all users' ones.
struct FoundMachine {
  FoundMachine() {
    for (const char* name : {"Kept.lnk", "Deleter.lnk", "Stopped.lnk", "Lost.lnk", "desktop.ini"})
      m.world.AddFile(kCurrentUserItems + name, std::string("link ") + name);
    m.world.AddFile(kAllUsersItems + std::string("Shared Lost.lnk"), "all users' link");
    const auto stored = [&](RegKey root, const std::string& name, const std::string& data) {
      m.world.RegSetString(root, root == kHkeyCurrentUser ? kUserStore : kMachineStore, name, data);
    };
    stored(kHkeyCurrentUser, "Delayed", "C:\\Apps\\d.exe /x");
    // Two stopped entries of one program lead to the first two values that
    // start it; the third is lost.
    stored(kHkeyCurrentUser, "Shared1", "C:\\Apps\\shared.exe /n1");
    stored(kHkeyCurrentUser, "Shared2", "C:\\Apps\\shared.exe /n2");
    stored(kHkeyCurrentUser, "Shared3", "C:\\Apps\\shared.exe /n3");
    // A leftover copy of what the Run key holds is the Run key's entry.
    stored(kHkeyCurrentUser, "Copy", "C:\\Apps\\c.exe");
    m.AddRunValue(kHkeyCurrentUser, "Copy", "C:\\Apps\\c.exe");
    stored(kHkeyCurrentUser, "Lost", "C:\\Apps\\lost.exe -q");
    stored(kHkeyLocalMachine, "Machine Lost", "C:\\Apps\\m.exe");
    m.SetModel(
        {Program("Execute", kCurrentUserItems + "\\kept.lnk"),
         // Disallowed: the login run does not start it, but it has its record.
         Program("Execute", "Deleter.lnk"),
         Program("ExecuteReg", "C:\\Apps\\d.exe ", "/x", "Delayed")},
        {"_STPCU_Stopped.lnk", "_REGCU_C:\\Apps\\shared.exe", "_REGCU_C:\\Apps\\shared.exe"});
  }

  MovesMachine m;
  FakeWindow window{m};
  items::ItemCommands commands{window};
};

TEST(FoundItems, OnlyEntriesWithoutAnyRecordAreFoundAndLogged) {
  FoundMachine f;
  const store::UnrecordedItems found = store::FindUnrecordedItems(f.m.platform, f.m.context.Store);
  EXPECT_EQ(found.CurrentUserShortcuts, std::vector<std::string>{"Lost.lnk"});
  EXPECT_EQ(found.AllUsersShortcuts, std::vector<std::string>{"Shared Lost.lnk"});
  EXPECT_EQ(
      found.CurrentUserRunValues,
      (std::vector<std::string>{"Shared3=C:\\Apps\\shared.exe /n3", "Lost=C:\\Apps\\lost.exe -q"}));
  EXPECT_EQ(found.AllUsersRunValues, std::vector<std::string>{"Machine Lost=C:\\Apps\\m.exe"});

  // The login run starts what has a record and logs the rest, first.
  f.m.world.AddFile("C:\\Apps\\d.exe", "");
  f.m.context.Store.MainStartupDelay = 0;
  f.m.context.Store.DisallowedPrograms = {"deleter"};
  login_test::FakeMainWindow window(f.m.context, f.m.world);
  f.m.context.GuiMode = false;
  window.Load();
  StartDelay(f.m.context, window);
  const std::string log = f.m.world.ReadFile(kFolder + "\\log.txt").value_or("");
  const std::string prefix = "Warning: Found in Vantrel's Store without a record, not started: ";
  EXPECT_EQ(log.substr(0, log.find("Info:")),
            prefix + "Current User, Startup Folder: Lost.lnk\r\n" + prefix +
                "Current User, Registry Run: Shared3=C:\\Apps\\shared.exe /n3\r\n" + prefix +
                "Current User, Registry Run: Lost=C:\\Apps\\lost.exe -q\r\n" + prefix +
                "All Users, Startup Folder: Shared Lost.lnk\r\n" + prefix +
                "All Users, Registry Run: Machine Lost=C:\\Apps\\m.exe\r\n");
  std::vector<std::string> started;
  for (const auto& call : f.m.platform.shellExecutes())
    started.push_back(call.file);
  EXPECT_EQ(started, (std::vector<std::string>{kCurrentUserItems + "kept.lnk", "C:\\Apps\\d.exe"}));
}

TEST(FoundItems, TheBranchShowsThemWithCountsAndOnlyWhenThereAreAny) {
  FoundMachine f;
  f.window.RefreshData();
  const TreeModel& tree = f.window.tree;
  const TreeModel::NodeId root = tree.Find(st::kFoundItemsRoot);
  ASSERT_NE(root, TreeModel::kNoNode);
  EXPECT_EQ(tree.At(root).parent, TreeModel::kNoNode);
  EXPECT_TRUE(tree.At(root).expanded);
  const std::vector<std::pair<std::string_view, std::string>> captions = {
      {st::kFoundItemsRoot, "Found in Vantrel's Store (5)"},
      {st::kFoundCurrent, "Current User (3)"},
      {st::kFoundAll, "All Users (2)"},
      {st::kFoundCurrentStartup, "Startup Folder (1)"},
      {st::kFoundCurrentRegistry, "Registry Run (2)"},
      {st::kFoundAllStartup, "Startup Folder (1)"},
      {st::kFoundAllRegistry, "Registry Run (1)"}};
  for (const auto& [key, caption] : captions)
    EXPECT_EQ(tree.At(tree.Find(key)).text, caption);
  const items::ItemNode value = items::ClassifyItemNode(
      tree, f.window.Item(st::kFoundAllRegistry, "Machine Lost=C:\\Apps\\m.exe"));
  EXPECT_TRUE(value.actionable && value.runValue && !value.currentUser && !value.stopped);
  const items::ItemNode shortcut =
      items::ClassifyItemNode(tree, f.window.Item(st::kFoundCurrentStartup, "Lost.lnk"));
  EXPECT_TRUE(shortcut.actionable && !shortcut.runValue && shortcut.currentUser);
  f.window.selected = f.window.Item(st::kFoundCurrentStartup, "Lost.lnk");
  f.commands.TreeMouseUp(kRightButton);
  EXPECT_EQ(f.window.events.back(), "options");
  EXPECT_EQ(f.window.events[f.window.events.size() - 2], "popup:11101");

  // Once each has a record the branch goes.
  f.window.Check(f.window.Item(st::kFoundCurrentStartup, "Lost.lnk"));
  for (const TreeModel::NodeId node : tree.At(tree.Find(st::kFoundCurrentRegistry)).children)
    f.window.Check(node);
  f.window.CheckForOptions();
  EXPECT_TRUE(f.window.buttons.delay && f.window.buttons.stop && f.window.buttons.run);
  f.commands.ToolbarButtonClick(toolbar_key::kDelay);
  f.window.selected = f.window.Item(st::kFoundAllStartup, "Shared Lost.lnk");
  f.commands.ItemPopupCommand(ItemPopupEntry::kStop);
  f.window.selected = f.window.Item(st::kFoundAllRegistry, "Machine Lost=C:\\Apps\\m.exe");
  f.commands.ItemPopupCommand(ItemPopupEntry::kDelay);
  EXPECT_EQ(f.window.tree.Find(st::kFoundItemsRoot), TreeModel::kNoNode);
  EXPECT_EQ(
      f.window.Items(st::kDelayedRegistryCurrentUser),
      (std::vector<std::string>{"Delayed=C:\\Apps\\d.exe /x", "Shared3=C:\\Apps\\shared.exe /n3",
                                "Lost=C:\\Apps\\lost.exe -q"}));
  EXPECT_EQ(f.window.Items(st::kDelayedStartupCurrentUser),
            (std::vector<std::string>{"kept.lnk", "Deleter.lnk", "Lost.lnk"}));
  EXPECT_EQ(f.window.Items(st::kStoppedAllStartup), std::vector<std::string>{"Shared Lost.lnk"});
  EXPECT_EQ(f.window.Items(st::kDelayedRegistryAllUsers),
            std::vector<std::string>{"Machine Lost=C:\\Apps\\m.exe "});
  EXPECT_TRUE(f.m.MessageTexts().empty());
}

TEST(FoundItems, RunPutsThemBackUnchangedButNeverOverARunValueOfTheSameName) {
  FoundMachine f;
  f.m.AddRunValue(kHkeyLocalMachine, "Machine Lost", "C:\\Other\\m.exe");
  f.window.RefreshData();
  for (const auto& [category, text] : std::vector<std::pair<std::string_view, std::string>>{
           {st::kFoundCurrentStartup, "Lost.lnk"},
           {st::kFoundCurrentRegistry, "Lost=C:\\Apps\\lost.exe -q"},
           {st::kFoundAllRegistry, "Machine Lost=C:\\Apps\\m.exe"}}) {
    f.window.selected = f.window.Item(category, text);
    f.commands.ItemPopupCommand(ItemPopupEntry::kRun);
  }
  EXPECT_EQ(f.m.world.ReadFile(kUserStartup + "\\Lost.lnk"), "link Lost.lnk");
  EXPECT_FALSE(f.m.world.Exists(kCurrentUserItems + "Lost.lnk"));
  EXPECT_EQ(f.m.RunValue(kHkeyCurrentUser, "Lost"), "C:\\Apps\\lost.exe -q");
  EXPECT_EQ(f.m.StoredValue(kHkeyCurrentUser, "Lost"), std::nullopt);
  // The Run key's own value stays, the stored one waits, and the user is told.
  EXPECT_EQ(f.m.RunValue(kHkeyLocalMachine, "Machine Lost"), "C:\\Other\\m.exe");
  EXPECT_EQ(f.m.StoredValue(kHkeyLocalMachine, "Machine Lost"), "C:\\Apps\\m.exe");
  ASSERT_EQ(f.m.MessageTexts().size(), 1u);
  EXPECT_NE(f.m.MessageTexts()[0].find("Machine Lost"), std::string::npos);
  EXPECT_EQ(f.window.Items(st::kFoundAllRegistry),
            std::vector<std::string>{"Machine Lost=C:\\Apps\\m.exe"});
}

// The save fails after a delay, and the undo cannot write the value back
// into the Run key: it stays in the store, shown as found, and the box says
// so.
TEST(FoundItems, WhatAFailedUndoLeavesInTheStoreIsShownAndTold) {
  MovesMachine m;
  FakeWindow window{m};
  items::ItemCommands commands{window};
  m.AddRunValue(kHkeyCurrentUser, "Tool", "C:\\T\\t.exe /q");
  m.SetModel({}, {});
  window.RefreshData();
  window.selected = window.Item(st::kCurrentUserRegistry, "Tool=C:\\T\\t.exe /q");
  m.world.faults = [](sim::SimOp op, const std::string& what) {
    return (op == sim::SimOp::kFileReplace && what.find("proggroup.c") != std::string::npos) ||
           (op == sim::SimOp::kRegSetValue && what.find("\\Run\\") != std::string::npos);
  };
  commands.ItemPopupCommand(ItemPopupEntry::kDelay);
  m.world.faults = nullptr;
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "Tool"), std::nullopt);
  EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "Tool"), "C:\\T\\t.exe /q");
  EXPECT_EQ(window.Items(st::kFoundCurrentRegistry),
            std::vector<std::string>{"Tool=C:\\T\\t.exe /q"});
  ASSERT_EQ(m.MessageTexts().size(), 1u);
  EXPECT_NE(m.MessageTexts()[0].find("Tool: " + items::reason::KeptInStoreWithoutRecord()),
            std::string::npos)
      << m.MessageTexts()[0];
}

} // namespace
} // namespace vantrel::moves_test
