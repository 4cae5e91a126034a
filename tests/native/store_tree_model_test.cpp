// The portable tree that the program-group editor's tree mirrors.
#include <gtest/gtest.h>

#include "common/tree_model.h"

namespace vantrel {
namespace {

TEST(StoreTreeModel, KeysAreUniqueAndRemovalFreesThem) {
  TreeModel tree;
  const auto root = tree.Add(TreeModel::kNoNode, "Root", "Program Groups");
  ASSERT_TRUE(root);
  const auto group = tree.Add(*root, "Tools", "Tools");
  ASSERT_TRUE(group);
  ASSERT_TRUE(tree.Add(*group, "ToolsProgramPath0", "C:\\a.exe"));
  EXPECT_FALSE(tree.Add(*root, "Tools", "again"));
  EXPECT_TRUE(tree.Add(*root, "tools", "case counts").has_value());
  EXPECT_TRUE(tree.Add(*root, "", "no key"));
  EXPECT_TRUE(tree.Add(*root, "", "no key either"));
  EXPECT_FALSE(tree.Add(99, "Orphan", "x"));
  EXPECT_EQ(tree.Count(), 6u);
  EXPECT_EQ(tree.At(*root).children.size(), 4u);

  EXPECT_TRUE(tree.Remove(*group));
  EXPECT_FALSE(tree.Contains(*group));
  EXPECT_EQ(tree.Find("ToolsProgramPath0"), TreeModel::kNoNode);
  EXPECT_EQ(tree.Count(), 4u);
  EXPECT_EQ(tree.At(*root).children.size(), 3u);
  EXPECT_TRUE(tree.Add(*root, "Tools", "back"));
  EXPECT_FALSE(tree.Remove(*group));

  tree.Clear();
  EXPECT_EQ(tree.Count(), 0u);
  EXPECT_TRUE(tree.Roots().empty());
  EXPECT_EQ(tree.Find("Root"), TreeModel::kNoNode);
}

} // namespace
} // namespace vantrel
