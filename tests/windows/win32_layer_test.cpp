// Win32Platform where the real API has rules the contract suite cannot
// state for both backends: read-only files, a log two writers append to,
// waits that end on a message, the single-instance mutex, the special
// folders and processes started by the shell. (The shell's move of a
// missing file, which Wine answers wrongly, is in the contract suite.)
#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_handles.h"
#include "contract/contract_fixture.h"

namespace vantrel::testing {
namespace {

using Win32Layer = ContractTest;

TEST_F(Win32Layer, FilesKeepTheirRulesAndTwoWritersShareTheLog) {
  writeFile("locked.txt", "original");
  writeFile("source.txt", "replacement");
  const std::string locked = dir("locked.txt");
  ASSERT_TRUE(::SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(platform().WriteWholeFile(locked, "new"));
  EXPECT_FALSE(platform().AppendToFile(locked, "more"));
  EXPECT_FALSE(platform().ReplaceFile(dir("source.txt"), locked));
  EXPECT_FALSE(platform().DeleteFile(locked));
  EXPECT_EQ("original", readFile("locked.txt"));
  ::SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);

  // Both programs append to one log without a lock between them.
  win32::UniqueFile other(::CreateFileA(dir("log.txt").c_str(), FILE_APPEND_DATA,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(other.get(), "one\r\n", 5, &written, nullptr));
  EXPECT_TRUE(platform().AppendToFile(dir("log.txt"), "two\r\n"));
  ASSERT_TRUE(::WriteFile(other.get(), "three\r\n", 7, &written, nullptr));
  EXPECT_EQ("one\r\ntwo\r\nthree\r\n", readFile("log.txt"));
}

TEST_F(Win32Layer, AWaitEndsOnAMessageTheMutexIsTakenOnceAndSpecialFoldersExist) {
  ASSERT_TRUE(::PostThreadMessageA(::GetCurrentThreadId(), WM_APP, 0, 0));
  const auto start = platform().GetTickCount();
  platform().WaitForMessages(20000);
  EXPECT_LT(platform().GetTickCount() - start, 10000u);
  platform().PumpMessages();
  const auto quiet = platform().GetTickCount();
  platform().WaitForMessages(100);
  EXPECT_GE(platform().GetTickCount() - quiet, 80u);

  const std::string name = "VantrelTest-mutex-" + std::to_string(::GetCurrentProcessId());
  bool alreadyExists = true;
  ASSERT_TRUE(platform().CreateNamedMutex(name, &alreadyExists));
  EXPECT_FALSE(alreadyExists);
  ASSERT_TRUE(platform().CreateNamedMutex(name, &alreadyExists));
  EXPECT_TRUE(alreadyExists);

  // Existing folders without a trailing backslash (CSIDL_PERSONAL: Wine
  // gives it with one).
  for (const int csidl : {kCsidlPrograms, kCsidlStartup, kCsidlCommonStartup, 0x0005}) {
    SCOPED_TRACE(csidl);
    std::string path;
    ASSERT_TRUE(platform().GetSpecialFolderPath(csidl, &path));
    EXPECT_NE('\\', path.back());
    EXPECT_NE(0u, platform().GetFileAttributes(path) & kFileAttributeDirectory);
  }
  std::string none = "untouched";
  EXPECT_FALSE(platform().GetSpecialFolderPath(0x7fff, &none));
  EXPECT_EQ("untouched", none);
}

TEST_F(Win32Layer, TheShellStartsByItemListAndHandsBackTheProcess) {
  char system[MAX_PATH] = {};
  ShellExecuteInfo info;
  info.mask = kSeeMaskInvokeIdList | kSeeMaskNoCloseProcess | kSeeMaskFlagNoUi;
  info.file = std::string(system, ::GetSystemDirectoryA(system, sizeof system)) + "\\cmd.exe";
  info.parameters = "/c exit 5";
  info.show = SW_HIDE;
  ASSERT_TRUE(platform().ShellExecuteEx(&info)) << ::GetLastError();
  const HANDLE process = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(info.process));
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process, 30000));
  DWORD exitCode = 0;
  ::GetExitCodeProcess(process, &exitCode);
  EXPECT_EQ(5u, exitCode);
  EXPECT_TRUE(platform().CloseHandle(info.process));

  info.file = dir("missing.lnk");
  info.process = 0xdeadbeef;
  EXPECT_FALSE(platform().ShellExecuteEx(&info));
  EXPECT_EQ(0u, info.process);
}

} // namespace
} // namespace vantrel::testing
