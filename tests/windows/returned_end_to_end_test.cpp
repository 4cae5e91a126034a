// A program that puts itself back into Windows' startup, end to end:
// comeback.exe writes its own HKCU Run value whenever it starts. Vantrel
// keeps it delayed; a login run (Vantrel.exe -nogui, with the option to
// take returned items back) starts it once, notices the value coming back
// and moves it into its store again before the run ends; the next login
// run starts it once more, never twice.
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_handles.h"
#include "native/crlf_text.h"
#include "windows/moves_rig.h"
#include "windows/support/scratch.h"

namespace vantrel::testing {
namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kStoreKey = "Software\\Korvane\\Vantrel\\HKCU";
constexpr const char* kName = "VantrelComeBackTest";

std::string ReadAll(const std::string& path) {
  return moves::ReadFileBytes(path).value_or("");
}

std::optional<std::string> Value(const char* keyPath, const char* name) {
  return moves::ReadRegText(HKEY_CURRENT_USER, keyPath, name);
}

class ReturnedEndToEnd : public ::testing::Test {
protected:
  void SetUp() override {
    const std::string built = ThisExeFolder();
    if (!moves::PathExists(built + "\\comeback.exe"))
      GTEST_SKIP() << "comeback.exe is not built (cmake/windows-test-helpers.cmake)";
    folder_ = NewScratchFolder();
    for (const char* exe : {"Vantrel.exe", "comeback.exe"})
      ASSERT_TRUE(::CopyFileA((built + "\\" + exe).c_str(), (folder_ + "\\" + exe).c_str(), FALSE))
          << exe;
  }
  void TearDown() override {
    if (!folder_.empty())
      RemoveTree(folder_);
  }

  bool RunVantrelAtLogin() {
    return moves::RunAndWait("\"" + folder_ + "\\Vantrel.exe\" -nogui", 30000).has_value();
  }

  std::string folder_;
  moves::RegValueGuard tarrow_{HKEY_CURRENT_USER, kRunKey, "Tarrow"};
  moves::RegValueGuard runValue_{HKEY_CURRENT_USER, kRunKey, kName};
  moves::RegValueGuard storeValue_{HKEY_CURRENT_USER, kStoreKey, kName};
};

TEST_F(ReturnedEndToEnd, TheLoginRunTakesBackAProgramThatWroteItsRunValueAgain) {
  const std::string program = folder_ + "\\comeback.exe";
  const std::string command = "\"" + program + "\" " + kName;
  ASSERT_TRUE(moves::WriteRegText(HKEY_CURRENT_USER, kStoreKey, kName, command));
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
