// A program that writes its Run value again after the login run took it
// back is noticed and taken back anew; a take back that cannot write
// Vantrel's store says why and leaves the value to Windows.

#include <gtest/gtest.h>

#include "login_test_support.h"
#include "moves_test_support.h"
#include "vantrel/login/start_delay.h"

namespace vantrel::moves_test {
namespace {

TEST(ReturnedAtLogin, WrittenAgainIsNoticedAnewAndAFailedTakeBackSaysWhy) {
  const std::string where =
      "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Chat";
  for (const bool storeFails : {false, true}) {
    SCOPED_TRACE(storeFails ? "the store refuses" : "written twice");
    login_test::LoginRig r;
    r.context.CurrentUserStartupFolder = kUserStartup;
    r.context.AllUsersStartupFolder = kCommonStartup;
    r.world.registry().MakeKey(kHkeyCurrentUser, kRunKey);
    r.world.RegSetString(kHkeyCurrentUser, kUserStore, "Chat", "C:\\Chat\\chat.exe");
    r.SetStartup({login_test::Program("ExecuteReg", "C:\\Chat\\chat.exe", 0),
                  login_test::Program("ExecuteReg", "C:\\Later\\later.exe", 10)});
    r.context.Store.ProgramGroups[0].Programs[0].RegistryName = "Chat";
    r.context.Store.TakeBackReturnedItems = true;
    r.LoadHiddenWindow();
    // Each start writes Chat's value again, with the starting program's
    // name as its switch.
    r.platform.shellExecuteFails = [&](const sim::ShellExecuteRecord& call) {
      r.world.RegSetString(kHkeyCurrentUser, kRunKey, "Chat",
                           "C:\\Chat\\chat.exe /" + call.file.substr(call.file.rfind('\\') + 1));
      return false;
    };
    if (storeFails)
      r.world.faults = [](sim::SimOp op, const std::string& subject) {
        return op == sim::SimOp::kRegSetValue && subject.find("Vantrel") != std::string::npos;
      };
    StartDelay(r.context, r.window);
    const std::string cameBack = "  Came back to Windows' startup (delayed in Vantrel): " + where;
    const std::string takenBack = "  Taken back into Vantrel's care: " + where;
    std::vector<std::string> expected = {
        "Info: 08:00:00  Waiting for 30 seconds.", "Info: 08:00:30  Wait over.",
        "Info: 08:00:30 Waiting for 0 seconds.",   "Info: 08:00:30  C:\\Chat\\chat.exe ",
        "Info: 08:00:30 Waiting for 10 seconds.",  "Info: 08:00:30" + cameBack};
    if (storeFails)
      expected.insert(expected.end(),
                      {"Warning: 08:00:30  Could not take back: " + where +
                           ". Its copy in Vantrel's store could not be read back, so it was left "
                           "where it was.",
                       "Info: 08:00:40  C:\\Later\\later.exe "});
    else
      expected.insert(expected.end(),
                      {"Info: 08:00:30" + takenBack, "Info: 08:00:40  C:\\Later\\later.exe ",
                       "Info: 08:00:40" + cameBack, "Info: 08:00:40" + takenBack});
    EXPECT_EQ(r.LogLines(), expected);
    EXPECT_EQ(r.world.RegGetString(kHkeyCurrentUser, kRunKey, "Chat"),
              storeFails ? std::optional<std::string>("C:\\Chat\\chat.exe /later.exe")
                         : std::nullopt);
    EXPECT_EQ(r.world.RegGetString(kHkeyCurrentUser, kUserStore, "Chat"),
              storeFails ? "C:\\Chat\\chat.exe" : "C:\\Chat\\chat.exe /later.exe");
  }
}

} // namespace
} // namespace vantrel::moves_test
