#include "vantrelsync/synchronize.h"

#include "common/event_log.h"
#include "common/safe_save.h"
#include "common/store/program_group.h"
#include "vantrelsync/stored_items.h"

namespace vantrel::sync {

namespace {

bool RebuildProgramGroups(Platform& platform, const SyncPlaces& places) {
  WriteLog(platform, "Starting Synchronization....", LogWarning);
  CProgramGroup store(platform);
  store.ResetGroups();
  const StoredSources sources = ListStoredSources(platform, places);
  if (!AddStoredItems(store, sources))
    return false;
  // The rebuilt file drops the user's other groups, stopped items and
  // options, so the old file is kept beside it; without that copy the old
  // file is not replaced.
  if (!KeepBackupCopy(platform, store.FilePath()) || !store.WriteItems())
    return false;
  WriteLog(platform, "Finishing Synchronization....", LogInfo);
  return true;
}

} // namespace

bool Synchronize(Platform& platform, const SyncPlaces& places) {
  bool written = false;
  written = RebuildProgramGroups(platform, places);
  if (written)
    platform.MessageBox(0, "Synchronization complete!", kSyncTitle, kMbOk | kMbIconInformation);
  else
    TellNotSynchronized(platform);
  return written;
}

void TellNotSynchronized(Platform& platform) {
  platform.MessageBox(0, "Error Synchronizing Data....", kSyncTitle, kMbOk | kMbIconExclamation);
}

} // namespace vantrel::sync
