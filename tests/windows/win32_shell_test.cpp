// Win32Platform's shell calls: special folders, starting programs, and the
// shell's file operations where Wine's shell needs help.
#include "common/platform/win32/win32_api.h"
#include "contract/contract_fixture.h"

namespace vantrel::testing {
namespace {

using Win32Shell = ContractTest;

TEST_F(Win32Shell, SpecialFoldersAreExistingFoldersWithoutTrailingBackslash) {
  const int folders[] = {kCsidlPrograms,
                         kCsidlStartup,
                         kCsidlStartMenu,
                         kCsidlCommonStartMenu,
                         kCsidlCommonPrograms,
                         kCsidlCommonStartup,
                         0x0005 /* CSIDL_PERSONAL, which Wine gives with a backslash */};
  for (const int csidl : folders) {
    SCOPED_TRACE(csidl);
    std::string path = "sentinel";
    ASSERT_TRUE(platform().GetSpecialFolderPath(csidl, &path));
    ASSERT_GT(path.size(), 3u);
    EXPECT_EQ(std::string::npos, path.find('\0'));
    EXPECT_NE('\\', path.back());
    const auto attributes = platform().GetFileAttributes(path);
    EXPECT_NE(kInvalidFileAttributes, attributes);
    EXPECT_NE(0u, attributes & kFileAttributeDirectory);
  }
  std::string none = "untouched";
  EXPECT_FALSE(platform().GetSpecialFolderPath(0x7fff, &none)); // no such folder
  EXPECT_EQ("untouched", none);

  std::string startup, programs;
  ASSERT_TRUE(platform().GetSpecialFolderPath(kCsidlStartup, &startup));
  ASSERT_TRUE(platform().GetSpecialFolderPath(kCsidlPrograms, &programs));
  EXPECT_EQ(programs, startup.substr(0, startup.find_last_of('\\')));
}

TEST_F(Win32Shell, ShellExecuteExHandsBackTheStartedProcess) {
  ShellExecuteInfo info;
  info.mask = kSeeMaskNoCloseProcess | kSeeMaskFlagNoUi;
  info.file = "cmd.exe";
  info.parameters = "/c exit 7";
  info.directory = dir();
  info.show = SW_HIDE;
  ASSERT_TRUE(platform().ShellExecuteEx(&info));
  ASSERT_NE(0u, info.process);
  const HANDLE process = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(info.process));
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process, 30000));
  DWORD exitCode = 0;
  EXPECT_TRUE(::GetExitCodeProcess(process, &exitCode));
  EXPECT_EQ(7u, exitCode);
  EXPECT_TRUE(platform().CloseHandle(info.process));

  ShellExecuteInfo missing;
  missing.mask = kSeeMaskNoCloseProcess | kSeeMaskFlagNoUi;
  missing.file = dir("missing.exe");
  missing.process = 0xdeadbeef;
  EXPECT_FALSE(platform().ShellExecuteEx(&missing));
  EXPECT_EQ(0u, missing.process);
  EXPECT_FALSE(platform().CloseHandle(0));
}

TEST_F(Win32Shell, ShellExecuteExStartsAnItemByItsIdList) {
  // The login launcher's way of starting an item: its default action,
  // through the shell's item list, without error dialogs.
  char system[MAX_PATH] = {};
  ASSERT_GT(::GetSystemDirectoryA(system, sizeof system), 0u);
  ShellExecuteInfo info;
  info.mask = kSeeMaskInvokeIdList | kSeeMaskNoCloseProcess | kSeeMaskFlagNoUi;
  info.file = std::string(system) + "\\cmd.exe";
  info.parameters = "/c exit 5";
  info.show = SW_HIDE;
  ASSERT_TRUE(platform().ShellExecuteEx(&info)) << ::GetLastError();
  ASSERT_NE(0u, info.process);
  const HANDLE process = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(info.process));
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process, 30000));
  DWORD exitCode = 0;
  EXPECT_TRUE(::GetExitCodeProcess(process, &exitCode));
  EXPECT_EQ(5u, exitCode);
  EXPECT_TRUE(platform().CloseHandle(info.process));

  ShellExecuteInfo missing = info;
  missing.file = dir("missing.lnk");
  missing.process = 0xdeadbeef;
  EXPECT_FALSE(platform().ShellExecuteEx(&missing));
  EXPECT_EQ(0u, missing.process);
}

TEST_F(Win32Shell, ShellExecuteAnswersAboveThirtyTwoOnSuccess) {
  EXPECT_GT(platform().ShellExecute(0, "open", "cmd.exe", "/c exit", dir(), SW_HIDE), 32);
  EXPECT_LE(platform().ShellExecute(0, "open", dir("missing.exe"), "", "", SW_HIDE), 32);
}

TEST_F(Win32Shell, MovesReplaceAnExistingFileAndFailForAMissingOne) {
  writeFile("new.lnk", "new");
  writeFile("old.lnk", "old");
  ShFileOpStruct op;
  op.func = kFoMove;
  op.from = dir("new.lnk") + std::string(2, '\0');
  op.to = dir("old.lnk") + std::string(2, '\0');
  op.flags = kFofSilent | kFofNoConfirmation;
  op.anyOperationsAborted = true;
  EXPECT_EQ(0, platform().ShFileOperation(&op));
  EXPECT_FALSE(op.anyOperationsAborted);
  EXPECT_EQ("new", readFile("old.lnk"));
  EXPECT_FALSE(exists("new.lnk"));

  // Wine's shell answers 0 here; Windows does not, and neither may we.
  op.from = dir("new.lnk") + std::string(2, '\0');
  op.to = dir("elsewhere.lnk") + std::string(2, '\0');
  EXPECT_NE(0, platform().ShFileOperation(&op));
  EXPECT_FALSE(exists("elsewhere.lnk"));
  EXPECT_EQ("new", readFile("old.lnk"));
}

TEST_F(Win32Shell, ListsWithoutTheirTerminatorAreStillReadSafely) {
  writeFile("a.lnk", "a");
  ShFileOpStruct op;
  op.func = kFoDelete;
  op.from = dir("a.lnk"); // no NULs at all
  op.flags = kFofSilent | kFofNoConfirmation | kFofNoErrorUi;
  EXPECT_EQ(0, platform().ShFileOperation(&op));
  EXPECT_FALSE(exists("a.lnk"));
}

} // namespace
} // namespace vantrel::testing
