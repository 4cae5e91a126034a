// Operations on the program-group tables between a load and a save: the
// edges of every index, and what a removed group or a stale index leaves.
#include <gtest/gtest.h>

#include "common/store/disallowed.h"
#include "common/store/group_operations.h"
#include "store_test_support.h"

namespace vantrel::store {
namespace {

ProgramEntry Entry(std::string path, float delay = 0, std::string command = "Execute",
                   std::string parameters = "") {
  return ProgramEntry{std::move(path), std::move(parameters), std::move(command), delay, "", 0};
}

std::vector<std::string> Paths(const ProgramGroup& group) {
  std::vector<std::string> paths;
  for (const auto& entry : group.Programs)
    paths.push_back(entry.Path);
  return paths;
}

TEST(StoreOperations, FindAddUpdateAndRemove) {
  StoreTables tables;
  tables.ProgramGroups = {{"Startup ", {}},
                          {"", {}},
                          {"Tools",
                           {Entry(""), Entry("C:\\Tools\\agent.exe", 0, "Execute", "-q"),
                            Entry("C:\\Tools\\agent.exe", 0, "Execute", "-x")}},
                          {"Tools", {}}};
  EXPECT_EQ(GetGroupID(tables, "Tools"), 2);
  EXPECT_EQ(GetGroupID(tables, "Startup"), kNoIndex);
  EXPECT_EQ(GetGroupID(tables, ""), 1); // only an empty name finds a removed group
  EXPECT_EQ(AddGroup(tables, "Tools"), 2);
  EXPECT_EQ(GetProgramID(tables, "C:\\Tools\\agent.exe -x", "Tools"), 2);
  EXPECT_EQ(GetProgramID(tables, "c:\\tools\\agent.exe -q", StoreIndex{2}), kNoIndex);
  EXPECT_EQ(GetProgramID(tables, "C:\\Tools\\agent.exe", StoreIndex{9}), kNoIndex);

  // The Startup group is made on demand; the program follows its free slot.
  tables.ProgramGroups = {{"My Group", {Entry("a"), Entry("b")}}};
  ASSERT_TRUE(AddProgramToGroup(tables, kNoIndex, "Execute", "C:\\V\\Items\\Tool.lnk", "", 0, ""));
  EXPECT_EQ(tables.StartupGroupIndex, 1);
  EXPECT_EQ(Paths(tables.ProgramGroups[1]),
            (std::vector<std::string>{"", "C:\\V\\Items\\Tool.lnk"}));
  ASSERT_TRUE(AddProgramToGroup(tables, 1, "ExecuteReg", "C:\\a.exe", "-q", 2.5f, "A"));
  EXPECT_TRUE(UpdateProgramInGroup(tables, 1, 2, "C:\\b.exe", "", 7));
  EXPECT_EQ(tables.ProgramGroups[1].Programs[2],
            (ProgramEntry{"C:\\b.exe", "", "ExecuteReg", 7, "A", 0}));
  EXPECT_TRUE(UpdateGroupNameString(tables, "My Group", "Other"));
  EXPECT_EQ(tables.ProgramGroups[0].Name, "Other");
  EXPECT_TRUE(RemoveProgramFromGroup(tables, 0, 1));
  EXPECT_TRUE(RemoveProgramFromGroup(tables, 0, 0));
  EXPECT_EQ(tables.ProgramGroups[0].Programs, std::vector<ProgramEntry>{ProgramEntry{}});
  // Past either end of the groups or the programs nothing changes.
  EXPECT_FALSE(AddProgramToGroup(tables, 5, "Execute", "x", "", 0, ""));
  EXPECT_FALSE(UpdateProgramInGroup(tables, 1, 3, "x", "", 0));
  EXPECT_FALSE(RemoveProgramFromGroup(tables, 0, 1));

  // A removed group keeps its place with an empty name, but the last one
  // goes; StartupGroupIndex is left for the next load to fix.
  tables.ProgramGroups.push_back({"C", {}});
  EXPECT_TRUE(RemoveProgramGroup(tables, 1));
  EXPECT_EQ(tables.ProgramGroups[1], (ProgramGroup{"", {}}));
  EXPECT_EQ(tables.StartupGroupIndex, 1);
  EXPECT_FALSE(RemoveProgramFromGroup(tables, 1, 0)); // a removed group has no slot
  EXPECT_TRUE(RemoveProgramGroup(tables, 2));
  EXPECT_EQ(tables.ProgramGroups.size(), 2u);
}

TEST(StoreOperations, DelaysOfTheStartupGroup) {
  const struct {
    std::vector<ProgramGroup> groups;
    bool userDelays, allUserDelays;
  } cases[] = {
      {{{"Other", {Entry("a", 0, "ExecuteAU")}}}, false, false},
      {{{"Startup", {Entry(""), Entry("a.lnk")}}}, true, false},
      {{{"Startup", {Entry("a", 0, "ExecuteRegAU")}}}, true, true},
      {{{"Startup", {Entry("", 0, "ExecuteAU")}}}, false, true},    // an emptied all-users slot
      {{{"Startup", {}}, {"Startup", {Entry("a")}}}, false, false}, // the first one counts
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    StoreTables tables;
    tables.ProgramGroups = c.groups;
    tables.StartupGroupIndex = 5; // stale; the group is looked up by name
    EXPECT_EQ(AreUserDelays(tables), c.userDelays);
    EXPECT_EQ(AreAllUserDelays(tables), c.allUserDelays);
  }
}

TEST(StoreDisallowed, WholeWordsBlockProgramsOfTheStartupGroupOnly) {
  const struct {
    std::string_view path, word;
    bool blocked;
  } cases[] = {
      {"C:\\Windows\\format.com", "format", true},
      {"cmd /c del x", "del", true},
      {"\"C:\\Tools\\rmdir.exe\" /s", "RMDIR", true},
      {"Model.exe", "del", false},
      {"C:\\deltree.exe", "del", false},
      {"", "format", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.path) + " / " + std::string(c.word));
    EXPECT_EQ(IsDisallowedBy(c.path, c.word), c.blocked);
  }
  StoreTables tables;
  tables.DisallowedPrograms = {"format", "", "fdisk", "del"};
  tables.ProgramGroups = {{"Other", {Entry("C:\\format.com")}},
                          {"Startup",
                           {Entry(" C:\\Windows\\format.com "), Entry("Notes.lnk"),
                            Entry("Model.exe"), Entry("fdisk del"), Entry("")}}};
  tables.StartupGroupIndex = 1;
  std::vector<std::string> removed{"stale", "entries"};
  RemoveDisallowed(tables, removed);
  EXPECT_EQ(removed,
            (std::vector<std::string>{"C:\\Windows\\format.com", "fdisk del", "fdisk del"}));
  EXPECT_EQ(Paths(tables.ProgramGroups[1]),
            (std::vector<std::string>{"", "Notes.lnk", "Model.exe", "", ""}));
  EXPECT_EQ(tables.ProgramGroups[0].Programs[0].Path, "C:\\format.com");
  for (const StoreIndex stale : {kNoIndex, StoreIndex{7}}) {
    tables.StartupGroupIndex = stale; // after a failed load: nothing to look at
    RemoveDisallowed(tables, removed);
    EXPECT_EQ(removed, std::vector<std::string>{""});
  }
}

} // namespace
} // namespace vantrel::store
