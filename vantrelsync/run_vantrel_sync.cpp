#include "vantrelsync/run_vantrel_sync.h"

#include "common/unpassed_names.h"

#include "vantrelsync/sync_command_line.h"
#include "vantrelsync/sync_places.h"
#include "vantrelsync/synchronize.h"
#include "vantrelsync/upgrade.h"

namespace vantrel::sync {

int RunVantrelSync(Platform& platform, const std::string& commandLine) {
  const SyncAction action = ChooseSyncAction(commandLine);
  if (action == SyncAction::kNothing)
    return 0;
  // VantrelSync has no window, but a run that cannot find its files says
  // why rather than ending without a word.
  if (const auto unpassed = UnpassedProgramPlaces(platform)) {
    platform.MessageBox(0, *unpassed, "VantrelSync", kMbOk | kMbIconExclamation);
    return 1;
  }
  try {
    const SyncPlaces places = FindSyncPlaces(platform);
    // An upgrade that breaks off leaves the files where they are and does
    // not go on to synchronise.
    if (action == SyncAction::kUpgrade)
      UpgradeOldLayout(platform, places);
    return Synchronize(platform, places) ? 0 : 1;
  } catch (...) {
    // An entry (common/exception_policy.h): memory ran out, and the old
    // file stands.
    TellNotSynchronized(platform);
    return 1;
  }
}

} // namespace vantrel::sync
