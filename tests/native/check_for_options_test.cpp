// The toolbar state from the checked nodes of the item tree, and the check
// marks it takes away from Windows' own all-users items.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "native/startup_items_machine.h"
#include "vantrel/tree/startup_tree.h"
#include "vantrel/window/check_for_options.h"

namespace vantrel::startup_test {
namespace {

namespace st = startup_tree;

// One item in each of the eight places, built without reading the machine.
class CheckForOptionsTest : public ::testing::Test, public StartupItemsMachine {
protected:
  CheckForOptionsTest() {
    lists.CurrentUserStartupFiles = {"cu.lnk"};
    lists.CurrentUserRunValues = {"CuRun=cu.exe"};
    lists.AllUsersStartupFiles = {"au.lnk"};
    lists.AllUsersRunValues = {"AuRun=au.exe"};
    context.Store.ProgramGroups = {ProgramGroup{
        "Startup", {Program("Execute", "dcu.lnk"), Program("ExecuteRegAU", "dau.exe", "", "D")}}};
    context.Store.StartupGroupIndex = 0;
    context.Store.StoppedPrograms = {"_STPCU_scu.lnk", "_REGAU_sau.exe"};
    const auto counts = CountStartupItems(lists, "", context.Store);
    BuildStartupTree(tree, lists, counts, "", context.Store);
  }

  // The first item node under a category.
  TreeModel::NodeId Item(std::string_view category) const {
    return tree.At(tree.Find(category)).children.at(0);
  }
};

TEST_F(CheckForOptionsTest, ButtonsFollowTheBranchesOfTheCheckedNodes) {
  struct Row {
    const char* name;
    std::vector<std::string_view> checked; // category keys; an item below each is checked
    ItemButtons expected;
  };
  const std::vector<Row> rows = {
      {"nothing checked", {}, {}},
      {"Windows item", {st::kCurrentUserStartup}, {true, true, false}},
      {"delayed item", {st::kDelayedStartupCurrentUser}, {true, false, true}},
      {"stopped item", {st::kStoppedCurrentStartup}, {false, true, true}},
      {"all-users Windows item alone", {st::kAllUsersStartup}, {}},
      {"delayed and stopped",
       {st::kDelayedStartupCurrentUser, st::kStoppedCurrentStartup},
       {true, true, true}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    for (const TreeModel::NodeId node : NodesInIndexOrder(tree))
      tree.At(node).checked = false;
    for (const std::string_view category : row.checked)
      tree.At(Item(category)).checked = true;
    EXPECT_EQ(CheckForOptions(tree), row.expected);
  }
}

TEST_F(CheckForOptionsTest, AllUsersWindowsItemsLoseTheirChecks) {
  // Checked everywhere: the all-users Windows branch (category nodes and
  // items, both Startup folder and Run key) is unchecked, also after the
  // three buttons are already on; everything else keeps its check.
  for (const TreeModel::NodeId node : NodesInIndexOrder(tree))
    tree.At(node).checked = true;

  EXPECT_EQ(CheckForOptions(tree), (ItemButtons{true, true, true}));

  for (const TreeModel::NodeId node : NodesInIndexOrder(tree)) {
    const bool allUsersWindows = FullPath(tree, node).starts_with("All Users");
    EXPECT_EQ(tree.At(node).checked, !allUsersWindows) << FullPath(tree, node);
  }
  EXPECT_FALSE(tree.At(Item(st::kAllUsersRegistry)).checked);
  EXPECT_TRUE(tree.At(Item(st::kDelayedRegistryAllUsers)).checked);
}

} // namespace
} // namespace vantrel::startup_test
