// The Windows half of what the item commands need beyond the platform
// seam: the local time from the system clock (for the registry backups'
// folder and file names).
#pragma once

#include <optional>
#include <string>

#include "vantrel/login/local_time.h"
#include "vantrel/moves/item_commands.h"

namespace vantrel::win32ui {

std::optional<items::LocalTime> SystemLocalTime();

// The services with the time filled in; the window adds the editor and
// the tool tip.
items::ItemCommandServices Win32ItemCommandServices();

} // namespace vantrel::win32ui
