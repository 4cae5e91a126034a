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

  // True when path holds an entry named exactly fileName (a folder counts).
  bool FileExists(const std::string& fileName, const std::string& path);
  // True when path holds a folder named exactly folderName; otherwise,
  // with CreateDirectoryIfNotExist, creates that one level and says whether
  // it was made.
  bool DirectoryExists(const std::string& folderName, const std::string& path,
                       bool CreateDirectoryIfNotExist);
  // Lists path's entries except ".", ".." and "desktop.ini" into entries,
  // which is one empty string when there are none.
  bool ReturnFiles(const std::string& path, std::vector<std::string>& entries);
  bool RemoveEmptyDirectory(const std::string& path);

private:
  bool EntryExists(std::string folder, const std::string& name, bool foldersOnly);
  bool MakeDirectory(const std::string& path);
  static std::string TrimAtNul(const char* text, std::size_t capacity);

  Platform& platform_;
};

} // namespace vantrel
