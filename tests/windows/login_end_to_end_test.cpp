// Vantrel.exe -nogui end to end, started as its own process on a prepared
// program folder: recorder.exe notes when each item was started and with
// which arguments; the log, the order, the times and the registration at
// login that the run leaves are checked. Copied as comeback.exe, the
// recorder also writes its Run value again, as programs that put
// themselves back into Windows' startup do.
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "native/crlf_text.h"
#include "windows/moves_rig.h"

namespace vantrel::testing {
namespace {

using moves::kRunKey;
using moves::kUserStore;
constexpr const char* kWowStore = "Software\\WOW6432Node\\Korvane\\Vantrel\\HKLM";
// How far a start may lie from its planned moment.
constexpr long long kToleranceMs = 300;

long long NowMs() {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  return static_cast<long long>(
      ((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10000);
}

class LoginEndToEnd : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* exe : {"Vantrel.exe", "recorder.exe"})
      ASSERT_TRUE(CopyBuiltExe(exe, folder_)) << exe;
    ASSERT_TRUE(CopyBuiltExe("recorder.exe", folder_, "comeback.exe"));
    ASSERT_FALSE(user_.empty());
    ASSERT_TRUE(::CreateDirectoryA((folder_ + "\\" + user_).c_str(), nullptr));
  }
  void TearDown() override { RemoveTree(folder_); }

  void WriteProgGroup(const std::string& text) {
    moves::WriteFileBytes(folder_ + "\\" + user_ + "\\proggroup.c", text);
  }
  std::string Read(const std::string& name) {
    return moves::ReadFileBytes(folder_ + "\\" + name).value_or("");
  }
  // Starts Vantrel.exe as Windows does at login; false when it did not end
  // by itself within 30 s.
  bool RunAtLogin() {
    return moves::RunAndWait("\"" + folder_ + "\\Vantrel.exe\" -nogui", 30000).has_value();
  }
  // recorder.txt's lines, once count of them are there (or time is up).
  std::vector<std::string> Recorded(std::size_t count) {
    for (int i = 0; i < 100 && test_text::CrLfLinesOf(Read("recorder.txt")).size() < count; ++i)
      ::Sleep(50);
    return test_text::CrLfLinesOf(Read("recorder.txt"));
  }

