// What Vantrel's stores really hold: the shortcut files of the two items
// folders and the values of the two registry stores, turned into the
// programs of the group Startup.
#pragma once

#include <string>
#include <vector>

#include "common/platform/platform.h"
#include "common/store/program_group.h"
#include "vantrelsync/sync_places.h"

namespace vantrel::sync {

// Listings as CDirStruct and CRegistry give them: one empty entry means
// none. Registry values read "name=data".
struct StoredSources {
  std::vector<std::string> CurrentUserFiles{""};
  std::vector<std::string> AllUsersFiles{""};
  std::vector<std::string> CurrentUserValues{""};
  std::vector<std::string> AllUsersValues{""};
  // The 32-bit view of the all-users store, on a machine that has one
  // (where a 32-bit Vantrel kept its values, and where Vantrel keeps those
  // of the 32-bit view of the Run key). Its values are recorded like the
  // others; a name the 64-bit store holds too is left to that one.
  std::vector<std::string> AllUsersValues32{""};
};

// Lists the four sources. A source that cannot be listed is logged and
// contributes nothing; the others still count.
StoredSources ListStoredSources(Platform& platform, const SyncPlaces& places);

// Adds the group Startup with one program per stored item, all with delay
// 0: the shortcuts by file name, the Run values by their command. False
// when the group cannot take them all.
bool AddStoredItems(CProgramGroup& store, const StoredSources& sources);

} // namespace vantrel::sync
