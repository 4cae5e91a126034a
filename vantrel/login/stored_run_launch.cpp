#include "vantrel/login/stored_run_launch.h"

#include "common/registry.h"
#include "common/run_keys.h"
#include "common/store/startup_group.h"

namespace vantrel {

bool FindStoredRunValueKey(Platform& platform, const ProgramEntry& program,
                           StoredRunValueKey& key) {
  if (program.Command == kCommandExecuteReg) {
    key = {kHkeyCurrentUser, 0};
    return true;
  }
  if (program.Command != kCommandExecuteRegAU)
    return false;
  key = {kHkeyLocalMachine, 0};
  if (!CRegistry(platform).GetValueType(kHkeyLocalMachine, kAllUsersRunStore,
                                        program.RegistryName) &&
      CRegistry(platform, kKeyWow64_32Key)
          .GetValueType(kHkeyLocalMachine, kAllUsersRunStore, program.RegistryName))
    key.view = kKeyWow64_32Key;
  return true;
}

} // namespace vantrel
