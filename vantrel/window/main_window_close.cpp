#include "vantrel/window/main_window_close.h"

#include "vantrel/login/run_at_login.h"

namespace vantrel {

bool QueryUnloadMainWindow(AppContext& context, CloseReason reason,
                           const std::function<void()>& releaseWindow) {
  if (context.Store.CloseType != 1) {
    context.AbortWait = true;
  } else if (reason == CloseReason::kUserClose) {
    return false;
  } else if (context.WaitInProgress) {
    context.AbortWait = true;
    for (int round = 0; round < kAbortWaitRounds && context.WaitInProgress; ++round)
      context.platform.PumpMessages();
  }
  // Without a window the login run must not go on either, even between
  // waits: it would start programs for a user who quit.
  if (context.LoginRunInProgress)
    context.AbortWait = true;
  if (releaseWindow)
    releaseWindow();
  if (context.Store.StartupType == 1)
    SetRunAtLogin(context, 1);
  return true;
}

} // namespace vantrel
