// The item popup menu of the main window's tree, shown at the pointer from
// its portable model (captions and enabled entries).
#pragma once

#include <optional>
#include <vector>

#include "common/platform/win32/win32_api.h"
#include "vantrel/moves/popup_menu.h"

namespace vantrel::win32ui {

// The command id of an entry inside the popup (also what a WM_COMMAND from
// it would carry).
UINT ItemPopupCommandId(ItemPopupEntry entry);
std::optional<ItemPopupEntry> ItemPopupEntryOfCommand(UINT id);

// Builds the menu, tracks it at screenPoint (right button allowed) and
// returns the entry the user chose; nothing when the menu was dismissed or
// could not be made.
std::optional<ItemPopupEntry> TrackItemPopup(HWND owner, POINT screenPoint,
                                             const std::vector<items::PopupMenuItem>& entries);

} // namespace vantrel::win32ui
