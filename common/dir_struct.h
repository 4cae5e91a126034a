// CDirStruct: existence tests, folder creation, listing and removal,
// answered from directory listings (FindFirstFile/FindNextFile) rather
// than path tests, so "exists" means a listing shows that exact name.
#pragma once

#include <string>
#include <vector>

#include "common/platform/platform.h"

namespace vantrel {

class CDirStruct {
public:
  explicit CDirStruct(Platform& platform) : platform_(platform) {}

  // True when Path holds an entry named exactly FileName (a folder counts).
  bool FileExists(const std::string& FileName, const std::string& Path);
  // True when Path holds a folder named exactly DirectoryName; otherwise,
  // with CreateDirectoryIfNotExist, creates that one level and says whether
  // it was made.
  bool DirectoryExists(const std::string& DirectoryName, const std::string& Path,
                       bool CreateDirectoryIfNotExist);
  // Lists Path's entries except ".", ".." and "desktop.ini" into Buffer,
  // which is one empty string when there are none.
  bool ReturnFiles(const std::string& Path, std::vector<std::string>& Buffer);
  bool RemoveEmptyDirectory(const std::string& Path);

private:
  bool EntryExists(std::string folder, const std::string& name, bool foldersOnly);
  bool MakeDirectory(const std::string& path);
  static std::string TrimAtNul(const char* text, std::size_t capacity);

  Platform& platform_;
};

} // namespace vantrel
