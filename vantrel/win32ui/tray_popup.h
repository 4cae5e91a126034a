// ShowTrayMenu: the tray menu built from its portable model, shown at the
// bottom right of the work area, and the id of the chosen entry.
#pragma once

#include <cstdint>

#include "common/platform/win32/win32_api.h"
#include "vantrel/app/app_context.h"

namespace vantrel::win32ui {

// Builds the menu (which stores the ids the handler looks up), tracks it
// for owner and returns the chosen command id, or 0 when it was dismissed.
std::int32_t ShowTrayMenu(AppContext& context, HWND owner);

} // namespace vantrel::win32ui
