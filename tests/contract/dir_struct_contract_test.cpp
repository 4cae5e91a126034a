// CDirStruct against the platform: names match exactly although the file
// system ignores case, and every failure is a plain False.
#include "common/dir_struct.h"
#include "contract/contract_fixture.h"

namespace vantrel::testing {
namespace {

using DirStructContract = ContractTest;

TEST_F(DirStructContract, FileExistsComparesNamesExactly) {
  writeFile("A.lnk");
  makeFolder("Sub");
  CDirStruct dirs(platform());
  struct Row {
    const char* name;
    std::string folder;
    bool expected;
  } rows[] = {
      {"A.lnk", dir(), true},        {"a.lnk", dir(), false},         // stored as A.lnk
      {"A.lnk", dir() + "\\", true}, {"A.lnk", dir() + "\\\\", true}, // doubled backslash collapses
      {"Sub", dir(), true},                                           // a folder counts too
      {"Missing.lnk", dir(), false}, {"A.lnk", dir("Nowhere"), false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.name) + " in " + row.folder);
    EXPECT_EQ(row.expected, dirs.FileExists(row.name, row.folder));
  }
}

TEST_F(DirStructContract, DirectoryExistsCreatesOnlyTheLastLevel) {
  writeFile("file.txt");
  makeFolder("Items");
  CDirStruct dirs(platform());
  EXPECT_TRUE(dirs.DirectoryExists("Items", dir(), false));
  EXPECT_FALSE(dirs.DirectoryExists("items", dir(), false));
  EXPECT_FALSE(dirs.DirectoryExists("file.txt", dir(), false));
  EXPECT_FALSE(dirs.DirectoryExists("file.txt", dir(), true)); // a file is in the way
  EXPECT_FALSE(isFolder("file.txt"));

  EXPECT_TRUE(dirs.DirectoryExists("Tester", dir() + "\\", true));
  EXPECT_TRUE(isFolder("Tester"));
  EXPECT_TRUE(dirs.DirectoryExists("Tester", dir(), false));

  EXPECT_FALSE(dirs.DirectoryExists("Leaf", dir("Missing"), true));
  EXPECT_FALSE(exists("Missing"));
}

TEST_F(DirStructContract, ReturnFilesListsEverythingButDotsAndDesktopIni) {
  CDirStruct dirs(platform());
  std::vector<std::string> entries{"old"};
  EXPECT_TRUE(dirs.ReturnFiles(dir(), entries));
  EXPECT_EQ(std::vector<std::string>{""}, entries);

  EXPECT_TRUE(dirs.ReturnFiles(dir("Missing"), entries));
  EXPECT_EQ(std::vector<std::string>{""}, entries);

  makeFolder("OnlyIni");
  writeFile("OnlyIni\\desktop.ini");
  EXPECT_TRUE(dirs.ReturnFiles(dir("OnlyIni"), entries));
  EXPECT_EQ(std::vector<std::string>{""}, entries);

  makeFolder("Mixed");
  writeFile("Mixed\\Desktop.ini"); // only the lower-case spelling is left out
  writeFile("Mixed\\Agent.lnk");
  writeFile("Mixed\\noext");
  makeFolder("Mixed\\Sub");
  for (const auto& folder : {dir("Mixed"), dir("Mixed") + "\\"}) {
    SCOPED_TRACE(folder);
    EXPECT_TRUE(dirs.ReturnFiles(folder, entries));
    EXPECT_EQ(sorted({"Agent.lnk", "Desktop.ini", "Sub", "noext"}), sorted(entries));
  }
}

TEST_F(DirStructContract, RemoveEmptyDirectoryRefusesFullFolders) {
  CDirStruct dirs(platform());
  makeFolder("Full");
  writeFile("Full\\a.lnk");
  makeFolder("Empty");
  EXPECT_FALSE(dirs.RemoveEmptyDirectory(dir("Full")));
  EXPECT_TRUE(exists("Full\\a.lnk"));
  EXPECT_TRUE(dirs.RemoveEmptyDirectory(dir("Empty")));
  EXPECT_FALSE(exists("Empty"));
  EXPECT_FALSE(dirs.RemoveEmptyDirectory(dir("Empty")));
  EXPECT_FALSE(dirs.RemoveEmptyDirectory(""));
}

} // namespace
} // namespace vantrel::testing
