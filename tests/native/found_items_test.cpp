// Entries that Vantrel's stores hold without a record in proggroup.c, as a
// command cut short by a crash leaves them: which ones count, the tree
// branch that shows them, what Delay, Stop and Run do with them, and the
// login run, which starts none of them and logs them.
#include <gtest/gtest.h>

#include "native/window_machine.h"
#include "vantrel/tree/found_items_branch.h"
#include "vantrel/tree/item_node.h"

namespace vantrel::moves_test {
namespace {

namespace st = startup_tree;

// A machine with one entry of every sort in the current user's stores and
// leftovers in the all users' ones.
struct FoundMachine : WindowMachine {
  FoundMachine() {
    for (const char* name : {"Kept.lnk", "Deleter.lnk", "Stopped.lnk", "Lost.lnk", "desktop.ini"})
      world.AddFile(kCurrentUserItems + name, std::string("link ") + name);
    world.AddFile(kAllUsersItems + std::string("Shared Lost.lnk"), "all users' link");
    world.RegSetString(kHkeyCurrentUser, kUserStore, "Delayed", "C:\\Apps\\d.exe /x");
    // Two stopped entries of one program lead to the first two values that
    // start it; the third is lost.
    for (const std::string n : {"1", "2", "3"})
      world.RegSetString(kHkeyCurrentUser, kUserStore, "Shared" + n, "C:\\Apps\\shared.exe /n" + n);
    // A leftover copy of what the Run key holds is the Run key's entry.
    world.RegSetString(kHkeyCurrentUser, kUserStore, "Copy", "C:\\Apps\\c.exe");
    AddRunValue(kHkeyCurrentUser, "Copy", "C:\\Apps\\c.exe");
    world.RegSetString(kHkeyCurrentUser, kUserStore, "Lost", "C:\\Apps\\lost.exe -q");
    world.RegSetString(kHkeyLocalMachine, kMachineStore, "Machine Lost", "C:\\Apps\\m.exe");
    SetModel({Program("Execute", kCurrentUserItems + "\\kept.lnk"),
              // Disallowed: the login run does not start it, but it has its record.
              Program("Execute", "Deleter.lnk"),
              Program("ExecuteReg", "C:\\Apps\\d.exe ", "/x", "Delayed")},
             {"_STPCU_Stopped.lnk", "_REGCU_C:\\Apps\\shared.exe", "_REGCU_C:\\Apps\\shared.exe"});
  }
  items::ItemCommands commands{window};
};

TEST(FoundItems, OnlyEntriesWithoutAnyRecordAreFoundAndLogged) {
  FoundMachine m;
  // The login run starts what has a record and logs the rest, first.
  m.context.Store.DisallowedPrograms = {"deleter"};
  m.session.SaveModel();
  EXPECT_EQ(m.LoginRun(),
            (std::vector<std::string>{kCurrentUserItems + "kept.lnk|", "C:\\Apps\\d.exe|/x"}));
  const std::string log = m.Log();
  const std::string prefix = "Warning: Found in Vantrel's Store without a record, not started: ";
  EXPECT_EQ(log.substr(0, log.find("Info:")),
            prefix + "Current User, Startup Folder: Lost.lnk\r\n" + prefix +
                "Current User, Registry Run: Shared3=C:\\Apps\\shared.exe /n3\r\n" + prefix +
                "Current User, Registry Run: Lost=C:\\Apps\\lost.exe -q\r\n" + prefix +
                "All Users, Startup Folder: Shared Lost.lnk\r\n" + prefix +
                "All Users, Registry Run: Machine Lost=C:\\Apps\\m.exe\r\n");
}

TEST(FoundItems, TheBranchShowsThemWithCountsAndOnlyWhenThereAreAny) {
  FoundMachine m;
  m.window.RefreshData();
  const TreeModel& tree = m.window.tree;
  const TreeModel::NodeId root = tree.Find(st::kFoundItemsRoot);
  ASSERT_NE(root, TreeModel::kNoNode);
  EXPECT_TRUE(tree.At(root).expanded);
  std::vector<std::string> captions;
  for (const auto key :
       {st::kFoundItemsRoot, st::kFoundCurrent, st::kFoundAll, st::kFoundCurrentStartup,
        st::kFoundCurrentRegistry, st::kFoundAllStartup, st::kFoundAllRegistry})
    captions.push_back(m.Caption(key));
  EXPECT_EQ(captions,
            (std::vector<std::string>{"Found in Vantrel's Store (5)", "Current User (3)",
                                      "All Users (2)", "Startup Folder (1)", "Registry Run (2)",
                                      "Startup Folder (1)", "Registry Run (1)"}));
  m.window.selected = m.window.Item(st::kFoundCurrentStartup, "Lost.lnk");
  m.commands.TreeMouseUp(kRightButton);
  EXPECT_EQ(m.window.events.back(), "options");
  EXPECT_EQ(m.window.events[m.window.events.size() - 2], "popup:11101");

  // Once each has a record the branch goes.
  m.window.Check(m.window.Item(st::kFoundCurrentStartup, "Lost.lnk"));
  for (const TreeModel::NodeId node : tree.At(tree.Find(st::kFoundCurrentRegistry)).children)
    m.window.Check(node);
  m.commands.ToolbarButtonClick(toolbar_key::kDelay);
  m.Popup(st::kFoundAllStartup, "Shared Lost.lnk", ItemPopupEntry::kStop);
  m.Popup(st::kFoundAllRegistry, "Machine Lost=", ItemPopupEntry::kDelay);
  EXPECT_EQ(m.window.tree.Find(st::kFoundItemsRoot), TreeModel::kNoNode);
  EXPECT_EQ(
      m.window.Items(st::kDelayedRegistryCurrentUser),
      (std::vector<std::string>{"Delayed=C:\\Apps\\d.exe /x", "Shared3=C:\\Apps\\shared.exe /n3",
                                "Lost=C:\\Apps\\lost.exe -q"}));
  EXPECT_EQ(m.window.Items(st::kDelayedStartupCurrentUser),
            (std::vector<std::string>{"kept.lnk", "Deleter.lnk", "Lost.lnk"}));
  EXPECT_TRUE(m.MessageTexts().empty());
}

// Run puts them back unchanged, but never over a Run value of the same name.
TEST(FoundItems, RunPutsThemBackUnchangedButNeverOverARunValueOfTheSameName) {
  FoundMachine m;
  m.AddRunValue(kHkeyLocalMachine, "Machine Lost", "C:\\Other\\m.exe");
  m.window.RefreshData();
  m.Popup(st::kFoundCurrentStartup, "Lost.lnk", ItemPopupEntry::kRun);
  m.Popup(st::kFoundCurrentRegistry, "Lost=", ItemPopupEntry::kRun);
  m.Popup(st::kFoundAllRegistry, "Machine Lost=", ItemPopupEntry::kRun);
  EXPECT_EQ(m.world.ReadFile(kUserStartup + "\\Lost.lnk"), "link Lost.lnk");
  EXPECT_FALSE(m.world.Exists(kCurrentUserItems + "Lost.lnk"));
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "Lost"), "C:\\Apps\\lost.exe -q");
  EXPECT_EQ(m.RunValue(kHkeyLocalMachine, "Machine Lost"), "C:\\Other\\m.exe");
  EXPECT_EQ(m.StoredValue(kHkeyLocalMachine, "Machine Lost"), "C:\\Apps\\m.exe");
  ASSERT_EQ(m.MessageTexts().size(), 1u);
  EXPECT_NE(m.MessageTexts()[0].find("Machine Lost"), std::string::npos);
}

} // namespace
} // namespace vantrel::moves_test