  std::string folder_ = NewScratchFolder();
  std::string user_ = UserName();
  std::string recorder_ = folder_ + "\\recorder.exe";
  // The "Tarrow" values of both Run keys are taken away for the test and
  // put back afterwards, so that the prefix never starts a test's Vantrel.
  moves::RegValueGuard userTarrow_{HKEY_CURRENT_USER, kRunKey, "Tarrow"};
  moves::RegValueGuard machineTarrow_{HKEY_LOCAL_MACHINE, kRunKey, "Tarrow"};
};

// An item of every command word: a real shortcut in the items folder, a
// REG_EXPAND_SZ value in the user's store, and a value that a 32-bit
// Vantrel left in the 32-bit view of the all-users store (it starts from
// there, not from its record).
TEST_F(LoginEndToEnd, ANoGuiStartLaunchesEveryItemInOrderAndEnds) {
  moves::CreatedKeysGuard userStore(kUserStore);
  moves::CreatedKeysGuard wowStore(kWowStore, HKEY_LOCAL_MACHINE);
  moves::RegValueGuard stored(HKEY_CURRENT_USER, kUserStore, "Rec");
  moves::RegValueGuard stored64(HKEY_LOCAL_MACHINE, "Software\\Korvane\\Vantrel\\HKLM", "RecAU");
  moves::RegValueGuard stored32(HKEY_LOCAL_MACHINE, kWowStore, "RecAU");
  ASSERT_EQ(':', recorder_[1]);
  const std::string expandable = "%SystemDrive%" + recorder_.substr(2);
  ASSERT_TRUE(moves::WriteRegValue(HKEY_CURRENT_USER, kUserStore, "Rec",
                                   {REG_EXPAND_SZ, expandable + " reg" + '\0'}));
  ASSERT_TRUE(moves::WriteRegText(HKEY_LOCAL_MACHINE, kWowStore, "RecAU", recorder_ + " regau"));
  const std::string items = folder_ + "\\Vantrel Items\\Current User";
  ASSERT_TRUE(::CreateDirectoryA((folder_ + "\\Vantrel Items").c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryA(items.c_str(), nullptr));
  ASSERT_TRUE(MakeShortcut(items + "\\Recorder Link.lnk", recorder_, "lnk"));
  // Written out of order: the file is sorted by delay when it is read.
  WriteProgGroup(test_text::CrLf(
      {"const MainStartupDelay = 1;", "const StartupType = 1;", "const CloseType = 1;",
       "const Language = en;", "const ShowTipsAtStartup = 0;", "", "void Startup()", "{",
       "     Execute (\"Recorder Link.lnk\", \"\", 0, \"\");",
       "     ExecuteReg (\"" + expandable + "\", \"reg\", 1, \"Rec\");",
       "     ExecuteAU (\"" + recorder_ + "\", \"au\", 0.5, \"\");",
       "     ExecuteRegAU (\"" + recorder_ + "\", \"regau-record\", 0.5, \"RecAU\");", "}"}));

  const long long startedAt = NowMs();
  ASSERT_TRUE(RunAtLogin())
      << "Vantrel.exe did not end by itself (is another Vantrel running in this prefix?)";

  // Order and moments: 1 s main delay, then 0, 0.5, 0.5 and 1 s.
  const std::vector<std::string> recorded = Recorded(4);
  ASSERT_EQ(recorded.size(), 4u) << Read("recorder.txt") << Read("log.txt");
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
    const long long offset = at[i] - at[0];
    RecordProperty(planned[i].first + "AfterFirstMs", std::to_string(offset));
    // Never early; late by at most the process starts that came before,
    // which add up on a busy machine.
    const long long due = planned[i].second - planned[0].second;
    EXPECT_GE(offset, due - kToleranceMs) << planned[i].first << ": " << offset << " ms";
    EXPECT_LE(offset, due + kToleranceMs + 300 * static_cast<long long>(i))
        << planned[i].first << ": " << offset << " ms after the first (slow process starts)";
  }

  // The log: the time of day in front, then the lines byte for byte, the
  // programs named as their records hold them.
  const std::vector<std::string> expected = {
      "  Waiting for 1 seconds.",  "  Wait over.",
      " Waiting for 0 seconds.",   "  Recorder Link.lnk ",
      " Waiting for 0.5 seconds.", "  " + recorder_ + " au",
      " Waiting for 0.5 seconds.", "  " + recorder_ + " regau-record",
      " Waiting for 1 seconds.",   "  " + expandable + " reg",
  };
  const std::vector<std::string> log = test_text::CrLfLinesOf(Read("log.txt"));
  ASSERT_EQ(log.size(), expected.size()) << Read("log.txt");
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
  EXPECT_EQ(moves::ReadRegText(HKEY_LOCAL_MACHINE, kRunKey, "Tarrow"),
            "\"" + folder_ + "\\Vantrel.exe\" -nogui");
  EXPECT_EQ(moves::ReadRegText(HKEY_CURRENT_USER, kRunKey, "Tarrow"), std::nullopt);
}

// comeback.exe is delayed; each login run (with the option to take
// returned items back) starts it once, notices its value coming back and
// moves it into the store again before the run ends; never twice.
TEST_F(LoginEndToEnd, TheLoginRunTakesBackAProgramThatWroteItsRunValueAgain) {
  constexpr const char* kName = "VantrelComeBackTest";
  moves::RegValueGuard runValue(HKEY_CURRENT_USER, kRunKey, kName);
  moves::RegValueGuard storeValue(HKEY_CURRENT_USER, kUserStore, kName);
  const std::string program = folder_ + "\\comeback.exe";
  const std::string command = "\"" + program + "\" " + kName;
  ASSERT_TRUE(moves::WriteRegText(HKEY_CURRENT_USER, kUserStore, kName, command));
  WriteProgGroup(test_text::CrLf(
      {"const MainStartupDelay = 0;", "const StartupType = 1;", "const TakeBackReturnedItems = 1;",
       "void Startup()", "{",
       "     ExecuteReg (\"\"" + program + "\" \", \"" + kName + "\", 0, \"" + kName + "\");",
       "}"}));

  for (std::size_t login = 1; login <= 2; ++login) {
    SCOPED_TRACE("login run " + std::to_string(login));
    ASSERT_TRUE(RunAtLogin()) << "Vantrel.exe did not end by itself";
    EXPECT_EQ(Recorded(login).size(), login) << Read("log.txt");
    EXPECT_EQ(moves::ReadRegText(HKEY_CURRENT_USER, kRunKey, kName), std::nullopt);
    EXPECT_EQ(moves::ReadRegText(HKEY_CURRENT_USER, kUserStore, kName), command);
    EXPECT_NE(Read("log.txt").find("  Taken back into Vantrel's care: HKEY_CURRENT_USER\\" +
                                   std::string(kRunKey) + "\\" + kName),
              std::string::npos)
        << Read("log.txt");
  }
  // Still delayed, once, with the option kept.
  const std::string file = Read(user_ + "\\proggroup.c");
  EXPECT_NE(file.find("const TakeBackReturnedItems = 1;"), std::string::npos);
  const auto first = file.find("ExecuteReg (");
  ASSERT_NE(first, std::string::npos) << file;
  EXPECT_EQ(file.find("ExecuteReg (", first + 1), std::string::npos) << file;
}

} // namespace
} // namespace vantrel::testing
