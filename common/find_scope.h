// Owns a directory search for its lifetime, so every path out closes it.
#pragma once

#include <cstring>
#include <string>

#include "common/platform/platform.h"

namespace vantrel {

class FindScope {
public:
  FindScope(Platform& platform, const std::string& pattern)
      : platform_(platform), handle_(platform.FindFirstFile(pattern, &data_)) {}
  ~FindScope() {
    if (valid())
      platform_.FindClose(handle_);
  }
  FindScope(const FindScope&) = delete;
  FindScope& operator=(const FindScope&) = delete;

  bool valid() const { return handle_ != kInvalidFindHandle; }
  // The current entry; next() moves on and says whether there was one.
  const FindData& data() const { return data_; }
  std::string name() const {
    return std::string(data_.fileName, strnlen(data_.fileName, sizeof data_.fileName));
  }
  bool isFolder() const { return (data_.attributes & kFileAttributeDirectory) != 0; }
  bool next() { return platform_.FindNextFile(handle_, &data_); }

private:
  Platform& platform_;
  FindData data_;
  FindHandle handle_;
};

} // namespace vantrel
