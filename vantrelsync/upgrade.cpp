#include "vantrelsync/upgrade.h"

#include <string>
#include <vector>

#include "common/dir_struct.h"
#include "common/file_functions.h"

namespace vantrel::sync {

namespace {

// FOF_MULTIDESTFILES | FOF_NOCONFIRMATION | FOF_FILESONLY |
// FOF_NOCONFIRMMKDIR: every file, no subfolder, no questions, and the
// items folder is created when missing.
constexpr std::uint32_t kMoveAllFilesFlags =
    kFofMultiDestFiles | kFofNoConfirmation | kFofFilesOnly | kFofNoConfirmMkdir;

void UpgradePair(Platform& platform, const std::string& startMenu, const std::string& folderName,
                 const std::string& itemsFolder) {
  // Without a known Start Menu the old folder would be looked for on the
  // current drive's root, so there is nothing to upgrade.
  if (startMenu.empty())
    return;
  const std::string programs = startMenu + "\\" + kOldProgramsFolder;
  const std::string vendor = programs + "\\" + kOldVendorFolder;
  const std::string oldFolder = vendor + "\\" + folderName + "\\";

  CDirStruct dirs(platform);
  std::vector<std::string> files;
  if (!dirs.ReturnFiles(oldFolder, files) || files.front().empty())
    return;
  CFileFunctions(platform).MoveFile(oldFolder + "*.*", itemsFolder, 0, "", kMoveAllFilesFlags);

  // Only emptied folders go; one that still holds something stays.
  if (!dirs.DirectoryExists(kOldVendorFolder, programs, false))
    return;
  if (dirs.DirectoryExists(folderName, vendor, false))
    dirs.RemoveEmptyDirectory(vendor + "\\" + folderName);
  dirs.RemoveEmptyDirectory(vendor);
}

} // namespace

void UpgradeOldLayout(Platform& platform, const SyncPlaces& places) {
  UpgradePair(platform, places.CurrentUserStartMenu, kCurrentUserFolderName,
              places.CurrentUserItemsFolder);
  UpgradePair(platform, places.AllUsersStartMenu, kAllUsersFolderName, places.AllUsersItemsFolder);
}

} // namespace vantrel::sync
