// Synchronisation on a simulated machine: the exact file rebuilt from the
// four stores, the log lines, the message boxes, and what happens to the
// user's old file when something fails.
#include <algorithm>
#include <functional>
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

void ExpectOneBox(const sim::SimPlatform& platform, const char* text, std::uint32_t flags) {
  ASSERT_EQ(1u, platform.messageBoxes().size());
  const auto& box = platform.messageBoxes()[0];
  EXPECT_EQ(std::string(text) + "|VantrelSync|" + std::to_string(flags) + "|0",
            box.text + "|" + box.caption + "|" + std::to_string(box.flags) + "|" +
                std::to_string(box.owner));
}

class SyncTest : public ::testing::Test {
protected:
  std::string read(const std::string& path) { return world.ReadFile(path).value_or("<missing>"); }

  // Shortcuts and other names in both item folders, Run values of each
  // hive, and values that are no items: empty data, blanks, an empty name.
  void FillStores() {
    for (const char* name : {"Notes.lnk", "Agent Tray.lnk", "desktop.ini", "start.bat"})
      world.AddFile(kCurrentUserItems + name, "shortcut");
    world.AddFile(kAllUsersItems + "Backup.lnk", "shortcut");
    world.MakeDirs(kAllUsersItems + "Folder");
    world.RegSetString(kHkeyCurrentUser, kCurrentUserStore, "Empty", "");
    world.RegSetString(kHkeyCurrentUser, kCurrentUserStore, "Agent",
                       "\"C:\\Program Files\\Agent\\agent.exe\" -q");
    world.RegSetString(kHkeyCurrentUser, kCurrentUserStore, "", "C:\\Tools\\nameless.exe");
    world.RegSetString(kHkeyCurrentUser, kCurrentUserStore, "Blanks", "   ");
    world.RegSetString(kHkeyLocalMachine, kAllUsersStore, "Updater",
                       "C:\\Tools\\update.bat /silent");
    world.RegSetString(kHkeyLocalMachine, kAllUsersStore, "Spaced",
                       "  C:\\Tools\\agent.exe   /a /b  ");
  }

  sim::SimWorld world;
  sim::SimPlatform platform{world, SyncProcess()};
};

TEST_F(SyncTest, RebuildsTheFileFromTheFourStores) {
  FillStores();
  world.AddFile(kProgGroup, kOldFile);
  EXPECT_EQ(0, RunVantrelSync(platform, ""));

  EXPECT_EQ(Visible(SyncFile({
                "     Execute (\"Agent Tray.lnk\", \"\", 0, \"\");",
                "     Execute (\"Notes.lnk\", \"\", 0, \"\");",
                "     Execute (\"start.bat\", \"\", 0, \"\");",
                "     ExecuteAU (\"Backup.lnk\", \"\", 0, \"\");",
                "     ExecuteAU (\"Folder\", \"\", 0, \"\");",
                "     ExecuteReg (\"<&22>C:\\Program Files\\Agent\\agent.exe<&22>\", \"-q\", 0, "
                "\"Agent\");",
                "     ExecuteRegAU (\"C:\\Tools\\update.bat /silent\", \"\", 0, \"Updater\");",
                "     ExecuteRegAU (\"C:\\Tools\\agent.exe\", \"/a /b\", 0, \"Spaced\");",
            })),
            Visible(read(kProgGroup)));
  EXPECT_EQ(kGoodRunLog, read(kLog));
  // The user's file is kept beside the new one; nothing else is left.
  EXPECT_EQ(kOldFile, read(kBackup));
  EXPECT_EQ((std::vector<std::string>{"proggroup.c", "proggroup.c.bak"}),
            world.List(kProgramFolder + "\\Tester"));
  ExpectOneBox(platform, "Synchronization complete!", kMbOk | kMbIconInformation);
  // The stores themselves are only read.
  EXPECT_EQ(4u, world.RegValueNames(kHkeyCurrentUser, kCurrentUserStore).size());
  EXPECT_TRUE(world.Exists(kCurrentUserItems + "Notes.lnk"));
  EXPECT_TRUE(platform.shFileOperations().empty());
  EXPECT_EQ(0u, platform.openKeyHandles());
  EXPECT_EQ(0u, platform.openFindHandles());

  // A first run creates the user's folder; the next keeps it as the copy.
  sim::SimWorld fresh;
  sim::SimPlatform first(fresh, SyncProcess());
  EXPECT_EQ(0, RunVantrelSync(first, "s"));
  EXPECT_EQ(SyncFile({}), fresh.ReadFile(kProgGroup).value_or("<missing>"));
  EXPECT_FALSE(fresh.Exists(kBackup));
  EXPECT_EQ(0, RunVantrelSync(first, "s"));
  EXPECT_EQ(SyncFile({}), fresh.ReadFile(kBackup).value_or("<missing>"));
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
    ExpectOneBox(platform, "Synchronization complete!", kMbOk | kMbIconInformation);
    EXPECT_EQ(0u, platform.openKeyHandles());
    EXPECT_EQ(0u, platform.openFindHandles());
  }
}

