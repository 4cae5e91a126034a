// What happens when the main window is asked to close: hide it to the
// notification area, or close it for good (the icon goes, a running wait is
// cut short, and the registration at login is brought up to date).
#pragma once

#include <functional>

#include "vantrel/app/app_context.h"

namespace vantrel {

enum class CloseReason {
  kUserClose,       // the title bar's close button or the system menu
  kProgram,         // Vantrel's own unload (File > Exit, the tray's quit)
  kWindowsShutdown, // the session ends
  kTaskManager,
  kOwnerClosing,
};

// Rounds of message handling granted to a running wait to notice the abort.
constexpr int kAbortWaitRounds = 5001;

// With CloseType 1 a user's close only hides the window: false is returned
// and nothing else happens. Otherwise the window closes for good:
// releaseWindow is called (remove the tray icon, restore the message
// handling, drop the window's store object), AbortWait is set when the
// window closes under a wait or the login run, and with StartupType 1 the
// login registration follows the delayed items that exist now. True then.
bool QueryUnloadMainWindow(AppContext& context, CloseReason reason,
                           const std::function<void()>& releaseWindow);

} // namespace vantrel
