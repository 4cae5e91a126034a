// Vantrel.exe -nogui end to end, started as its own process on a prepared
// program folder: recorder.exe notes when each item was started and with
// which arguments; the log, the order, the times and the registration at
// login that the run leaves are checked. Copied as comeback.exe, the
// recorder also writes its Run value again, as programs that put
// themselves back into Windows' startup do.
#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "native/crlf_text.h"
#include "windows/moves_rig.h"

namespace vantrel::testing::moves {
namespace {

using namespace std::chrono;

constexpr const char* kWowStore = "Software\\WOW6432Node\\Korvane\\Vantrel\\HKLM";
// How far a start may lie from its planned moment.
constexpr long long kToleranceMs = 300;

class LoginEndToEnd : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* exe : {"Vantrel.exe", "recorder.exe"})
      ASSERT_TRUE(CopyBuiltExe(exe, folder_)) << exe;
    ASSERT_TRUE(CopyBuiltExe("recorder.exe", folder_, "comeback.exe"));
    ASSERT_TRUE(::CreateDirectoryA((folder_ + "\\" + UserName()).c_str(), nullptr));
  }
  void TearDown() override { RemoveTree(folder_); }

  void WriteProgGroup(std::initializer_list<std::string_view> lines) {
    WriteFileBytes(folder_ + "\\" + UserName() + "\\proggroup.c", test_text::CrLf(lines));
  }
  std::string Read(const std::string& name) {
    return ReadFileBytes(folder_ + "\\" + name).value_or("");
  }
  // Starts Vantrel.exe as Windows does at login; false when it did not end
  // by itself within 30 s.
  bool RunAtLogin() {
    return RunAndWait("\"" + folder_ + "\\Vantrel.exe\" -nogui", 30000).has_value();
  }
  std::string folder_ = NewScratchFolder();
  std::string recorder_ = folder_ + "\\recorder.exe";
  // Both Run keys' "Tarrow" values are held, so that the prefix never
  // starts a test's Vantrel.
  Undo userTarrow_ = HoldRegValue(HKEY_CURRENT_USER, kRunKey, "Tarrow");
  Undo machineTarrow_ = HoldRegValue(HKEY_LOCAL_MACHINE, kRunKey, "Tarrow");
};

