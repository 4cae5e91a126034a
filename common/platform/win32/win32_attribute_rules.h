// Windows refuses to write over, append to or replace a read-only file,
// CreateFile with CREATE_ALWAYS an existing hidden or system file, and
// CopyFile an existing hidden one. Wine run as root lets all of these pass
// (the Unix permission check does not stop root, and Wine does not check
// the attributes itself), so the attributes are looked at first: that
// gives the Windows answer on both.
#pragma once

#include <string>

#include "common/platform/win32/win32_api.h"

namespace vantrel::win32 {

// True, with ERROR_ACCESS_DENIED as the last error, when path exists and
// has any of the refused attributes.
inline bool RefusedByAttributes(const std::string& path, DWORD refused) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & refused) == 0)
    return false;
  ::SetLastError(ERROR_ACCESS_DENIED);
  return true;
}

} // namespace vantrel::win32
