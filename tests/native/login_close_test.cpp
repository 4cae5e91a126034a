// Closing the main window: hidden or closed for good by close type and
// reason, the abort of a running wait, and the registration that follows.

#include <gtest/gtest.h>

#include "login_test_support.h"
#include "vantrel/main_window_close.h"

namespace vantrel::login_test {
namespace {

TEST_F(LoginTest, CloseTypeAndReasonDecideBetweenHidingAndClosing) {
  struct Case {
    const char* name;
    int closeType;
    CloseReason reason;
    bool waiting;
    bool closes;
    bool aborts;
    int pumps;
  };
  const std::vector<Case> cases = {
      {"type 1, close button: hidden", 1, CloseReason::kUserClose, true, false, false, 0},
      {"type 1, own unload", 1, CloseReason::kProgram, false, true, false, 0},
      {"type 1, shutdown during a wait", 1, CloseReason::kWindowsShutdown, true, true, true, 5001},
      {"type 1, task manager during a wait", 1, CloseReason::kTaskManager, true, true, true, 5001},
      {"type 0, close button", 0, CloseReason::kUserClose, false, true, true, 0},
      {"type 0, close button during a wait", 0, CloseReason::kUserClose, true, true, true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoginRig fresh;
    fresh.context.Store.CloseType = c.closeType;
    fresh.context.WaitInProgress = c.waiting;
    fresh.window.Load();
    fresh.window.visible = true;
    EXPECT_EQ(fresh.window.Close(c.reason), c.closes);
    EXPECT_EQ(fresh.window.loaded, !c.closes);
    EXPECT_FALSE(fresh.window.visible);
    EXPECT_EQ(fresh.context.AbortWait, c.aborts);
    EXPECT_EQ(fresh.platform.pumpCount(), c.pumps);
  }
}

} // namespace
} // namespace vantrel::login_test