// An item of every command word: a real shortcut in the items folder, a
// REG_EXPAND_SZ value in the user's store, and a value that a 32-bit
// Vantrel left in the 32-bit view of the all-users store (it starts from
// there, not from its record).
TEST_F(LoginEndToEnd, ANoGuiStartLaunchesEveryItemInOrderAndEnds) {
  Undo userStore = HoldNewKeys(kUserStore);
  Undo wowStore = HoldNewKeys(kWowStore, HKEY_LOCAL_MACHINE);
  Undo stored = HoldRegValue(HKEY_CURRENT_USER, kUserStore, "Rec");
  Undo stored64 = HoldRegValue(HKEY_LOCAL_MACHINE, "Software\\Korvane\\Vantrel\\HKLM", "RecAU");
  Undo stored32 = HoldRegValue(HKEY_LOCAL_MACHINE, kWowStore, "RecAU");
  ASSERT_EQ(':', recorder_[1]);
  const std::string expandable = "%SystemDrive%" + recorder_.substr(2);
  ASSERT_TRUE(WriteRegValue(HKEY_CURRENT_USER, kUserStore, "Rec",
                            {REG_EXPAND_SZ, expandable + " reg" + '\0'}));
  ASSERT_TRUE(WriteRegValue(HKEY_LOCAL_MACHINE, kWowStore, "RecAU", Sz(recorder_ + " regau")));
  const std::string items = folder_ + "\\Vantrel Items\\Current User";
  ASSERT_EQ(::SHCreateDirectoryExA(nullptr, items.c_str(), nullptr), ERROR_SUCCESS);
  ASSERT_TRUE(MakeShortcut(items + "\\Recorder Link.lnk", recorder_, "lnk"));
  // Written out of order: the file is sorted by delay when it is read.
  WriteProgGroup({"const MainStartupDelay = 1;", "const StartupType = 1;", "const CloseType = 1;",
                  "const Language = en;", "const ShowTipsAtStartup = 0;", "void Startup()", "{",
                  "     Execute (\"Recorder Link.lnk\", \"\", 0, \"\");",
                  "     ExecuteReg (\"" + expandable + "\", \"reg\", 1, \"Rec\");",
                  "     ExecuteAU (\"" + recorder_ + "\", \"au\", 0.5, \"\");",
                  "     ExecuteRegAU (\"" + recorder_ + "\", \"regau-record\", 0.5, \"RecAU\");",
                  "}"});

  const auto startedAt =
      duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  ASSERT_TRUE(RunAtLogin())
      << "Vantrel.exe did not end by itself (is another Vantrel running in this prefix?)";

  // Order and moments: 1 s main delay, then 0, 0.5, 0.5 and 1 s.
  const std::vector<std::string> recorded = RecordedLines(folder_, 4);
  ASSERT_EQ(recorded.size(), 4u) << Read("recorder.txt") << Read("log.txt");
  const std::vector<std::pair<std::string, long long>> planned = {
      {"lnk", 1000}, {"au", 1500}, {"regau", 2000}, {"reg", 3000}};
  long long first = 0;
  for (std::size_t i = 0; i < recorded.size(); ++i) {
    std::istringstream line(recorded[i]);
    long long ms = 0;
    std::string arguments;
    std::getline(line >> ms >> std::ws, arguments);
    EXPECT_EQ(arguments, planned[i].first);
    // The process itself needs a moment to start under Wine, so the first
    // launch is measured from the start of the process and the others from
    // it: never early, late by at most the process starts before it, which
    // add up on a busy machine.
    const long long offset = i == 0 ? ms - startedAt : ms - first;
    const long long due = i == 0 ? planned[0].second : planned[i].second - planned[0].second;
    const long long slack = i == 0 ? 700 : 300 * static_cast<long long>(i);
    first = i == 0 ? ms : first;
    RecordProperty(planned[i].first + "Ms", std::to_string(offset));
    EXPECT_GE(offset, due - kToleranceMs) << planned[i].first;
    EXPECT_LE(offset, due + kToleranceMs + slack) << planned[i].first << " (slow process starts)";
  }

  // The log: "Info: ", the time of day, then the lines byte for byte, the
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
    const std::size_t time = log[i].size() - expected[i].size(); // where the text starts
    EXPECT_TRUE(log[i].starts_with("Info: ") && log[i].ends_with(expected[i]) &&
                log[i].find(':', 6) < time && log[i][time - 1] != ' ')
        << log[i] << " is no \"Info: <time of day>" << expected[i] << '"';
  }

  // With startup type 1 and all-users items the run registers Vantrel for
  // every user's login.
  EXPECT_EQ(ReadRegValue(HKEY_LOCAL_MACHINE, kRunKey, "Tarrow"),
            Sz("\"" + folder_ + "\\Vantrel.exe\" -nogui"));
  EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kRunKey, "Tarrow"), std::nullopt);
}

// comeback.exe is delayed; each login run (with the option to take
// returned items back) starts it once, notices its value coming back and
// moves it into the store again before the run ends; never twice.
TEST_F(LoginEndToEnd, TheLoginRunTakesBackAProgramThatWroteItsRunValueAgain) {
  constexpr const char* kName = "VantrelComeBackTest";
  Undo runValue = HoldRegValue(HKEY_CURRENT_USER, kRunKey, kName);
  Undo storeValue = HoldRegValue(HKEY_CURRENT_USER, kUserStore, kName);
  const std::string program = folder_ + "\\comeback.exe";
  const RegText command = Sz("\"" + program + "\" " + kName);
  ASSERT_TRUE(WriteRegValue(HKEY_CURRENT_USER, kUserStore, kName, command));
  WriteProgGroup(
      {"const MainStartupDelay = 0;", "const StartupType = 1;", "const TakeBackReturnedItems = 1;",
       "void Startup()", "{",
       "     ExecuteReg (\"\"" + program + "\" \", \"" + kName + "\", 0, \"" + kName + "\");",
       "}"});

  for (std::size_t login = 1; login <= 2; ++login) {
    SCOPED_TRACE("login run " + std::to_string(login));
    ASSERT_TRUE(RunAtLogin()) << "Vantrel.exe did not end by itself";
    EXPECT_EQ(RecordedLines(folder_, login).size(), login) << Read("log.txt");
    EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kRunKey, kName), std::nullopt);
    EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kUserStore, kName), command);
    EXPECT_NE(Read("log.txt").find("  Taken back into Vantrel's care: HKEY_CURRENT_USER\\" +
                                   std::string(kRunKey) + "\\" + kName),
              std::string::npos)
        << Read("log.txt");
  }
  // Still delayed, once, with the option kept.
  const std::string file = Read(UserName() + "\\proggroup.c");
  EXPECT_NE(file.find("const TakeBackReturnedItems = 1;"), std::string::npos);
  ASSERT_NE(file.find("ExecuteReg ("), std::string::npos) << file;
  EXPECT_EQ(file.find("ExecuteReg (", file.find("ExecuteReg (") + 1), std::string::npos) << file;
}

} // namespace
} // namespace vantrel::testing::moves
