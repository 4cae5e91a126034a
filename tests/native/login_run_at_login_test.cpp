// The registration at login: what each startup type leaves in the two Run
// keys, from every starting state.

#include <gtest/gtest.h>

#include "login_test_support.h"
#include "vantrel/run_at_login.h"

namespace vantrel::login_test {
namespace {

using Value = std::optional<std::string>;
const Value kNone;
const std::string kStale = "\"C:\\Old Place\\Vantrel.exe\" -nogui";

TEST_F(LoginTest, SetRunAtLoginForEveryType) {
  struct Case {
    const char* name;
    int type;
    std::vector<std::string> commands; // of the group "Startup"
    Value userBefore, machineBefore;
    Value userAfter, machineAfter;
  };
  const std::vector<Case> cases = {
      {"0 removes both", 0, {"Execute"}, kOwnRun, kOwnRun, kNone, kNone},
      {"0 with nothing there", 0, {}, kNone, kNone, kNone, kNone},
      {"2 writes the user's value", 2, {}, kNone, kNone, kOwnRun, kNone},
      {"2 leaves a stale value as it is", 2, {}, kStale, kNone, kStale, kNone},
      {"3 to 2 moves the value to the user", 2, {}, kNone, kOwnRun, kOwnRun, kNone},
      {"3 writes the machine's value", 3, {}, kNone, kNone, kNone, kOwnRun},
      {"2 to 3 moves the value to the machine", 3, {}, kOwnRun, kNone, kNone, kOwnRun},
      {"3 leaves a stale machine value", 3, {}, kStale, kStale, kNone, kStale},
      {"1 with all-users and user items: machine only",
       1,
       {"Execute", "ExecuteRegAU"},
       kOwnRun,
       kNone,
       kNone,
       kOwnRun},
      {"1 with an all-users shortcut", 1, {"ExecuteAU"}, kNone, kNone, kNone, kOwnRun},
      {"1 with user items only", 1, {"ExecuteReg"}, kNone, kOwnRun, kOwnRun, kNone},
      {"1 counts items of any command word", 1, {"Close"}, kNone, kNone, kOwnRun, kNone},
      {"1 without items removes a value", 1, {}, kStale, kOwnRun, kNone, kNone},
      {"1 without items and values touches nothing", 1, {}, kNone, kNone, kNone, kNone},
      {"an unknown type changes nothing", 7, {}, kStale, kNone, kStale, kNone},
      {"a negative type changes nothing", -1, {"Execute"}, kNone, kStale, kNone, kStale},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoginRig fresh;
    std::vector<ProgramEntry> programs;
    for (const auto& command : c.commands)
      programs.push_back(Program(command, "C:\\Tools\\" + command + ".exe", 0));
    fresh.SetStartup(programs);
    if (c.userBefore)
      fresh.world.RegSetString(kHkeyCurrentUser, kRunKey, "Tarrow", *c.userBefore);
    if (c.machineBefore)
      fresh.world.RegSetString(kHkeyLocalMachine, kRunKey, "Tarrow", *c.machineBefore);
    SetRunAtLogin(fresh.context, c.type);
    EXPECT_EQ(fresh.RunValue(kHkeyCurrentUser), c.userAfter);
    EXPECT_EQ(fresh.RunValue(kHkeyLocalMachine), c.machineAfter);
    EXPECT_EQ(fresh.platform.openKeyHandles(), 0u);
  }
}

} // namespace
} // namespace vantrel::login_test
