// Where VantrelSync finds Vantrel's stores and the old layout's folders,
// worked out once at start from the program folder and the shell.
#pragma once

#include <string>

#include "common/platform/platform.h"
#include "common/run_keys.h"

namespace vantrel::sync {

// The old layout kept delayed shortcuts in the Start Menu, in
// Programs\KRV Vantrel\Current User\ and \All Users\.
inline constexpr const char* kOldProgramsFolder = "Programs";
inline constexpr const char* kOldVendorFolder = "KRV Vantrel";
inline constexpr const char* kCurrentUserFolderName = "Current User";
inline constexpr const char* kAllUsersFolderName = "All Users";

struct SyncPlaces {
  // The items folders, each ending in a backslash.
  std::string CurrentUserItemsFolder;
  std::string AllUsersItemsFolder;
  // The Start Menu folders of the user and of all users, without a
  // trailing backslash; empty when the shell knows none.
  std::string CurrentUserStartMenu;
  std::string AllUsersStartMenu;
};

SyncPlaces FindSyncPlaces(Platform& platform);

} // namespace vantrel::sync
