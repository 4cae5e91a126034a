// VantrelSync's command line (one known word, in any case, or nothing), and
// the upgrade of the old layout on a simulated machine: the shortcuts of the
// Start Menu's "KRV Vantrel" folders move into the items folders, emptied
// old folders go, and the synchronisation that follows sees the moved
// files.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "native/sync_sim_machine.h"
#include "vantrelsync/sync_command_line.h"

namespace vantrel::sync {
namespace {

using namespace sync_test;

const std::string kUserPrograms =
    "C:\\Users\\Tester\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
const std::string kCommonPrograms = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
const std::string kOldUserVendor = kUserPrograms + "\\KRV Vantrel";
const std::string kOldCommonVendor = kCommonPrograms + "\\KRV Vantrel";
const std::string kOldUserItems = kOldUserVendor + "\\Current User\\";
const std::string kOldCommonItems = kOldCommonVendor + "\\All Users\\";

TEST(SyncCommandLine, ChoosesTheActionByTheWholeLineAndAnUnknownLineDoesNothing) {
  using enum SyncAction;
  const std::pair<const char*, SyncAction> rows[] = {
      {"", kSynchronize},      {"  Sync  ", kSynchronize}, {"/S", kSynchronize},
      {"-SYNC", kSynchronize}, {"UPGRADE", kUpgrade},      {" u ", kUpgrade},
      {"-u", kUpgrade},        {"sync now", kNothing},     {"-s -u", kNothing},
      {"\"sync\"", kNothing},  {"--sync", kNothing},       {"synch", kNothing},
  };
  for (const auto& [line, action] : rows)
    EXPECT_EQ(action, ChooseSyncAction(line)) << "[" << line << "]";

  sim::SimWorld world;
  sim::SimPlatform platform(world, SyncProcess());
  world.AddFile(kCurrentUserItems + "Tool.lnk", "shortcut");
  const auto before = world.ListAll();
  EXPECT_EQ(0, RunVantrelSync(platform, "upgrade please"));
  EXPECT_EQ(before, world.ListAll());
}

class SyncUpgradeTest : public ::testing::Test {
protected:
  std::string file() { return world.ReadFile(kProgGroup).value_or("<missing>"); }

  sim::SimWorld world;
  sim::SimPlatform platform{world, SyncProcess()};
};

TEST_F(SyncUpgradeTest, MovesTheOldShortcutsRemovesTheOldFoldersAndSynchronises) {
  world.AddFile(kOldUserItems + "Notes.lnk", "notes");
  world.AddFile(kOldUserItems + "Agent.lnk", "agent");
  world.AddFile(kOldCommonItems + "Backup.lnk", "backup");

  EXPECT_EQ(0, RunVantrelSync(platform, "upgrade"));

  EXPECT_EQ((std::vector<std::string>{"Agent.lnk", "Notes.lnk"}), world.List(kCurrentUserItems));
  EXPECT_EQ((std::vector<std::string>{"Backup.lnk"}), world.List(kAllUsersItems));
  EXPECT_FALSE(world.Exists(kOldUserVendor) || world.Exists(kOldCommonVendor));
  EXPECT_EQ(Visible(SyncFile({
                "     Execute (\"Agent.lnk\", \"\", 0, \"\");",
                "     Execute (\"Notes.lnk\", \"\", 0, \"\");",
                "     ExecuteAU (\"Backup.lnk\", \"\", 0, \"\");",
            })),
            Visible(file()));
  for (const auto& op : platform.shFileOperations()) // moved by the shell without an owner
    EXPECT_TRUE(op.func == kFoMove && op.hwnd == 0);
}

// Folders that still hold something stay: a file beside the items
// folder, a subfolder, a shortcut the shell did not move. An old shortcut
// replaces one of the same name in any case.
TEST_F(SyncUpgradeTest, WhatDoesNotMoveKeepsItsFolder) {
  world.AddFile(kCurrentUserItems + "Notes.lnk", "newer layout");
  world.AddFile(kOldUserItems + "notes.LNK", "old layout");
  world.AddFile(kOldUserItems + "Agent.lnk", "agent");
  world.AddFile(kOldUserVendor + "\\Readme.txt", "kept");
  world.AddFile(kOldCommonItems + "Backup.lnk", "backup");
  world.AddFile(kOldCommonItems + "Archive\\Old.lnk", "old");
  world.faults = [](sim::SimOp op, const std::string& subject) {
    return op == sim::SimOp::kShFileOperation && subject == kOldUserItems + "Agent.lnk";
  };
  EXPECT_EQ(0, RunVantrelSync(platform, "-u"));

  EXPECT_EQ((std::vector<std::string>{"Agent.lnk"}), world.List(kOldUserItems));
  EXPECT_TRUE(world.Exists(kOldUserVendor + "\\Readme.txt"));
  EXPECT_EQ((std::vector<std::string>{"Archive"}), world.List(kOldCommonItems));
  EXPECT_EQ((std::vector<std::string>{"notes.LNK"}), world.List(kCurrentUserItems));
  EXPECT_EQ(SyncFile({"     Execute (\"notes.LNK\", \"\", 0, \"\");",
                      "     ExecuteAU (\"Backup.lnk\", \"\", 0, \"\");"}),
            file());
}

} // namespace
} // namespace vantrel::sync
