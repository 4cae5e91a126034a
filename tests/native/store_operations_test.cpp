// Operations on the program-group tables between a load and a save.
#include <gtest/gtest.h>

#include "common/store/disallowed.h"
#include "common/store/group_operations.h"
#include "common/store/stopped_programs.h"
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

TEST(StoreOperations, FindGroupsAndPrograms) {
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

  struct Case {
    std::string_view text;
    StoreIndex expected;
  } cases[] = {{"C:\\Tools\\agent.exe -q", 1},
               {"C:\\Tools\\agent.exe -x", 2},
               {"c:\\tools\\agent.exe", kNoIndex},
               {"", kNoIndex}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(GetProgramID(tables, c.text, "Tools"), c.expected);
    EXPECT_EQ(GetProgramID(tables, c.text, StoreIndex{2}), c.expected);
  }
  EXPECT_EQ(GetProgramID(tables, "C:\\Tools\\agent.exe", "Missing"), kNoIndex);
  EXPECT_EQ(GetProgramID(tables, "C:\\Tools\\agent.exe", StoreIndex{9}), kNoIndex);
}

TEST(StoreOperations, AddGroupsAndPrograms) {
  StoreTables tables;
  tables.ProgramGroups = {{"My Group", {Entry("a")}}};
  EXPECT_EQ(AddGroup(tables, "My Group"), 0);
  EXPECT_EQ(tables.ProgramGroups.size(), 1u);

  // The Startup group is created on demand; the program follows its free slot.
  ASSERT_TRUE(AddProgramToGroup(tables, kNoIndex, "Execute", "C:\\V\\Items\\Tool.lnk", "", 0, ""));
  EXPECT_EQ(tables.StartupGroupIndex, 1);
  EXPECT_EQ(Paths(tables.ProgramGroups[1]),
            (std::vector<std::string>{"", "C:\\V\\Items\\Tool.lnk"}));
  ASSERT_TRUE(AddProgramToGroup(tables, 1, "ExecuteReg", "C:\\a.exe", "-q", 2.5f, "A"));
  EXPECT_EQ(tables.ProgramGroups[1].Programs[2],
            (ProgramEntry{"C:\\a.exe", "-q", "ExecuteReg", 2.5f, "A", 0}));
  EXPECT_FALSE(AddProgramToGroup(tables, 5, "Execute", "x", "", 0, ""));
  EXPECT_FALSE(AddProgramToGroup(tables, -2, "Execute", "x", "", 0, ""));

  EXPECT_TRUE(UpdateProgramInGroup(tables, 1, 2, "C:\\b.exe", "", 7));
  EXPECT_EQ(tables.ProgramGroups[1].Programs[2],
            (ProgramEntry{"C:\\b.exe", "", "ExecuteReg", 7, "A", 0}));
  EXPECT_FALSE(UpdateProgramInGroup(tables, 1, 3, "x", "", 0));
  EXPECT_FALSE(UpdateProgramInGroup(tables, -1, 0, "x", "", 0));
  EXPECT_FALSE(UpdateProgramInGroup(tables, 1, -1, "x", "", 0));

  EXPECT_TRUE(UpdateGroupName(tables, 0, "Renamed_Group"));
  EXPECT_EQ(tables.ProgramGroups[0].Name, "Renamed_Group");
  EXPECT_FALSE(UpdateGroupName(tables, -1, "x"));
  EXPECT_TRUE(UpdateGroupNameString(tables, "Renamed_Group", "Other"));
  EXPECT_FALSE(UpdateGroupNameString(tables, "Renamed_Group", "Other"));
}

TEST(StoreOperations, RemovePrograms) {
  StoreTables tables;
  tables.ProgramGroups = {{"G", {Entry("A"), Entry("B")}}, {"One", {Entry("X")}}, {"", {}}};
  EXPECT_TRUE(RemoveProgramFromGroup(tables, 0, 1));
  EXPECT_TRUE(RemoveProgramFromGroup(tables, 0, -1));
  EXPECT_FALSE(RemoveProgramFromGroup(tables, 0, 1)); // past the last slot
  EXPECT_EQ(Paths(tables.ProgramGroups[0]), (std::vector<std::string>{"A"}));
  EXPECT_TRUE(RemoveProgramFromGroup(tables, 1, 0));
  EXPECT_EQ(tables.ProgramGroups[1].Programs, std::vector<ProgramEntry>{ProgramEntry{}});
  EXPECT_FALSE(RemoveProgramFromGroup(tables, 2, 0)); // a removed group has no slot
  EXPECT_FALSE(RemoveProgramFromGroup(tables, 3, 0));
}

