// Listings and folders: FindFirstFileA and friends, one call each.
#include <cstring>

#include "common/platform/win32/win32_convert.h"
#include "common/platform/win32/win32_platform.h"

namespace vantrel::win32 {

namespace {

void CopyFindData(const WIN32_FIND_DATAA& found, FindData* data) {
  data->attributes = found.dwFileAttributes;
  data->size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
  static_assert(sizeof data->fileName == sizeof found.cFileName);
  std::memcpy(data->fileName, found.cFileName, sizeof data->fileName);
}

} // namespace

FindHandle Win32Platform::FindFirstFile(const std::string& pattern, FindData* data) {
  if (data == nullptr)
    return kInvalidFindHandle;
  WIN32_FIND_DATAA found{};
  const HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return kInvalidFindHandle;
  CopyFindData(found, data);
  return FromHandle(search);
}

bool Win32Platform::FindNextFile(FindHandle handle, FindData* data) {
  if (data == nullptr || handle == kInvalidFindHandle)
    return false;
  WIN32_FIND_DATAA found{};
  if (!::FindNextFileA(ToHandle(handle), &found))
    return false;
  CopyFindData(found, data);
  return true;
}

bool Win32Platform::FindClose(FindHandle handle) {
  return handle != kInvalidFindHandle && ::FindClose(ToHandle(handle)) != FALSE;
}

std::uint32_t Win32Platform::GetFileAttributes(const std::string& path) {
  return ::GetFileAttributesA(path.c_str());
}

bool Win32Platform::CreateDirectory(const std::string& path) {
  return ::CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool Win32Platform::RemoveDirectory(const std::string& path) {
  return ::RemoveDirectoryA(path.c_str()) != FALSE;
}

} // namespace vantrel::win32
