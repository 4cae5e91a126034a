// VantrelSync's command line: one known word, in any case, or nothing.
#include <string>

#include <gtest/gtest.h>

#include "native/sync_sim_machine.h"
#include "vantrelsync/sync_command_line.h"

namespace vantrel::sync {
namespace {

using namespace sync_test;

TEST(SyncCommandLine, ChoosesTheActionByTheWholeLine) {
  struct Row {
    const char* line;
    SyncAction action;
  };
  const Row rows[] = {
      {"", SyncAction::kSynchronize},
      {"  Sync  ", SyncAction::kSynchronize},
      {"s", SyncAction::kSynchronize},
      {"-s", SyncAction::kSynchronize},
      {"/S", SyncAction::kSynchronize},
      {"-SYNC", SyncAction::kSynchronize},
      {"UPGRADE", SyncAction::kUpgrade},
      {" u ", SyncAction::kUpgrade},
      {"-u", SyncAction::kUpgrade},
      {"/upgrade", SyncAction::kUpgrade},
      // Anything else, including a known word with more after it.
      {"sync now", SyncAction::kNothing},
      {"-s -u", SyncAction::kNothing},
      {"\"sync\"", SyncAction::kNothing},
      {"--sync", SyncAction::kNothing},
      {"synch", SyncAction::kNothing},
      {"up", SyncAction::kNothing},
      {"sync\t", SyncAction::kNothing},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string("command line [") + row.line + "]");
    EXPECT_EQ(row.action, ChooseSyncAction(row.line));
  }
}

TEST(SyncCommandLine, AnUnknownLineDoesNothing) {
  for (const char* line : {"sync now", "upgrade please", "x"}) {
    SCOPED_TRACE(line);
    sim::SimWorld world;
    sim::SimPlatform platform(world, SyncProcess());
    world.AddFile(kCurrentUserItems + "Tool.lnk", "shortcut");
    world.AddFile(kProgGroup, "the user's own file");
    const auto before = world.ListAll();
    EXPECT_EQ(0, RunVantrelSync(platform, line));
    EXPECT_EQ(before, world.ListAll());
    EXPECT_EQ("the user's own file", world.ReadFile(kProgGroup).value_or("<missing>"));
    EXPECT_TRUE(platform.messageBoxes().empty());
    EXPECT_TRUE(platform.shFileOperations().empty());
  }
}

} // namespace
} // namespace vantrel::sync
