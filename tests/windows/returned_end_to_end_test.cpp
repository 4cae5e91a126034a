// A program that puts itself back into Windows' startup, end to end:
// comeback.exe writes its own HKCU Run value whenever it starts. Vantrel
// keeps it delayed; a login run (Vantrel.exe -nogui, with the option to
// take returned items back) starts it once, notices the value coming back
// and moves it into its store again before the run ends; the next login
// run starts it once more, never twice.
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_handles.h"
#include "native/crlf_text.h"
#include "windows/support/scratch.h"

namespace vantrel::testing {
namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kStoreKey = "Software\\Korvane\\Vantrel\\HKCU";
constexpr const char* kName = "VantrelComeBackTest";

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<std::string> Value(const char* keyPath, const char* name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return std::nullopt;
  win32::UniqueHkey owner(key);
  char data[2048] = {};
  DWORD size = sizeof data - 1;
  if (::RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return std::string(data);
}

void SetValue(const char* keyPath, const char* name, const std::string& data) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
            ERROR_SUCCESS);
  win32::UniqueHkey owner(key);
  ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
}

void DeleteValue(const char* keyPath, const char* name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
    return;
  win32::UniqueHkey owner(key);
  ::RegDeleteValueA(key, name);
}

class ReturnedEndToEnd : public ::testing::Test {
protected:
  void SetUp() override {
    const std::string built = ThisExeFolder();
    if (::GetFileAttributesA((built + "\\comeback.exe").c_str()) == INVALID_FILE_ATTRIBUTES)
      GTEST_SKIP() << "comeback.exe is not built (cmake/windows-test-helpers.cmake)";
    folder_ = NewScratchFolder();
    for (const char* exe : {"Vantrel.exe", "comeback.exe"})
      ASSERT_TRUE(::CopyFileA((built + "\\" + exe).c_str(), (folder_ + "\\" + exe).c_str(), FALSE))
          << exe;
    saved_ = Value(kRunKey, "Tarrow");
    DeleteValue(kRunKey, "Tarrow");
    DeleteValue(kRunKey, kName);
  }
  void TearDown() override {
    DeleteValue(kRunKey, kName);
    DeleteValue(kStoreKey, kName);
    if (saved_)
      SetValue(kRunKey, "Tarrow", *saved_);
    else
      DeleteValue(kRunKey, "Tarrow");
    if (!folder_.empty())
      RemoveTree(folder_);
  }

  bool RunVantrelAtLogin() {
    std::string commandLine = "\"" + folder_ + "\\Vantrel.exe\" -nogui";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder_.c_str(), &startup, &process))
      return false;
    win32::UniqueHandle<win32::KernelHandleTraits> processHandle(process.hProcess);
    win32::UniqueHandle<win32::KernelHandleTraits> threadHandle(process.hThread);
    if (::WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
      return true;
    ::TerminateProcess(process.hProcess, 1);
    return false;
  }

  std::string folder_;
  std::optional<std::string> saved_;
};

TEST_F(ReturnedEndToEnd, TheLoginRunTakesBackAProgramThatWroteItsRunValueAgain) {
  const std::string program = folder_ + "\\comeback.exe";
  const std::string command = "\"" + program + "\" " + kName;
  SetValue(kStoreKey, kName, command);
  const std::string user = UserName();
  ASSERT_TRUE(::CreateDirectoryA((folder_ + "\\" + user).c_str(), nullptr));
  std::ofstream(folder_ + "\\" + user + "\\proggroup.c", std::ios::binary)
      << "const MainStartupDelay = 0;\r\n"
         "const StartupType = 1;\r\n"
         "const TakeBackReturnedItems = 1;\r\n"
         "void Startup()\r\n"
         "{\r\n"
         "     ExecuteReg (\"\"" +
             program + "\" \", \"" + kName + "\", 0, \"" + kName +
             "\");\r\n"
             "}\r\n";

  for (int login = 1; login <= 2; ++login) {
    SCOPED_TRACE("login run " + std::to_string(login));
    ASSERT_TRUE(RunVantrelAtLogin()) << "Vantrel.exe did not end by itself";
    // Started once per run, by Vantrel; taken back before the run ended.
    const auto starts = test_text::CrLfLinesOf(ReadAll(folder_ + "\\recorder.txt"));
    EXPECT_EQ(starts.size(), static_cast<std::size_t>(login)) << ReadAll(folder_ + "\\log.txt");
    EXPECT_EQ(Value(kRunKey, kName), std::nullopt) << ReadAll(folder_ + "\\log.txt");
    EXPECT_EQ(Value(kStoreKey, kName), command);
    const std::string log = ReadAll(folder_ + "\\log.txt");
    EXPECT_NE(log.find("  Taken back into Vantrel's care: HKEY_CURRENT_USER\\" +
                       std::string(kRunKey) + "\\" + kName),
              std::string::npos)
        << log;
  }
  // Still delayed, once, with the option kept.
  const std::string file = ReadAll(folder_ + "\\" + user + "\\proggroup.c");
  EXPECT_NE(file.find("const TakeBackReturnedItems = 1;"), std::string::npos);
  const auto first = file.find("ExecuteReg (");
  ASSERT_NE(first, std::string::npos) << file;
  EXPECT_EQ(file.find("ExecuteReg (", first + 1), std::string::npos) << file;
}

} // namespace
} // namespace vantrel::testing
