// Where the value of a delayed Run-value record is kept: which root, and
// for all users which registry view.
#pragma once

#include <string>

#include "common/store/store_tables.h"
#include "vantrel/app/app_context.h"

namespace vantrel {

// The store that keeps the value of a delayed "ExecuteReg"/"ExecuteRegAU"
// program, and the view it lies in: the current user's, or the all-users
// store of the 64-bit view, else of the 32-bit view (where a 32-bit
// Vantrel kept its values). False for any other program.
struct StoredRunValueKey {
  RegKey root = kHkeyCurrentUser;
  std::uint32_t view = 0;
};
bool FindStoredRunValueKey(Platform& platform, const ProgramEntry& program, StoredRunValueKey& key);

} // namespace vantrel
