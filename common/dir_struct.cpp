#include "common/dir_struct.h"

#include <cstring>

#include "common/find_scope.h"
#include "common/text.h"

namespace vantrel {

namespace {

// Collapses doubled backslashes the way the search patterns need, but keeps
// the two that open a UNC path (\\server\share), which would otherwise turn
// into a path on the current drive.
std::string CollapseDoubledBackslashes(const std::string& path) {
  if (StartsWith(path, "\\\\"))
    return "\\\\" + ReplaceAll(std::string_view(path).substr(2), "\\\\", "\\");
  return ReplaceAll(path, "\\\\", "\\");
}

bool IsDotEntry(const std::string& name) {
  return name == "." || name == "..";
}

} // namespace

std::string CDirStruct::TrimAtNul(const char* text, std::size_t capacity) {
  return std::string(text, strnlen(text, capacity));
}

bool CDirStruct::EntryExists(std::string folder, const std::string& name, bool foldersOnly) {
  folder = WithTrailingBackslash(folder);
  const std::string pattern = CollapseDoubledBackslashes(folder + name);
  FindScope search(platform_, pattern);
  if (!search.valid())
    return false;
  bool found = false;
  do {
    const std::string entry = TrimAtNul(search.data().fileName, sizeof search.data().fileName);
    if (IsDotEntry(entry))
      continue;
    if (entry == name && (!foldersOnly || search.isFolder()))
      found = true;
  } while (search.next());
  return found;
}

bool CDirStruct::MakeDirectory(const std::string& path) {
  return platform_.CreateDirectory(path);
}

bool CDirStruct::FileExists(const std::string& fileName, const std::string& path) {
  return EntryExists(path, fileName, false);
}

bool CDirStruct::DirectoryExists(const std::string& folderName, const std::string& path,
                                 bool CreateDirectoryIfNotExist) {
  if (EntryExists(path, folderName, true))
    return true;
  if (!CreateDirectoryIfNotExist)
    return false;
  return MakeDirectory(WithTrailingBackslash(path) + folderName);
}

bool CDirStruct::ReturnFiles(const std::string& path, std::vector<std::string>& entries) {
  entries.assign(1, std::string());
  const std::string pattern = CollapseDoubledBackslashes(WithTrailingBackslash(path) + "*.*");
  FindScope search(platform_, pattern);
  if (!search.valid())
    return true;
  do {
    std::string entry = TrimAtNul(search.data().fileName, sizeof search.data().fileName);
    if (IsDotEntry(entry) || entry == "desktop.ini")
      continue;
    if (entries.back().empty())
      entries.back() = std::move(entry);
    else
      entries.push_back(std::move(entry));
  } while (search.next());
  return true;
}

bool CDirStruct::RemoveEmptyDirectory(const std::string& path) {
  if (path.empty())
    return false;
  return platform_.RemoveDirectory(path);
}

} // namespace vantrel
