// Synchronisation: rebuilds the current user's proggroup.c from what
// Vantrel's stores really hold, and says how it went in the log and in a
// message box.
#pragma once

#include "common/platform/platform.h"
#include "vantrelsync/sync_places.h"

namespace vantrel::sync {

// The caption of VantrelSync's message boxes.
inline constexpr const char* kSyncTitle = "VantrelSync";

// The rebuilt file holds the group Startup with one program per stored item
// and fixed options; the user's old file is kept as proggroup.c.bak. On
// any failure the old file stays as it was and a warning box says so.
// True when the new file was written.
bool Synchronize(Platform& platform, const SyncPlaces& places);

// The warning box of a run that did not write the new file.
void TellNotSynchronized(Platform& platform);

} // namespace vantrel::sync
