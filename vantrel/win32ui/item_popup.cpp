#include "vantrel/win32ui/item_popup.h"

#include "vantrel/win32ui/ui_handles.h"

namespace vantrel::win32ui {

namespace {

// Clear of the main menu's and the toolbar's ids.
constexpr UINT kFirstPopupId = 0x7100;

} // namespace

UINT ItemPopupCommandId(ItemPopupEntry entry) {
  return kFirstPopupId + static_cast<UINT>(entry);
}

std::optional<ItemPopupEntry> ItemPopupEntryOfCommand(UINT id) {
  for (const ItemPopupEntry entry :
       {ItemPopupEntry::kDelay, ItemPopupEntry::kStop, ItemPopupEntry::kRun,
        ItemPopupEntry::kProperties, ItemPopupEntry::kSearchOnline, ItemPopupEntry::kTakeBack}) {
    if (ItemPopupCommandId(entry) == id)
      return entry;
  }
  return std::nullopt;
}

std::optional<ItemPopupEntry> TrackItemPopup(HWND owner, POINT screenPoint,
                                             const std::vector<items::PopupMenuItem>& entries) {
  UniqueMenu menu(::CreatePopupMenu());
  if (!menu.valid())
    return std::nullopt;
  for (const auto& item : entries) {
    const UINT flags = MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED);
    ::AppendMenuA(menu.get(), flags, ItemPopupCommandId(item.entry), item.caption.c_str());
  }
  // Without the owner in front, the menu would not close when the user
  // clicks elsewhere; the posted message lets it close cleanly.
  ::SetForegroundWindow(owner);
  const UINT chosen = static_cast<UINT>(
      ::TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, screenPoint.x,
                         screenPoint.y, owner, nullptr));
  ::PostMessageA(owner, WM_NULL, 0, 0);
  if (chosen == 0)
    return std::nullopt;
  return ItemPopupEntryOfCommand(chosen);
}

} // namespace vantrel::win32ui
