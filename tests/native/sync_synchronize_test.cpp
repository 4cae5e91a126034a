// Synchronisation on a simulated machine: the exact file rebuilt from the
// four stores, the log lines, the message boxes, and what happens to the
// user's old file when something fails.
#include <functional>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "common/store/store_tables.h"
#include "common/text.h"
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

// Shortcuts and other names in both item folders, Run values of each hive,
// and values that are no items: empty data, blanks, an empty name.
TEST(SyncTest, RebuildsTheFileFromTheFourStores) {
  sim::SimWorld world;
  sim::SimPlatform platform{world, SyncProcess()};
  const auto read = [&](const std::string& path) {
    return world.ReadFile(path).value_or("<missing>");
  };
  for (const char* name : {"Notes.lnk", "Agent Tray.lnk", "desktop.ini", "start.bat"})
    world.AddFile(kCurrentUserItems + name, "shortcut");
  world.AddFile(kAllUsersItems + "Backup.lnk", "shortcut");
  world.MakeDirs(kAllUsersItems + "Folder");
  world.RegSetString(kHkeyCurrentUser, kCurrentUserStore, "Empty", "");
  world.RegSetString(kHkeyCurrentUser, kCurrentUserStore, "Agent",
                     "\"C:\\Program Files\\Agent\\agent.exe\" -q");
  world.RegSetString(kHkeyCurrentUser, kCurrentUserStore, "", "C:\\Tools\\nameless.exe");
  world.RegSetString(kHkeyCurrentUser, kCurrentUserStore, "Blanks", "   ");
  world.RegSetString(kHkeyLocalMachine, kAllUsersStore, "Updater", "C:\\Tools\\update.bat /silent");
  world.RegSetString(kHkeyLocalMachine, kAllUsersStore, "Spaced",
                     "  C:\\Tools\\agent.exe   /a /b  ");
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
  EXPECT_TRUE(world.Exists(kCurrentUserItems + "Notes.lnk") && platform.shFileOperations().empty());
}

// A machine on which chosen stores break off after their first value.
class BrokenSourcesPlatform : public sim::SimPlatform {
public:
  BrokenSourcesPlatform(sim::SimWorld& world, std::set<std::string> broken)
      : SimPlatform(world, SyncProcess()), broken_(std::move(broken)) {}

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
  std::set<RegKey> brokenKeys_;
};

// A store that cannot be listed is logged and the run goes on; the
// failures that end the run leave the old file and give the error box.
TEST(SyncSources, BrokenSourcesAndFailures) {
  const std::string start = "Warning: Starting Synchronization....\r\n";
  const std::string end = "Info: Finishing Synchronization....\r\n";
  const std::string cuLine =
      "Warning: SYNC: Error retrieving Current User's Delayed Registry Run\r\n";
  const std::string auLine = "Warning: SYNC: Error retrieving All Users' Delayed Registry Run\r\n";
  const std::string links = "     Execute (\"A.lnk\", \"\", 0, \"\");\r\n"
                            "     Execute (\"B.lnk\", \"\", 0, \"\");\r\n"
                            "     ExecuteAU (\"C.lnk\", \"\", 0, \"\");\r\n";
  using Arrange = std::function<void(sim::SimWorld&)>;
  const Arrange none = [](sim::SimWorld&) {};
  const auto fault = [](sim::SimOp failing, std::string subject) -> Arrange {
    return [=](sim::SimWorld& w) {
      w.faults = [=](sim::SimOp op, const std::string& on) {
        return op == failing && (subject.empty() || on == subject);
      };
    };
  };
  const auto many = [](bool values) -> Arrange {
    return [=](sim::SimWorld& w) {
      const auto store = w.registry().MakeKey(kHkeyLocalMachine, kAllUsersStore);
      for (std::size_t i = 0; i < kMaxTableSlots; ++i) {
        if (values)
          store->values.push_back({"V" + std::to_string(i), kRegSz, std::string("v.exe", 6)});
        else
          w.AddFile(kAllUsersItems + std::to_string(i) + ".lnk", "shortcut");
      }
    };
  };
  struct Row {
    const char* name;
    std::set<std::string> broken;
    Arrange arrange;
    std::string log;
    std::string programs; // of the new file; empty when the run fails
    std::string backup;
    Row(const char* n, std::set<std::string> b, Arrange a, std::string l, std::string p,
        std::string k = "<missing>")
        : name(n), broken(std::move(b)), arrange(std::move(a)), log(std::move(l)),
          programs(std::move(p)), backup(std::move(k)) {}
  };
  const Row rows[] = {
      Row("both stores", {kCurrentUserStore, kAllUsersStore}, none, start + cuLine + auLine + end,
          links, kOldFile),
      Row("no copy of the old file", {}, fault(sim::SimOp::kFileCopy, kBackup), start, ""),
      Row("the new file cannot be written", {}, fault(sim::SimOp::kFileWrite, ""), start, "",
          kOldFile),
      Row(
          "a read-only program folder", {},
          [](sim::SimWorld& w) { w.SetFolderReadOnly(kProgramFolder); }, "<missing>", ""),
      // One slot is the group's free first slot; the last item finds none.
      Row("more values than the group can hold", {}, many(true), start, ""),
      Row("more shortcuts than the group can hold", {}, many(false), start, "")};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    sim::SimWorld world;
    for (const char* name : {"A.lnk", "B.lnk"})
      world.AddFile(kCurrentUserItems + name, "shortcut");
    world.AddFile(kAllUsersItems + "C.lnk", "shortcut");
    for (const char* name : {"A", "B"})
      world.RegSetString(kHkeyCurrentUser, kCurrentUserStore, name, ToLowerAscii(name) + ".exe");
    for (const char* name : {"C", "D"})
      world.RegSetString(kHkeyLocalMachine, kAllUsersStore, name, ToLowerAscii(name) + ".exe");
    world.AddFile(kProgGroup, kOldFile);
    BrokenSourcesPlatform platform(world, row.broken);
    row.arrange(world);
    const bool fails = row.programs.empty();
    EXPECT_EQ(fails ? 1 : 0, RunVantrelSync(platform, "sync"));
    world.faults = nullptr;
    EXPECT_EQ(row.log, world.ReadFile(kLog).value_or("<missing>"));
    EXPECT_EQ(row.backup, world.ReadFile(kBackup).value_or("<missing>"));
    EXPECT_EQ(
        Visible(fails ? kOldFile
                      : SyncFileHead() + "void Startup()\r\n{\r\n" + row.programs + "}\r\n\r\n"),
        Visible(world.ReadFile(kProgGroup).value_or("<missing>")));
    if (fails)
      ExpectOneBox(platform, "Error Synchronizing Data....", kMbOk | kMbIconExclamation);
    else
      ExpectOneBox(platform, "Synchronization complete!", kMbOk | kMbIconInformation);
    EXPECT_EQ(0u, platform.openKeyHandles());
  }
}

} // namespace
} // namespace vantrel::sync