// A folder listing has no failure of its own: memory that runs out while
// listing ends the run at its entry, like the failures of its own.
TEST(SyncFailures, FailuresLeaveTheOldFileAndGiveTheErrorBox) {
  struct Row {
    const char* name;
    std::function<void(sim::SimWorld&)> arrange;
    bool oldFile;
    std::string backup, log;
    std::set<std::string> broken = {};
  } rows[] = {
      {"memory runs out while listing",
       [](sim::SimWorld&) {},
       true,
       "<missing>",
       "Warning: Starting Synchronization....\r\n",
       {kCurrentUserItems + "*.*"}},
      {"no copy of the old file",
       [](sim::SimWorld& w) {
         w.faults = [](sim::SimOp op, const std::string& subject) {
           return op == sim::SimOp::kFileCopy && subject == kBackup;
         };
       },
       true, "<missing>", "Warning: Starting Synchronization....\r\n"},
      {"the new file cannot be written",
       [](sim::SimWorld& w) {
         w.faults = [](sim::SimOp op, const std::string&) { return op == sim::SimOp::kFileWrite; };
       },
       true, kOldFile, "Warning: Starting Synchronization....\r\n"},
      {"a read-only program folder", [](sim::SimWorld& w) { w.SetFolderReadOnly(kProgramFolder); },
       false, "<missing>", "<missing>"},
      // One slot is the group's free first slot; the last value finds none.
      {"more items than the group can hold",
       [](sim::SimWorld& w) {
         const auto store = w.registry().MakeKey(kHkeyLocalMachine, kAllUsersStore);
         for (std::size_t i = 0; i < kMaxTableSlots; ++i)
           store->values.push_back({"V" + std::to_string(i), kRegSz, std::string("v.exe", 6)});
       },
       true, "<missing>", "Warning: Starting Synchronization....\r\n"},
      {"more shortcuts than the group can hold",
       [](sim::SimWorld& w) {
         for (std::size_t i = 0; i < kMaxTableSlots; ++i)
           w.AddFile(kAllUsersItems + std::to_string(i) + ".lnk", "shortcut");
       },
       true, "<missing>", "Warning: Starting Synchronization....\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    sim::SimWorld world;
    BrokenSourcesPlatform platform(world, row.broken);
    world.AddFile(kCurrentUserItems + "Notes.lnk", "shortcut");
    world.AddFile(kCurrentUserItems + "Tool.lnk", "shortcut");
    if (row.oldFile)
      world.AddFile(kProgGroup, kOldFile);
    row.arrange(world);
    EXPECT_EQ(1, RunVantrelSync(platform, "sync"));
    world.faults = nullptr;
    EXPECT_EQ(row.oldFile ? kOldFile : "<missing>",
              world.ReadFile(kProgGroup).value_or("<missing>"));
    EXPECT_EQ(row.backup, world.ReadFile(kBackup).value_or("<missing>"));
    EXPECT_EQ(row.log, world.ReadFile(kLog).value_or("<missing>"));
    ExpectOneBox(platform, "Error Synchronizing Data....", kMbOk | kMbIconExclamation);
  }
}

} // namespace
} // namespace vantrel::sync
