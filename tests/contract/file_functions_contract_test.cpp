// CFileFunctions against the platform's shell: the moves Vantrel makes
// between Startup folders and its item folders, and the upgrade's moves of
// whole folders, must end the same way on Windows and under Wine.
#include "common/file_functions.h"
#include "contract/contract_fixture.h"

namespace vantrel::testing {
namespace {

using FileFunctionsContract = ContractTest;

constexpr std::uint32_t kIntoItemFolder = 0x214;
constexpr std::uint32_t kPlain = 0x14;
constexpr std::uint32_t kWholeFolder = 0x291;

TEST_F(FileFunctionsContract, NothingIsAttemptedWithoutSourceOrDestination) {
  writeFile("a.lnk");
  CFileFunctions files(platform());
  EXPECT_EQ(0, files.MoveFile(dir("a.lnk"), "", 0, "", kPlain));
  EXPECT_EQ(0, files.MoveFile("", dir("b.lnk"), 0, "", kPlain));
  EXPECT_EQ(0, files.DeleteFile("", 0, "Deleting", kPlain));
  EXPECT_TRUE(exists("a.lnk"));
  EXPECT_FALSE(exists("b.lnk"));
}

TEST_F(FileFunctionsContract, ShortcutMovesIntoAMissingItemFolderAndBack) {
  makeFolder("Startup");
  writeFile("Startup\\Agent.lnk", "shortcut bytes");
  CFileFunctions files(platform());
  EXPECT_EQ(0, files.MoveFile(dir("Startup\\Agent.lnk"), dir("Items\\Current User\\Agent.lnk"), 0,
                              "", kIntoItemFolder));
  EXPECT_FALSE(exists("Startup\\Agent.lnk"));
  EXPECT_EQ("shortcut bytes", readFile("Items\\Current User\\Agent.lnk"));

  EXPECT_EQ(0, files.MoveFile(dir("Items\\Current User\\Agent.lnk"), dir("Startup\\Agent.lnk"), 0,
                              "", kPlain));
  EXPECT_EQ("shortcut bytes", readFile("Startup\\Agent.lnk"));
  EXPECT_FALSE(exists("Items\\Current User\\Agent.lnk"));

  // Without asking, the shell also makes the folder a plain move needs.
  EXPECT_EQ(
      0, files.MoveFile(dir("Startup\\Agent.lnk"), dir("Gone\\Startup\\Agent.lnk"), 0, "", kPlain));
  EXPECT_EQ("shortcut bytes", readFile("Gone\\Startup\\Agent.lnk"));
}

TEST_F(FileFunctionsContract, DeleteAndFailedMove) {
  writeFile("three.lnk", "1");
  CFileFunctions files(platform());
  EXPECT_EQ(0, files.DeleteFile(dir("three.lnk"), 0, "Deleting", kPlain));
  EXPECT_FALSE(exists("three.lnk"));
  EXPECT_NE(0, files.MoveFile(dir("missing.lnk"), dir("x.lnk"), 0, "", kPlain));
}

TEST_F(FileFunctionsContract, WildcardMovesEveryFileButNoSubfolder) {
  makeFolder("Old");
  writeFile("Old\\a.lnk", "a");
  writeFile("Old\\b.url", "b");
  writeFile("Old\\noext", "c");
  makeFolder("Old\\Sub");
  writeFile("Old\\Sub\\deep.lnk");
  makeFolder("New");
  makeFolder("New\\Current User");
  writeFile("New\\Current User\\a.lnk", "older"); // a file of the same name is replaced
  CFileFunctions files(platform());
  EXPECT_EQ(0, files.MoveFile(dir("Old\\*.*"), dir("New\\Current User"), 0, "", kWholeFolder));
  EXPECT_EQ("a", readFile("New\\Current User\\a.lnk"));
  EXPECT_EQ("b", readFile("New\\Current User\\b.url"));
  EXPECT_EQ("c", readFile("New\\Current User\\noext"));
  EXPECT_FALSE(exists("New\\Current User\\Sub"));
  EXPECT_FALSE(exists("Old\\a.lnk"));
  EXPECT_TRUE(exists("Old\\Sub\\deep.lnk"));
}

} // namespace
} // namespace vantrel::testing
