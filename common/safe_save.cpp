#include "common/safe_save.h"

namespace vantrel {

namespace {

bool FileExists(Platform& platform, const std::string& path) {
  const auto attributes = platform.GetFileAttributes(path);
  return attributes != kInvalidFileAttributes && (attributes & kFileAttributeDirectory) == 0;
}

} // namespace

bool SaveFileSafely(Platform& platform, const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".tmp";
  if (platform.WriteWholeFile(temporary, bytes) && platform.ReplaceFile(temporary, path))
    return true;
  platform.DeleteFile(temporary);
  return false;
}

bool KeepBackupCopy(Platform& platform, const std::string& path) {
  if (!FileExists(platform, path))
    return true;
  const std::string backup = path + ".bak";
  if (FileExists(platform, backup))
    platform.DeleteFile(backup);
  return platform.CopyFile(path, backup);
}

} // namespace vantrel
