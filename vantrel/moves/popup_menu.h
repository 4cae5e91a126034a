// The item popup menu of the main window's tree: which entries a node
// allows, and the menu as the Win32 view builds it (captions from the Menus
// table, in menu order).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vantrel/text/text_tables.h"
#include "vantrel/window/main_window_commands.h"

namespace vantrel::items {

// By the node's full path: a delayed item can be stopped, run normally or
// edited; a stopped item delayed or run normally; an item in Windows' hands
// stopped or delayed. Every item can be searched for online.
ItemPopupState PopupStateFor(std::string_view fullPath);

// Whether the state enables one entry.
bool IsEnabled(const ItemPopupState& state, ItemPopupEntry entry);

struct PopupMenuItem {
  ItemPopupEntry entry = ItemPopupEntry::kDelay;
  std::string caption;
  bool enabled = false;
};

// Delay, Stop, Run, Properties, Search Online; Take Back first when the
// state enables it.
std::vector<PopupMenuItem> BuildItemPopupMenu(const TextTables& text, const ItemPopupState& state);

// An item that came back to Windows' startup: Take Back and Search Online.
ItemPopupState ReturnedItemPopupState();

// Its tool tip: the Toolbar table's entry, or the English text.
std::string ReturnedItemTip(const TextTables& text);

} // namespace vantrel::items
