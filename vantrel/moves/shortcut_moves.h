// Delaying, stopping and putting back shortcuts of the two Startup folders.
// A delayed or stopped shortcut lies in Vantrel's items folder of its scope
// and is recorded in the program-group model: as an "Execute"/"ExecuteAU"
// program of the group "Startup" (delayed) or as a stopped-list entry.
// A file that the shell did not move is not recorded: its record stays as
// it was and the session gathers the failure for the user.
#pragma once

#include <string>

#include "vantrel/moves/item_move_session.h"
#include "vantrel/tree/startup_item_kind.h"

namespace vantrel::items {

// Where a shortcut of one scope lives, and how it is recorded.
struct ShortcutScope {
  std::string startupFolder; // Windows' Startup folder
  std::string itemsFolder;   // Vantrel's items folder, ending in a backslash
  std::string command;       // "Execute" or "ExecuteAU"
  ItemKind kind = kAllUsersShortcut;
  bool currentUser = false;
};

// kCurrentUserShortcut is the current user; any other kind all users,
// recorded with the kind as given.
ShortcutScope ShortcutScopeOf(AppContext& context, ItemKind kind);

// Takes the shortcut out of Windows' Startup folder into the items folder
// and records it as delayed or as stopped. A shortcut already
// in the items folder changes its record only. Writes the model. False for
// an empty name or a move that failed.
bool DelayShortcutItem(MoveSession& session, const std::string& name, ItemKind kind, MoveTo to);

// Moves a delayed or stopped shortcut back into the Startup folder and
// drops its record. A shortcut whose file is gone from the items folder
// only loses its record. The caller writes the model.
void RestoreShortcutItem(MoveSession& session, const std::string& name, ItemKind kind, From from);

// The checked current-user shortcuts: those in the Startup folder become
// delayed or stopped (to); to kStopped, checked delayed ones become
// stopped; to kDelayed, checked stopped ones become delayed
// (CheckedStopped::kDelayToo) or go back into the Startup folder, leaving
// their entry to RestoreCheckedShortcutItems. To kStopped, checked stopped
// items stay as they are. Writes the model.
bool ApplyCheckedShortcutItems(MoveSession& session, const CheckedItems& checked, MoveTo to,
                               CheckedStopped stopped);

// The checked delayed and stopped current-user shortcuts go back into the
// Startup folder and lose their records. Writes the model.
bool RestoreCheckedShortcutItems(MoveSession& session, const CheckedItems& checked);

} // namespace vantrel::items
