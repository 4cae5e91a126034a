// Take Back: puts an item that came back to Windows' startup into
// Vantrel's care again, as it was before. A delayed item is delayed again
// with its own delay, a stopped one stopped again, through the same moves,
// records and backups as Delay and Stop.
//
// What the program wrote wins: a Run value goes into the store with the
// command the Run key holds now, and the value's registry backup holds the
// command Vantrel kept before (when it differs) followed by the new one, so
// that importing the file puts the newest back. A shortcut goes into the
// items folder as the Startup folder holds it now; the file Vantrel kept
// before moves to the backup folder of the day, as
// "Delayed Registry\YYYY-MM-DD\HH MM SS name".
#pragma once

#include <vector>

#include "vantrel/moves/item_move_session.h"
#include "vantrel/tree/returned_items.h"

namespace vantrel::items {

// Moves the item and fixes its record; writes the model. False when the
// item stayed where it was (the session holds why).
bool TakeBackItem(MoveSession& session, const ReturnedItem& item);

// The backup path that a shortcut's older file moves to.
std::string ShortcutBackupPath(Platform& platform, const std::string& programFolder,
                               const LocalTime& when, const std::string& name);

} // namespace vantrel::items
