// Vantrel's entry: load the texts and the program-group file, refuse to run
// twice, work out the folders, then either open the main window or, started
// at login with -nogui, run the delayed launch with the window hidden.
#pragma once

#include <string_view>

#include "vantrel/app/app_context.h"
#include "vantrel/window/main_window_port.h"

namespace vantrel {

// The named mutex whose owner is the running instance.
inline constexpr const char* kSingleInstanceMutex = "Korvane.Vantrel.SingleInstance";
inline constexpr std::string_view kNoGuiSwitch = "-nogui";

enum class MainOutcome {
  kEnded,       // nothing is left: the process ends
  kWindowLives, // the main window is loaded: run its message loop
};

// The three courses: a second instance activates the first one's window,
// shows Messages(0) and ends; a windowed start loads the main window shown
// (and the tip of the day when asked for); a -nogui start ends at once with
// StartupType 0, and otherwise loads the window hidden and runs StartDelay.
MainOutcome Main(AppContext& context, MainWindowPort& window);

} // namespace vantrel
