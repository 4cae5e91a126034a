#include "common/program_folder.h"

namespace vantrel {

std::string ProgramFolder(Platform& platform) {
  const std::string exe = platform.GetModuleFileName();
  const auto lastSlash = exe.find_last_of('\\');
  return lastSlash == std::string::npos ? std::string() : exe.substr(0, lastSlash);
}

std::string GetSpecialFolder(Platform& platform, int csidl) {
  std::string path;
  if (!platform.GetSpecialFolderPath(csidl, &path))
    return {};
  // The shell fills a fixed buffer; the path ends at its first NUL.
  return path.substr(0, path.find('\0'));
}

} // namespace vantrel
