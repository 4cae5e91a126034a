// Upgrade of the old layout: older installations kept delayed shortcuts
// in the Start Menu under Programs\KRV Vantrel\; the current layout keeps
// them in the program folder's items folders.
#pragma once

#include "common/platform/platform.h"
#include "vantrelsync/sync_places.h"

namespace vantrel::sync {

// Moves the files of each old folder (the user's, then all users') into
// its items folder and removes the old folders that are left empty. The
// registry stores are not touched. Synchronisation is the caller's next
// step.
void UpgradeOldLayout(Platform& platform, const SyncPlaces& places);

} // namespace vantrel::sync
