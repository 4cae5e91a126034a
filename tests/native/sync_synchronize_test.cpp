// Synchronisation on a simulated machine: the exact file rebuilt from the
// four stores, the log lines, the message boxes, and what happens to the
// user's old file when something fails.
#include <algorithm>
#include <new>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "common/store/store_tables.h"
#include "native/sync_sim_machine.h"

namespace vantrel::sync {
namespace {

using namespace sync_test;

const std::string kOldFile = "// the user's own groups, stopped items and options\r\n";

class SyncTest : public ::testing::Test {
protected:
  std::string file() { return world.ReadFile(kProgGroup).value_or("<missing>"); }
  std::string log() { return world.ReadFile(kLog).value_or(""); }

  // Two shortcuts of the user, one of all users, a Run value of each
  // hive, and values that are no items: empty data and an empty name.
  void FillStores() {
    world.AddFile(kCurrentUserItems + "Notes.lnk", "shortcut");
    world.AddFile(kCurrentUserItems + "Agent Tray.lnk", "shortcut");
    world.AddFile(kCurrentUserItems + "desktop.ini", "[.ShellClassInfo]");
    world.AddFile(kAllUsersItems + "Backup.lnk", "shortcut");
    world.RegSetString(kHkeyCurrentUser, kCurrentUserStore, "Empty", "");
    world.RegSetString(kHkeyCurrentUser, kCurrentUserStore, "Agent",
                       "\"C:\\Program Files\\Agent\\agent.exe\" -q");
    world.RegSetString(kHkeyCurrentUser, kCurrentUserStore, "", "C:\\Tools\\nameless.exe");
    world.RegSetString(kHkeyLocalMachine, kAllUsersStore, "Updater",
                       "C:\\Tools\\update.bat /silent");
  }

  void ExpectErrorBox() {
    ASSERT_EQ(1u, platform.messageBoxes().size());
    const auto& box = platform.messageBoxes()[0];
    EXPECT_EQ("Error Synchronizing Data....", box.text);
    EXPECT_EQ("VantrelSync", box.caption);
    EXPECT_EQ(kMbOk | kMbIconExclamation, box.flags);
    EXPECT_EQ(0u, box.owner);
  }