TEST(StoreOperations, RemoveGroups) {
  StoreTables tables;
  tables.ProgramGroups = {{"Startup", {Entry("A")}}, {"B", {Entry("B")}}, {"C", {}}};
  tables.StartupGroupIndex = 0;
  EXPECT_TRUE(RemoveProgramGroup(tables, 0));
  EXPECT_EQ(tables.ProgramGroups[0], (ProgramGroup{"", {}}));
  EXPECT_EQ(tables.StartupGroupIndex, 0); // left for the next load to fix
  EXPECT_TRUE(RemoveProgramGroup(tables, 2));
  EXPECT_EQ(tables.ProgramGroups.size(), 2u);
  EXPECT_FALSE(RemoveProgramGroup(tables, 2));
  EXPECT_FALSE(RemoveProgramGroup(tables, -1));

  StoreTables single;
  single.ProgramGroups = {{"Only", {Entry("A")}}};
  EXPECT_TRUE(RemoveProgramGroup(single, 0));
  EXPECT_EQ(single.ProgramGroups, (std::vector<ProgramGroup>{{"", {}}}));
}

TEST(StoreOperations, SortKeepsTheOrderOfEqualDelays) {
  StoreTables tables;
  tables.ProgramGroups = {
      {"G",
       {Entry("first5", 5), Entry("zero", 0), Entry("second5", 5), Entry("two", 2), Entry("", 0)}},
      {"H", {Entry("x", 3)}}};
  SortArray(tables);
  EXPECT_EQ(Paths(tables.ProgramGroups[0]),
            (std::vector<std::string>{"zero", "", "two", "first5", "second5"}));
}

TEST(StoreOperations, DelaysOfTheStartupGroup) {
  struct Case {
    std::string name;
    std::vector<ProgramGroup> groups;
    bool userDelays, allUserDelays;
  } cases[] = {
      {"no Startup group", {{"Other", {Entry("a", 0, "ExecuteAU")}}}, false, false},
      {"only free slots", {{"Startup", {Entry("")}}}, false, false},
      {"a current-user item", {{"Startup", {Entry(""), Entry("a.lnk")}}}, true, false},
      {"an all-users value", {{"Startup", {Entry("a", 0, "ExecuteRegAU")}}}, true, true},
      {"an emptied all-users slot", {{"Startup", {Entry("", 0, "ExecuteAU")}}}, false, true},
      {"the first Startup counts", {{"Startup", {}}, {"Startup", {Entry("a")}}}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StoreTables tables;
    tables.ProgramGroups = c.groups;
    tables.StartupGroupIndex = 5; // stale; the group is looked up by name
    EXPECT_EQ(AreUserDelays(tables), c.userDelays);
    EXPECT_EQ(AreAllUserDelays(tables), c.allUserDelays);
  }
}

TEST(StoreOperations, StoppedList) {
  StoreTables tables;
  AddStoppedProgram(tables, "Tool.lnk", ItemKind::kCurrentUserShortcut);
  EXPECT_EQ(tables.StoppedPrograms, std::vector<std::string>{"_STPCU_Tool.lnk"});
  tables.StoppedPrograms = {""};
  AddStoppedProgram(tables, "Agent", ItemKind::kCurrentUserRunValue);
  AddStoppedProgram(tables, "Agent", ItemKind::kCurrentUserRunValue);
  AddStoppedProgram(tables, "Bare", ItemKind(7));
  EXPECT_EQ(tables.StoppedPrograms,
            (std::vector<std::string>{"_REGCU_Agent", "_REGCU_Agent", "Bare"}));
  RemoveStoppedProgram(tables, "Agent ", ItemKind::kCurrentUserRunValue);
  EXPECT_EQ(tables.StoppedPrograms, (std::vector<std::string>{"", "_REGCU_Agent", "Bare"}));
  RemoveStoppedProgram(tables, "Agent", ItemKind::kAllUsersRunValue);
  EXPECT_EQ(tables.StoppedPrograms[1], "_REGCU_Agent");
  AddStoppedProgram(tables, "x.lnk", ItemKind::kAllUsersShortcut);
  EXPECT_EQ(tables.StoppedPrograms.back(), "_STPAU_x.lnk");
}

TEST(StoreDisallowed, WholeWordsBlockPrograms) {
  struct Case {
    std::string_view path, word;
    bool blocked;
  } cases[] = {
      {"C:\\Windows\\format.com", "format", true},
      {"cmd /c del x", "del", true},
      {"\"C:\\Tools\\rmdir.exe\" /s", "RMDIR", true},
      {"format.com", "format.com", true},
      {"Model.exe", "del", false},
      {"C:\\deltree.exe", "del", false},
      {"C:\\format.com.bak", "format", false},
      {"C:\\a.exe", "", false},
      {"", "format", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path) + " / " + std::string(c.word));
    EXPECT_EQ(IsDisallowedBy(c.path, c.word), c.blocked);
  }
}

TEST(StoreDisallowed, RemoveDisallowedEmptiesOnlyStartupPrograms) {
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

  tables.StartupGroupIndex = kNoIndex;
  RemoveDisallowed(tables, removed);
  EXPECT_EQ(removed, std::vector<std::string>{""});
  tables.StartupGroupIndex = 7; // stale after a failed load: nothing to look at
  RemoveDisallowed(tables, removed);
  EXPECT_EQ(removed, std::vector<std::string>{""});
}

} // namespace
} // namespace vantrel::store
