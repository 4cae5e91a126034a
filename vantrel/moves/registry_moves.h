// Delaying, stopping and putting back the values of the two Run keys. A
// delayed or stopped value lies, unchanged, in Vantrel's store of its scope
// (Software\Korvane\Vantrel\HKCU or \HKLM) and is recorded in the
// program-group model: as an "ExecuteReg"/"ExecuteRegAU" program of the
// group "Startup" (delayed) or as a stopped-list entry holding the
// program's path (stopped). Every delay or stop first writes the value to a
// registry backup file. A value is recorded only once its copy reads back
// from where it went and it has left where it was; otherwise nothing is
// recorded and the session gathers the failure for the user.
#pragma once

#include <string>

#include "common/platform/platform.h"
#include "common/run_keys.h"
#include "vantrel/moves/item_move_session.h"
#include "vantrel/tree/startup_item_kind.h"

namespace vantrel::items {

struct RunScope {
  RegKey root = kHkeyCurrentUser;
  // The registry view of the Run key and the store: the 32-bit view for
  // kAllUsersRunValue32 (its store lies where a 32-bit Vantrel kept its
  // values).
  std::uint32_t view = 0;
  std::string store;   // Vantrel's store key
  std::string command; // "ExecuteReg" or "ExecuteRegAU"
  ItemKind kind = kCurrentUserRunValue;
  bool currentUser = true;
};

// kCurrentUserRunValue is the current user, kAllUsersRunValue32 the 32-bit
// view of the machine's Run key; any other kind all users, recorded with
// the kind as given.
RunScope RunScopeOf(ItemKind kind);

// Takes a value into the store and records it as delayed or as stopped.
// text is the item's node text: "name=command" for a value in the Run key
// or a delayed one (From::kListed), the program's path for a stopped one
// (From::kStopped), whose value is then looked up in the store. A stopped
// value whose data is no longer in the store stays stopped. Writes the
// model. False for an empty text or a value that was not moved.
bool DelayRegistryItem(MoveSession& session, const std::string& text, ItemKind kind, MoveTo to,
                       From from);

// Writes a delayed or stopped value back into the Run key, removes it from
// the store and drops its record. The caller writes the model.
void RestoreRegistryItem(MoveSession& session, const std::string& text, ItemKind kind, From from);

// The checked current-user values: those in the Run key become delayed or
// stopped (to), backed up in one file that is removed again when none of
// them was written to it; to kStopped, checked delayed ones become stopped;
// to kDelayed with CheckedStopped::kDelayToo, checked stopped ones become
// delayed. To kStopped, checked stopped items stay as they are. Writes the
// model.
bool ApplyCheckedRegistryItems(MoveSession& session, const CheckedItems& checked, MoveTo to,
                               CheckedStopped stopped);

// The checked delayed and stopped current-user values go back into the Run
// key and lose their records; a stopped entry whose value is gone from the
// store is dropped. Writes the model.
bool RestoreCheckedRegistryItems(MoveSession& session, const CheckedItems& checked);

} // namespace vantrel::items
