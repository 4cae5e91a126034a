#include "common/store/proggroup_file.h"

#include "common/dir_struct.h"
#include "common/program_folder.h"

namespace vantrel::store {

std::string UserProgGroupPath(Platform& platform) {
  std::string user = platform.GetUserName();
  user = user.substr(0, user.find('\0'));
  const std::string folder = ProgramFolder(platform);
  CDirStruct(platform).DirectoryExists(user, folder, true);
  return folder + "\\" + user + "\\proggroup.c";
}

} // namespace vantrel::store