  sim::SimWorld world;
  sim::SimPlatform platform{world, SyncProcess()};
};

const std::string kFullStoreFile = SyncFile({
    "     Execute (\"Agent Tray.lnk\", \"\", 0, \"\");",
    "     Execute (\"Notes.lnk\", \"\", 0, \"\");",
    "     ExecuteAU (\"Backup.lnk\", \"\", 0, \"\");",
    "     ExecuteReg (\"<&22>C:\\Program Files\\Agent\\agent.exe<&22>\", \"-q\", 0, \"Agent\");",
    "     ExecuteRegAU (\"C:\\Tools\\update.bat /silent\", \"\", 0, \"Updater\");",
});

TEST_F(SyncTest, RebuildsTheFileFromTheFourStores) {
  FillStores();
  world.AddFile(kProgGroup, kOldFile);
  EXPECT_EQ(0, RunVantrelSync(platform, ""));

  EXPECT_EQ(Visible(kFullStoreFile), Visible(file()));
  EXPECT_EQ(kFullStoreFile, file());
  EXPECT_EQ(kGoodRunLog, log());
  // The user's file is kept beside the new one; nothing else is left.
  EXPECT_EQ(kOldFile, world.ReadFile(kBackup).value_or("<missing>"));
  EXPECT_EQ((std::vector<std::string>{"proggroup.c", "proggroup.c.bak"}),
            world.List(kProgramFolder + "\\Tester"));
  ASSERT_EQ(1u, platform.messageBoxes().size());
  const auto& box = platform.messageBoxes()[0];
  EXPECT_EQ("Synchronization complete!", box.text);
  EXPECT_EQ("VantrelSync", box.caption);
  EXPECT_EQ(kMbOk | kMbIconInformation, box.flags);
  EXPECT_EQ(0u, box.owner);
  // The stores themselves are only read.
  EXPECT_EQ(3u, world.RegValueNames(kHkeyCurrentUser, kCurrentUserStore).size());
  EXPECT_TRUE(world.Exists(kCurrentUserItems + "Notes.lnk"));
  EXPECT_TRUE(platform.shFileOperations().empty());
  EXPECT_EQ(0u, platform.openKeyHandles());
  EXPECT_EQ(0u, platform.openFindHandles());
}

TEST_F(SyncTest, AFirstRunCreatesTheUsersFolderAndAnEmptyStartupGroup) {
  EXPECT_EQ(0, RunVantrelSync(platform, "s"));
  EXPECT_EQ(SyncFile({}), file());
  EXPECT_FALSE(world.Exists(kBackup));
  EXPECT_EQ(kGoodRunLog, log());
  // A second run keeps the first run's file as the copy.
  world.AddFile(kAllUsersItems + "Backup.lnk", "shortcut");
  EXPECT_EQ(0, RunVantrelSync(platform, "s"));
  EXPECT_EQ(SyncFile({"     ExecuteAU (\"Backup.lnk\", \"\", 0, \"\");"}), file());
  EXPECT_EQ(SyncFile({}), world.ReadFile(kBackup).value_or("<missing>"));
}

TEST_F(SyncTest, StoredNamesThatAreNoShortcutsAreTakenWhole) {
  world.AddFile(kCurrentUserItems + "start.bat", "@echo off");
  world.AddFile(kCurrentUserItems + "Tool.EXE", "MZ");
  world.MakeDirs(kAllUsersItems + "Folder");
  world.RegSetString(kHkeyCurrentUser, kCurrentUserStore, "Plain", "notepad");
  world.RegSetString(kHkeyCurrentUser, kCurrentUserStore, "Blanks", "   ");
  world.RegSetString(kHkeyLocalMachine, kAllUsersStore, "Spaced",
                     "  C:\\Tools\\agent.exe   /a /b  ");
  EXPECT_EQ(0, RunVantrelSync(platform, "sync"));
  EXPECT_EQ(Visible(SyncFile({
                "     Execute (\"start.bat\", \"\", 0, \"\");",
                "     Execute (\"Tool.EXE\", \"\", 0, \"\");",
                "     ExecuteAU (\"Folder\", \"\", 0, \"\");",
                "     ExecuteReg (\"notepad\", \"\", 0, \"Plain\");",
                "     ExecuteRegAU (\"C:\\Tools\\agent.exe\", \"/a /b\", 0, \"Spaced\");",
            })),
            Visible(file()));
}

// A machine on which chosen sources break off after their first entry.
class BrokenSourcesPlatform : public sim::SimPlatform {
public:
  BrokenSourcesPlatform(sim::SimWorld& world, std::set<std::string> broken)
      : SimPlatform(world, SyncProcess()), broken_(std::move(broken)) {}

