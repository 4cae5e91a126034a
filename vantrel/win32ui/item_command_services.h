// The Windows halves of what the item commands need beyond the platform
// seam: the local time from the system clock (for the registry backups'
// folder and file names) and the conversion of the system code page to
// UTF-8 (for the online search address).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "vantrel/item_commands.h"
#include "vantrel/local_time.h"

namespace vantrel::win32ui {

std::optional<items::LocalTime> SystemLocalTime();

// ANSI (CP_ACP) text as UTF-8; the text unchanged if it cannot be
// converted.
std::string SystemCodePageToUtf8(std::string_view text);

// The services with these two filled in; the window adds the editor and
// the tool tip.
items::ItemCommandServices Win32ItemCommandServices();

} // namespace vantrel::win32ui
