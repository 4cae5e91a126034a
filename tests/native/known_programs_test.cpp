// Bold type for programs the safe list does not know, and the tool tip of a
// known program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "native/startup_items_machine.h"
#include "vantrel/tree/known_programs.h"
#include "vantrel/tree/startup_tree.h"

namespace vantrel::startup_test {
namespace {

TEST(KnownPrograms, UnknownLeavesAreBold) {
  sim::SimWorld world;
  sim::SimPlatform platform(world);
  TreeModel tree;
  const auto root = *tree.Add(TreeModel::kNoNode, "Root", "Registry Run (2)");
  const auto known = *tree.Add(root, "", "Mixer=C:\\Audio\\mixer.exe /tray");
  const auto caseDiffers = *tree.Add(root, "", "MIXER.EXE");
  const auto unknown = *tree.Add(root, "", "Helper=helper.exe");
  const auto emptyCategory = *tree.Add(TreeModel::kNoNode, "Empty", "Startup Folder (0)");
  const auto namedCategory = *tree.Add(TreeModel::kNoNode, "Named", "Stopped mixer.exe (0)");
  tree.At(known).bold = true; // a stale flag is put right

  // The empty name of the default list's first entry knows nothing.
  MarkKnown(tree, {{"", "everything"}, {"mixer.exe", "Sound mixer"}});

  EXPECT_FALSE(tree.At(root).bold); // has children
  EXPECT_FALSE(tree.At(known).bold);
  EXPECT_TRUE(tree.At(caseDiffers).bold);
  EXPECT_TRUE(tree.At(unknown).bold);
  EXPECT_TRUE(tree.At(emptyCategory).bold);
  EXPECT_FALSE(tree.At(namedCategory).bold);
}

TEST(KnownPrograms, TipIsTheFirstMatchingDescription) {
  const std::vector<SafeProgram> safeList = {
      {"mixer.exe", "Sound mixer"}, {"mixer", "Any mixer"}, {"", "Fallback"}};
  struct Row {
    const char* text;
    const char* tip;
  };
  const std::vector<Row> rows = {
      {"Mixer=C:\\Audio\\mixer.exe", "Sound mixer"},
      {"mixer2.lnk", "Any mixer"},
      {"Helper=helper.exe", "Fallback"}, // an empty name occurs everywhere
      {"", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ItemTip(safeList, row.text), row.tip);
  }
  EXPECT_EQ(ItemTip({SafeProgram{}}, "anything"), "");
}

} // namespace
} // namespace vantrel::startup_test