  FindHandle FindFirstFile(const std::string& pattern, FindData* data) override {
    const FindHandle handle = SimPlatform::FindFirstFile(pattern, data);
    if (broken_.count(pattern))
      brokenSearches_.insert(handle);
    return handle;
  }
  bool FindNextFile(FindHandle handle, FindData* data) override {
    // data still holds the entry returned last: break off once a real
    // entry has been handed out.
    const std::string last = data->fileName;
    if (brokenSearches_.count(handle) && last != "." && last != "..")
      throw std::bad_alloc();
    return SimPlatform::FindNextFile(handle, data);
  }
  bool FindClose(FindHandle handle) override {
    brokenSearches_.erase(handle);
    return SimPlatform::FindClose(handle);
  }
  long RegOpenKey(RegKey root, const std::string& subKey, RegKey* result,
                  std::uint32_t view = 0) override {
    const long rc = SimPlatform::RegOpenKey(root, subKey, result, view);
    if (rc == win32err::kSuccess && broken_.count(subKey))
      brokenKeys_.insert(*result);
    return rc;
  }
  long RegEnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameChars,
                    std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override {
    if (brokenKeys_.count(key) && index > 0)
      return win32err::kAccessDenied;
    return SimPlatform::RegEnumValue(key, index, name, nameChars, type, data, dataSize);
  }
  long RegCloseKey(RegKey key) override {
    brokenKeys_.erase(key);
    return SimPlatform::RegCloseKey(key);
  }

private:
  std::set<std::string> broken_;
  std::set<FindHandle> brokenSearches_;
  std::set<RegKey> brokenKeys_;
};

TEST(SyncSources, ASourceThatCannotBeListedIsLoggedAndTheRunGoesOn) {
  const std::string cuRegLine =
      "Warning: SYNC: Error retrieving Current User's Delayed Registry Run";
  const std::string auRegLine = "Warning: SYNC: Error retrieving All Users' Delayed Registry Run";
  const std::string cuLinks = "     Execute (\"A.lnk\", \"\", 0, \"\");\r\n"
                              "     Execute (\"B.lnk\", \"\", 0, \"\");\r\n";
  const std::string auLinks = "     ExecuteAU (\"C.lnk\", \"\", 0, \"\");\r\n"
                              "     ExecuteAU (\"D.lnk\", \"\", 0, \"\");\r\n";
  const std::string cuValues = "     ExecuteReg (\"a.exe\", \"\", 0, \"A\");\r\n"
                               "     ExecuteReg (\"b.exe\", \"\", 0, \"B\");\r\n";
  const std::string auValues = "     ExecuteRegAU (\"c.exe\", \"\", 0, \"C\");\r\n"
                               "     ExecuteRegAU (\"d.exe\", \"\", 0, \"D\");\r\n";
  struct Row {
    const char* name;
    std::set<std::string> broken;
    std::vector<std::string> failureLines;
    std::string programs;
  };
  const Row rows[] = {
      {"none", {}, {}, cuLinks + auLinks + cuValues + auValues},
      {"user's store", {kCurrentUserStore}, {cuRegLine}, cuLinks + auLinks + auValues},
      {"all users' store", {kAllUsersStore}, {auRegLine}, cuLinks + auLinks + cuValues},
      {"both stores",
       {kCurrentUserStore, kAllUsersStore},
       {cuRegLine, auRegLine},
       cuLinks + auLinks},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    sim::SimWorld world;
    for (const char* name : {"A.lnk", "B.lnk"})
      world.AddFile(kCurrentUserItems + name, "shortcut");
    for (const char* name : {"C.lnk", "D.lnk"})
      world.AddFile(kAllUsersItems + name, "shortcut");
    world.RegSetString(kHkeyCurrentUser, kCurrentUserStore, "A", "a.exe");
    world.RegSetString(kHkeyCurrentUser, kCurrentUserStore, "B", "b.exe");
    world.RegSetString(kHkeyLocalMachine, kAllUsersStore, "C", "c.exe");
    world.RegSetString(kHkeyLocalMachine, kAllUsersStore, "D", "d.exe");
    BrokenSourcesPlatform platform(world, row.broken);

    EXPECT_EQ(0, RunVantrelSync(platform, "sync"));
    std::string expectedLog = "Warning: Starting Synchronization....\r\n";
    for (const std::string& line : row.failureLines)
      expectedLog += line + "\r\n";
    expectedLog += "Info: Finishing Synchronization....\r\n";
    EXPECT_EQ(expectedLog, world.ReadFile(kLog).value_or(""));
    // The head is fixed; the group shows which sources counted.
    const std::string written = world.ReadFile(kProgGroup).value_or("<missing>");
    const std::string head = SyncFileHead();
    EXPECT_EQ(head, written.substr(0, head.size()));
    EXPECT_EQ(Visible("void Startup()\r\n{\r\n" + row.programs + "}\r\n\r\n"),
              Visible(written.substr(std::min(head.size(), written.size()))));
    ASSERT_EQ(1u, platform.messageBoxes().size());
    EXPECT_EQ("Synchronization complete!", platform.messageBoxes()[0].text);
    EXPECT_EQ(0u, platform.openKeyHandles());
    EXPECT_EQ(0u, platform.openFindHandles());
  }
}

// A folder listing has no failure of its own; memory that runs out while
// listing ends the run at its entry, and the old file stands.
TEST(SyncSources, MemoryRunningOutWhileListingEndsTheRun) {
  sim::SimWorld world;
  world.AddFile(kCurrentUserItems + "A.lnk", "shortcut");
  world.AddFile(kCurrentUserItems + "B.lnk", "shortcut");
  world.AddFile(kProgGroup, kOldFile);
  BrokenSourcesPlatform platform(world, {kCurrentUserItems + "*.*"});
  EXPECT_EQ(1, RunVantrelSync(platform, "sync"));
  EXPECT_EQ("Warning: Starting Synchronization....\r\n", world.ReadFile(kLog).value_or(""));
  EXPECT_EQ(kOldFile, world.ReadFile(kProgGroup).value_or("<missing>"));
  ASSERT_EQ(1u, platform.messageBoxes().size());
  EXPECT_EQ("Error Synchronizing Data....", platform.messageBoxes()[0].text);
  EXPECT_EQ(0u, platform.openFindHandles());
}

TEST_F(SyncTest, NoCopyOfTheOldFileMeansNoNewFile) {
  FillStores();
  world.AddFile(kProgGroup, kOldFile);
  world.faults = [](sim::SimOp op, const std::string& subject) {
    return op == sim::SimOp::kFileCopy && subject == kBackup;
  };
  EXPECT_EQ(1, RunVantrelSync(platform, "sync"));
  EXPECT_EQ(kOldFile, file());
  EXPECT_FALSE(world.Exists(kBackup));
  EXPECT_EQ("Warning: Starting Synchronization....\r\n", log());
  ExpectErrorBox();
}

TEST_F(SyncTest, AFileThatCannotBeWrittenLeavesTheOldOne) {
  FillStores();
  world.AddFile(kProgGroup, kOldFile);
  world.faults = [](sim::SimOp op, const std::string&) { return op == sim::SimOp::kFileWrite; };
  EXPECT_EQ(1, RunVantrelSync(platform, "sync"));
  EXPECT_EQ(kOldFile, file());
  EXPECT_EQ(kOldFile, world.ReadFile(kBackup).value_or("<missing>"));
  EXPECT_EQ((std::vector<std::string>{"proggroup.c", "proggroup.c.bak"}),
            world.List(kProgramFolder + "\\Tester"));
  EXPECT_EQ("Warning: Starting Synchronization....\r\n", log());
  ExpectErrorBox();
}

TEST_F(SyncTest, AReadOnlyProgramFolderGivesTheWarningBox) {
  FillStores();
  world.SetFolderReadOnly(kProgramFolder);
  EXPECT_EQ(1, RunVantrelSync(platform, "sync"));
  EXPECT_FALSE(world.Exists(kProgGroup));
  EXPECT_FALSE(world.Exists(kLog));
  ExpectErrorBox();
}

TEST_F(SyncTest, MoreItemsThanTheGroupCanHoldWriteNothing) {
  // One slot of the group is its free first slot; the last value finds
  // no position left.
  world.AddFile(kProgGroup, kOldFile);
  // Filled straight into the key: setting values one by one looks each
  // name up first.
  const auto store = world.registry().MakeKey(kHkeyLocalMachine, kAllUsersStore);
  for (std::size_t i = 0; i < kMaxTableSlots; ++i)
    store->values.push_back({"V" + std::to_string(i), kRegSz, std::string("v.exe", 6)});
  EXPECT_EQ(1, RunVantrelSync(platform, "sync"));
  EXPECT_EQ(kOldFile, file());
  EXPECT_FALSE(world.Exists(kBackup));
  EXPECT_EQ("Warning: Starting Synchronization....\r\n", log());
  ExpectErrorBox();
}

} // namespace
} // namespace vantrel::sync
