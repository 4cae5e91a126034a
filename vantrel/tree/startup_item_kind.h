// The kinds of startup item (ItemKind) and the choices a move is given, as
// the move procedures and their callers name them.
#pragma once

#include "common/item_kind.h"

namespace vantrel::items {

using enum ItemKind;

// The single-item procedures read kCurrentUserRunValue (Run values) and
// kCurrentUserShortcut (shortcuts) as the current user and anything else as
// all users.
constexpr bool IsCurrentUserRunValue(ItemKind kind) {
  return kind == kCurrentUserRunValue;
}
constexpr bool IsCurrentUserShortcut(ItemKind kind) {
  return kind == kCurrentUserShortcut;
}

// Where a delay command takes an item.
enum class MoveTo { kDelayed, kStopped };

// What an item's node text is: a value in the Run key or a delayed one
// ("name=command", or a shortcut's file name), or an entry of the stopped
// list (a program's path), whose value is then looked up in the store.
enum class From { kListed, kStopped };

// What a checked delay does with checked stopped items: delays them too, or
// leaves them to the put-back that follows (a shortcut is already moved out
// of the items folder for it).
enum class CheckedStopped { kLeave, kDelayToo };

} // namespace vantrel::items
