#include "common/program_folder.h"

#include "common/text.h"

namespace vantrel {

std::string ProgramFolder(Platform& platform) {
  return FolderOf(platform.GetModuleFileName());
}

std::string GetSpecialFolder(Platform& platform, int csidl) {
  std::string path;
  if (!platform.GetSpecialFolderPath(csidl, &path))
    return {};
  // The shell fills a fixed buffer; the path ends at its first NUL.
  return path.substr(0, path.find('\0'));
}

} // namespace vantrel
