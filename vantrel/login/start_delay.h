// The login-time launch run: drop disallowed programs, wait the main
// startup delay, then start each program of the group "Startup" after its
// own delay, writing every step to log.txt.
#pragma once

#include "vantrel/app/app_context.h"
#include "vantrel/window/main_window_port.h"

namespace vantrel {

// Runs once per process, inside Main. At the end, unless the main window
// closed meanwhile, the hidden window is unloaded (startup type 1, so the
// process ends) or the instance stays as an ordinary one (GuiMode set).
// A delay too large for the wait ends the run where it stands.
void StartDelay(AppContext& context, MainWindowPort& window);

} // namespace vantrel
