// CDirStruct and CFileFunctions against the platform: names match exactly
// although the file system ignores case, every failure is a plain False,
// and the shell's moves between Startup folders and item folders, and the
// upgrade's moves of whole folders, end the same way on Windows and under
// Wine.
#include "common/dir_struct.h"
#include "common/file_functions.h"
#include "contract/contract_fixture.h"

namespace vantrel::testing {
namespace {

using DirStructContract = ContractTest;

constexpr std::uint32_t kIntoItemFolder = 0x214;
constexpr std::uint32_t kPlain = 0x14;
constexpr std::uint32_t kWholeFolder = 0x291;

TEST_F(DirStructContract, FileExistsComparesNamesExactly) {
  writeFile("A.lnk");
  makeFolder("Sub");
  CDirStruct dirs(platform());
  const std::tuple<const char*, std::string, bool> rows[] = {
      {"A.lnk", dir(), true},        {"a.lnk", dir(), false}, // stored as A.lnk
      {"A.lnk", dir() + "\\", true}, {"A.lnk", dir() + "\\\\", true},  {"Sub", dir(), true},
      {"Missing.lnk", dir(), false}, {"A.lnk", dir("Nowhere"), false},
  };
  for (const auto& [name, folder, expected] : rows)
    EXPECT_EQ(expected, dirs.FileExists(name, folder)) << name << " in " << folder;
}

TEST_F(DirStructContract, DirectoryExistsCreatesOnlyTheLastLevel) {
  writeFile("file.txt");
  makeFolder("Items");
  CDirStruct dirs(platform());
  EXPECT_TRUE(dirs.DirectoryExists("Items", dir(), false));
  EXPECT_FALSE(dirs.DirectoryExists("items", dir(), false));
  EXPECT_FALSE(dirs.DirectoryExists("file.txt", dir(), true)); // a file is in the way
  EXPECT_TRUE(dirs.DirectoryExists("Tester", dir() + "\\", true));
  EXPECT_FALSE(dirs.DirectoryExists("Leaf", dir("Missing"), true));
  EXPECT_FALSE(exists("Missing"));
  // Only an empty folder is removed.
  writeFile("Tester\\a.lnk");
  EXPECT_FALSE(dirs.RemoveEmptyDirectory(dir("Tester")));
  EXPECT_TRUE(dirs.RemoveEmptyDirectory(dir("Items")));
  EXPECT_FALSE(exists("Items"));
}

TEST_F(DirStructContract, ReturnFilesListsEverythingButDotsAndDesktopIni) {
  CDirStruct dirs(platform());
  writeFile("OnlyIni\\desktop.ini");
  for (const std::string& folder : {dir("Missing"), dir("OnlyIni")}) {
    std::vector<std::string> entries{"old"};
    EXPECT_TRUE(dirs.ReturnFiles(folder, entries));
    EXPECT_EQ(std::vector<std::string>{""}, entries) << folder;
  }
  for (const char* name : {"Mixed\\Desktop.ini", "Mixed\\Agent.lnk", "Mixed\\Sub\\x"})
    writeFile(name); // only the lower-case desktop.ini is left out
  std::vector<std::string> entries;
  EXPECT_TRUE(dirs.ReturnFiles(dir("Mixed") + "\\", entries));
  EXPECT_EQ(sorted({"Agent.lnk", "Desktop.ini", "Sub"}), sorted(entries));
}

TEST_F(DirStructContract, ShortcutMovesIntoAMissingItemFolderAndBack) {
  writeFile("Startup\\Agent.lnk", "shortcut bytes");
  CFileFunctions files(platform());
  EXPECT_EQ(0, files.MoveFile(dir("Startup\\Agent.lnk"), dir("Items\\Current User\\Agent.lnk"), 0,
                              "", kIntoItemFolder));
  EXPECT_FALSE(exists("Startup\\Agent.lnk"));
  EXPECT_EQ(0, files.MoveFile(dir("Items\\Current User\\Agent.lnk"), dir("Startup\\Agent.lnk"), 0,
                              "", kPlain));
  // Without asking, the shell also makes the folder a plain move needs.
  EXPECT_EQ(
      0, files.MoveFile(dir("Startup\\Agent.lnk"), dir("Gone\\Startup\\Agent.lnk"), 0, "", kPlain));
  EXPECT_EQ("shortcut bytes", readFile("Gone\\Startup\\Agent.lnk"));
  EXPECT_EQ(0, files.DeleteFile(dir("Gone\\Startup\\Agent.lnk"), 0, "Deleting", kPlain));
  EXPECT_FALSE(exists("Gone\\Startup\\Agent.lnk"));
  EXPECT_NE(0, files.MoveFile(dir("missing.lnk"), dir("x.lnk"), 0, "", kPlain));
}

TEST_F(DirStructContract, WildcardMovesEveryFileButNoSubfolder) {
  writeFile("Old\\a.lnk", "a");
  writeFile("Old\\b.url", "b");
  writeFile("Old\\noext", "c");
  writeFile("Old\\Sub\\deep.lnk");
  writeFile("New\\Current User\\a.lnk", "older"); // a file of the same name is replaced
  EXPECT_EQ(0, CFileFunctions(platform())
                   .MoveFile(dir("Old\\*.*"), dir("New\\Current User"), 0, "", kWholeFolder));
  EXPECT_EQ("abc", readFile("New\\Current User\\a.lnk") + readFile("New\\Current User\\b.url") +
                       readFile("New\\Current User\\noext"));
  EXPECT_FALSE(exists("New\\Current User\\Sub"));
  EXPECT_FALSE(exists("Old\\a.lnk"));
  EXPECT_TRUE(exists("Old\\Sub\\deep.lnk"));
}

} // namespace
} // namespace vantrel::testing
