// Carrying out the entry the user chose in the tray menu: run the group
// "Startup" or one of its programs, run the stopped programs or one of
// them, open the main window, or quit.
#pragma once

#include <cstdint>

#include "vantrel/app/app_context.h"
#include "vantrel/window/main_window_port.h"

namespace vantrel {

// id is what the menu gave back; 0 or less (dismissed) does nothing. The
// ids are those stored by the last BuildTrayMenu.
void HandleTrayCommand(AppContext& context, MainWindowPort& window, std::int32_t id);

// Brings the main window up: a minimised one is restored; a login start's
// window, whose tree was never filled, is filled first.
void OpenMainWindow(AppContext& context, MainWindowPort& window);

} // namespace vantrel
