#include "vantrelsync/sync_places.h"

#include "common/program_folder.h"

namespace vantrel::sync {

SyncPlaces FindSyncPlaces(Platform& platform) {
  const std::string items = ProgramFolder(platform) + "\\Vantrel Items\\";
  SyncPlaces places;
  places.CurrentUserItemsFolder = items + kCurrentUserFolderName + "\\";
  places.AllUsersItemsFolder = items + kAllUsersFolderName + "\\";
  places.CurrentUserStartMenu = GetSpecialFolder(platform, kCsidlStartMenu);
  places.AllUsersStartMenu = GetSpecialFolder(platform, kCsidlCommonStartMenu);
  return places;
}

} // namespace vantrel::sync
