#include "vantrel/moves/popup_menu.h"

#include "common/text.h"
#include "vantrel/tree/found_items_branch.h"

namespace vantrel::items {

ItemPopupState PopupStateFor(std::string_view fullPath) {
  // Found in the store without a record: it may go anywhere, and has no
  // program for Properties to show.
  if (IsFoundItemPath(fullPath))
    return {true, true, true, false, true};
  if (StartsWith(fullPath, "Delayed Items"))
    return {false, true, true, true, true};
  if (fullPath.find("Stopped Items") != std::string_view::npos)
    return {true, false, true, false, true};
  return {true, true, false, false, true};
}

bool IsEnabled(const ItemPopupState& state, ItemPopupEntry entry) {
  switch (entry) {
  case ItemPopupEntry::kDelay:
    return state.delay;
  case ItemPopupEntry::kStop:
    return state.stop;
  case ItemPopupEntry::kRun:
    return state.run;
  case ItemPopupEntry::kProperties:
    return state.properties;
  case ItemPopupEntry::kSearchOnline:
    return state.searchOnline;
  case ItemPopupEntry::kTakeBack:
    return state.takeBack;
  }
  return false;
}

std::vector<PopupMenuItem> BuildItemPopupMenu(const TextTables& text, const ItemPopupState& state) {
  const std::pair<ItemPopupEntry, std::size_t> entries[] = {
      {ItemPopupEntry::kDelay, menu::kTVDelay},
      {ItemPopupEntry::kStop, menu::kTVStop},
      {ItemPopupEntry::kRun, menu::kTVRun},
      {ItemPopupEntry::kProperties, menu::kTVProperties},
      {ItemPopupEntry::kSearchOnline, menu::kTVSearchOnline},
  };
  std::vector<PopupMenuItem> items;
  // Take Back leads the menu of an item that came back, and only there.
  if (state.takeBack)
    items.push_back({ItemPopupEntry::kTakeBack, text.Menus[menu::kTVTakeBack], true});
  for (const auto& [entry, index] : entries)
    items.push_back({entry, text.Menus[index], IsEnabled(state, entry)});
  return items;
}

ItemPopupState ReturnedItemPopupState() {
  ItemPopupState state;
  state.takeBack = true;
  state.searchOnline = true;
  return state;
}

std::string ReturnedItemTip(const TextTables& text) {
  const std::string& tip = text.Toolbar[toolbar::kReturnedItemTip];
  return tip.empty() ? "This item came back to Windows' startup, although Vantrel keeps it "
                       "delayed or stopped. Right-click it and choose Take Back."
                     : tip;
}

} // namespace vantrel::items
