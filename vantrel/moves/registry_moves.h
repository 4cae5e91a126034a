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

namespace vantrel::items {

struct RunScope {
  RegKey root = kHkeyCurrentUser;
  // The registry view of the Run key and the store: the 32-bit view for
  // kind 4 (its store lies where a 32-bit Vantrel kept its values).
  std::uint32_t view = 0;
  std::string store;   // Vantrel's store key
  std::string command; // "ExecuteReg" or "ExecuteRegAU"
  int kind = 1;
  bool currentUser = true;
};

// Kind 1 is the current user, kind 4 the 32-bit view of the machine's Run
// key; any other kind all users, recorded with the kind as given.
RunScope RunScopeOf(int kind);

// Takes a value into the store and records it as delayed, or as stopped
// with stop. text is the item's node text: "name=command" for a value in
// the Run key or a delayed one, the program's path for a stopped one
// (fromStoppedNode), whose value is then looked up in the store. A stopped
// value whose data is no longer in the store stays stopped. Writes the
// model. False for an empty text or a value that was not moved.
bool DelayRegistryItem(MoveSession& session, const std::string& text, int kind, bool stop,
                       bool fromStoppedNode);

// Writes a delayed or stopped value back into the Run key, removes it from
// the store and drops its record. The caller writes the model.
void RestoreRegistryItem(MoveSession& session, const std::string& text, int kind, bool fromStopped);

// The checked current-user values: those in the Run key become delayed
// (stopped with stop), backed up in one file that is removed again when
// none of them was written to it; with stop, checked delayed ones become
// stopped; with delayStopped and without stop, checked stopped ones become
// delayed. With stop, checked stopped items stay as they are. Writes the
// model.
bool ApplyCheckedRegistryItems(MoveSession& session, const CheckedItems& checked, bool stop,
                               bool delayStopped);

// The checked delayed and stopped current-user values go back into the Run
// key and lose their records; a stopped entry whose value is gone from the
// store is dropped. Writes the model.
bool RestoreCheckedRegistryItems(MoveSession& session, const CheckedItems& checked);

} // namespace vantrel::items
