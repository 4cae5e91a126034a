// Vantrel.exe -nogui end to end: a prepared program folder whose group
// "Startup" holds an item of every command word (one a real shortcut in the
// items folder), started as its own process. recorder.exe notes when each
// item was started; the log, the order, the times and the registration at
// login that the run leaves are checked.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_handles.h"
#include "native/crlf_text.h"
#include "windows/moves_rig.h"
#include "windows/support/scratch.h"
#include "windows/support/shell_link.h"

namespace vantrel::testing {
namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunValue = "Tarrow";
// How far a start may lie from its planned moment.
constexpr long long kToleranceMs = 300;

std::string ReadAll(const std::string& path) {
  return moves::ReadFileBytes(path).value_or("");
}

std::optional<std::string> Tarrow(HKEY root) {
  return moves::ReadRegText(root, kRunKey, kRunValue);
}

long long NowMs() {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  return static_cast<long long>(
      ((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10000);
}

class LoginEndToEnd : public ::testing::Test {
protected:
  void SetUp() override {
    const std::string built = ThisExeFolder();
    if (!moves::PathExists(built + "\\recorder.exe"))
      GTEST_SKIP() << "recorder.exe is not built (cmake/windows-test-helpers.cmake)";
    folder_ = NewScratchFolder();
    for (const char* exe : {"Vantrel.exe", "recorder.exe"})
      ASSERT_TRUE(::CopyFileA((built + "\\" + exe).c_str(), (folder_ + "\\" + exe).c_str(), FALSE))
          << exe;
  }
  void TearDown() override {
    if (!folder_.empty())
      RemoveTree(folder_);
  }

  // Starts Vantrel.exe with the arguments; false when it did not end by
  // itself within 30 s.
  bool RunVantrel(const std::string& arguments, long long* startedAt) {
    *startedAt = NowMs();
    return moves::RunAndWait("\"" + folder_ + "\\Vantrel.exe\" " + arguments, 30000).has_value();
  }

  // recorder.txt's lines, once count of them are there (or time is up).
  std::vector<std::string> Recorded(std::size_t count) {
    for (int i = 0; i < 100; ++i) {
      if (test_text::CrLfLinesOf(ReadAll(folder_ + "\\recorder.txt")).size() >= count)
        break;
      ::Sleep(50);
    }
    return test_text::CrLfLinesOf(ReadAll(folder_ + "\\recorder.txt"));
  }

  std::string folder_;
  // The "Tarrow" values of both Run keys are taken away for the test and
  // put back afterwards, so that the prefix never starts a test's Vantrel.
  moves::RegValueGuard userTarrow_{HKEY_CURRENT_USER, kRunKey, kRunValue};
  moves::RegValueGuard machineTarrow_{HKEY_LOCAL_MACHINE, kRunKey, kRunValue};
};

TEST_F(LoginEndToEnd, ANoGuiStartLaunchesEveryItemInOrderAndEnds) {
  const std::string recorder = folder_ + "\\recorder.exe";
  const std::string items = folder_ + "\\Vantrel Items\\Current User";
  ASSERT_TRUE(::CreateDirectoryA((folder_ + "\\Vantrel Items").c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryA(items.c_str(), nullptr));
  ASSERT_TRUE(MakeShortcut(items + "\\Recorder Link.lnk", recorder, "lnk"));
  const std::string user = UserName();
  ASSERT_FALSE(user.empty());
  ASSERT_TRUE(::CreateDirectoryA((folder_ + "\\" + user).c_str(), nullptr));
  // Written out of order: the file is sorted by delay when it is read.
  std::ofstream(folder_ + "\\" + user + "\\proggroup.c", std::ios::binary)
      << "const MainStartupDelay = 1;\r\n"
         "const StartupType = 1;\r\n"
         "const CloseType = 1;\r\n"
         "const Language = en;\r\n"
         "const ShowTipsAtStartup = 0;\r\n"
         "\r\n"
         "void Startup()\r\n"
         "{\r\n"
         "     Execute (\"Recorder Link.lnk\", \"\", 0, \"\");\r\n"
         "     ExecuteReg (\"" +
             recorder +
             "\", \"reg\", 1, \"Rec\");\r\n"
             "     ExecuteAU (\"" +
             recorder +
             "\", \"au\", 0.5, \"\");\r\n"
             "     ExecuteRegAU (\"" +
             recorder +
             "\", \"regau\", 0.5, \"RecAU\");\r\n"
             "}\r\n";

  long long startedAt = 0;
  ASSERT_TRUE(RunVantrel("-nogui", &startedAt))
      << "Vantrel.exe did not end by itself (is another Vantrel running in this prefix?)";

  // Order and moments: 1 s main delay, then 0, 0.5, 0.5 and 1 s.
  const std::vector<std::string> recorded = Recorded(4);
  ASSERT_EQ(recorded.size(), 4u) << ReadAll(folder_ + "\\recorder.txt");
  const std::vector<std::pair<std::string, long long>> planned = {
      {"lnk", 1000}, {"au", 1500}, {"regau", 2000}, {"reg", 3000}};
  std::vector<long long> at;
  for (std::size_t i = 0; i < recorded.size(); ++i) {
    std::istringstream line(recorded[i]);
    long long ms = 0;
    std::string arguments;
    line >> ms;
    std::getline(line >> std::ws, arguments);
    EXPECT_EQ(arguments, planned[i].first);
    at.push_back(ms);
  }
  // The process itself needs a moment to start under Wine, so the first
  // launch is measured from the start of the process and the others from it.
  const long long firstAfter = at[0] - startedAt;
  RecordProperty("FirstLaunchAfterMs", std::to_string(firstAfter));
  EXPECT_GE(firstAfter, planned[0].second - kToleranceMs);
  EXPECT_LE(firstAfter, planned[0].second + kToleranceMs + 700) << "slow process start";
  for (std::size_t i = 1; i < at.size(); ++i) {
    SCOPED_TRACE(planned[i].first);
    const long long offset = at[i] - at[0];
    RecordProperty(planned[i].first + "AfterFirstMs", std::to_string(offset));
    const long long plannedOffset = planned[i].second - planned[0].second;
    EXPECT_LE(std::llabs(offset - plannedOffset), kToleranceMs) << offset << " ms after the first";
  }

  // The log: the time of day in front, then the lines byte for byte.
  const std::vector<std::string> expected = {
      "  Waiting for 1 seconds.",  "  Wait over.",
      " Waiting for 0 seconds.",   "  Recorder Link.lnk ",
      " Waiting for 0.5 seconds.", "  " + recorder + " au",
      " Waiting for 0.5 seconds.", "  " + recorder + " regau",
      " Waiting for 1 seconds.",   "  " + recorder + " reg",
  };
  const std::vector<std::string> log = test_text::CrLfLinesOf(ReadAll(folder_ + "\\log.txt"));
  ASSERT_EQ(log.size(), expected.size()) << ReadAll(folder_ + "\\log.txt");
  for (std::size_t i = 0; i < log.size(); ++i) {
    SCOPED_TRACE(log[i]);
    ASSERT_EQ(log[i].rfind("Info: ", 0), 0u);
    ASSERT_GE(log[i].size(), 6 + expected[i].size());
    const std::string time = log[i].substr(6, log[i].size() - 6 - expected[i].size());
    EXPECT_EQ(log[i].substr(6 + time.size()), expected[i]);
    EXPECT_FALSE(time.empty());
    EXPECT_NE(time.back(), ' ');
    EXPECT_NE(time.find(':'), std::string::npos) << "a time of day";
  }

  // With startup type 1 and all-users items the run registers Vantrel for
  // every user's login.
  EXPECT_EQ(Tarrow(HKEY_LOCAL_MACHINE), "\"" + folder_ + "\\Vantrel.exe\" -nogui");
  EXPECT_EQ(Tarrow(HKEY_CURRENT_USER), std::nullopt);
}

// A REG_EXPAND_SZ value starts with its environment strings expanded, and
// a value that a 32-bit Vantrel left in the 32-bit view of its all-users
// store starts from its record.
TEST_F(LoginEndToEnd, ExpandableAndThirtyTwoBitValuesStart) {
  constexpr const char* kUserStore = "Software\\Korvane\\Vantrel\\HKCU";
  constexpr const char* kWowStore = "Software\\WOW6432Node\\Korvane\\Vantrel\\HKLM";
  const std::string recorder = folder_ + "\\recorder.exe";
  ASSERT_EQ(':', recorder[1]);
  const std::string expandable = "%SystemDrive%" + recorder.substr(2);
  moves::RegValueGuard expGuard{HKEY_CURRENT_USER, kUserStore, "Vantrel Login Exp"};
  moves::RegValueGuard wowGuard{HKEY_LOCAL_MACHINE, kWowStore, "Vantrel Login Wow"};
  ASSERT_TRUE(moves::WriteRegValue(HKEY_CURRENT_USER, kUserStore, "Vantrel Login Exp",
                                   {REG_EXPAND_SZ, expandable + " exp" + '\0'}));
  ASSERT_TRUE(
      moves::WriteRegText(HKEY_LOCAL_MACHINE, kWowStore, "Vantrel Login Wow", recorder + " wow"));
  const std::string user = UserName();
  ASSERT_TRUE(::CreateDirectoryA((folder_ + "\\" + user).c_str(), nullptr));
  std::ofstream(folder_ + "\\" + user + "\\proggroup.c", std::ios::binary)
      << "const MainStartupDelay = 0;\r\n"
         "const StartupType = 1;\r\n"
         "void Startup()\r\n"
         "{\r\n"
         "     ExecuteReg (\"" +
             expandable +
             "\", \"exp\", 0, \"Vantrel Login Exp\");\r\n"
             "     ExecuteRegAU (\"" +
             recorder +
             "\", \"wow\", 0, \"Vantrel Login Wow\");\r\n"
             "}\r\n";
  long long startedAt = 0;
  ASSERT_TRUE(RunVantrel("-nogui", &startedAt));
  const std::vector<std::string> recorded = Recorded(2);
  ASSERT_EQ(recorded.size(), 2u) << ReadAll(folder_ + "\\recorder.txt");
  std::vector<std::string> arguments;
  for (const std::string& line : recorded)
    arguments.push_back(line.substr(line.rfind(' ') + 1));
  EXPECT_EQ(arguments, (std::vector<std::string>{"exp", "wow"}));
  // The log names the program as stored.
  EXPECT_NE(ReadAll(folder_ + "\\log.txt").find("  " + expandable + " exp"), std::string::npos);
}

} // namespace
} // namespace vantrel::testing
