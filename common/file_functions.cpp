#include "common/file_functions.h"

#include <cstring>
#include <vector>

#include "common/find_scope.h"
#include "common/text.h"

namespace vantrel {

namespace {

std::string DefaultTitle(std::uint32_t operation) {
  switch (operation) {
  case kFoCopy:
    return "Copying...";
  case kFoDelete:
    return "Deleting...";
  case kFoMove:
    return "Moving...";
  case kFoRename:
    return "Renaming...";
  default:
    return {};
  }
}

bool HasWildcard(const std::string& path) {
  return FileNameOf(path).find_first_of("*?") != std::string::npos;
}

bool FolderExists(Platform& platform, const std::string& path) {
  const auto attributes = platform.GetFileAttributes(path);
  return attributes != kInvalidFileAttributes && (attributes & kFileAttributeDirectory) != 0;
}

// Creates every missing level of a folder path, as the shell does for a
// destination when it is allowed to without asking.
void CreateFolderPath(Platform& platform, const std::string& folder) {
  if (folder.empty() || FolderExists(platform, folder))
    return;
  const std::string parent = FolderOf(folder);
  if (!parent.empty() && parent != folder && !EndsWith(parent, ":"))
    CreateFolderPath(platform, parent);
  platform.CreateDirectory(folder);
}

// The files (and, unless filesOnly, folders) a wildcard source stands for.
std::vector<std::string> ExpandWildcard(Platform& platform, const std::string& pattern,
                                        bool filesOnly) {
  std::vector<std::string> names;
  FindScope search(platform, pattern);
  if (!search.valid())
    return names;
  do {
    std::string name = search.name();
    if (name == "." || name == ".." || (filesOnly && search.isFolder()))
      continue;
    names.push_back(std::move(name));
  } while (search.next());
  return names;
}

int CallShell(Platform& platform, std::uint32_t operation, const std::string& source,
              const std::string& destination, WindowHandle hwnd, const std::string& title,
              std::uint32_t flags) {
  ShFileOpStruct op;
  op.hwnd = hwnd;
  op.func = operation;
  // Each list ends in two NULs: one after the path, one as the terminator.
  op.from = source + std::string(2, '\0');
  if (!destination.empty())
    op.to = destination + std::string(2, '\0');
  op.flags = flags;
  op.progressTitle = title;
  return platform.ShFileOperation(&op);
}

} // namespace

int CFileFunctions::FileOperation(std::uint32_t operation, const std::string& source,
                                  const std::string& destination, WindowHandle hwnd,
                                  const std::string& title, std::uint32_t flags) {
  if (source.empty() || (operation != kFoDelete && destination.empty()))
    return 0;
  const std::string shownTitle = title.empty() ? DefaultTitle(operation) : title;
  const bool transfer = operation == kFoMove || operation == kFoCopy;
  const bool wildcard = HasWildcard(source);

  // Some shells (Wine's among them) neither create a missing destination
  // folder nor take a wildcard source together with FOF_MULTIDESTFILES.
  // Creating the folder first and handing the shell one file at a time
  // gives the documented outcome everywhere. Windows makes the folder
  // without asking under FOF_NOCONFIRMMKDIR, and under FOF_NOCONFIRMATION,
  // which answers its question with yes.
  if (transfer && (flags & (kFofNoConfirmMkdir | kFofNoConfirmation)) != 0)
    CreateFolderPath(platform_, wildcard ? destination : FolderOf(destination));

  if (!(transfer && wildcard))
    return CallShell(platform_, operation, source, destination, hwnd, shownTitle, flags);

  const std::string sourceFolder = WithTrailingBackslash(FolderOf(source));
  const std::string targetFolder = WithTrailingBackslash(destination);
  int result = 0;
  for (const auto& name : ExpandWildcard(platform_, source, (flags & kFofFilesOnly) != 0)) {
    const int rc = CallShell(platform_, operation, sourceFolder + name, targetFolder + name, hwnd,
                             shownTitle, flags & ~kFofMultiDestFiles);
    if (result == 0)
      result = rc;
  }
  return result;
}

int CFileFunctions::DeleteFile(const std::string& path, WindowHandle hwnd, const std::string& title,
                               std::uint32_t flags) {
  return FileOperation(kFoDelete, path, "", hwnd, title, flags);
}

int CFileFunctions::MoveFile(const std::string& source, const std::string& destination,
                             WindowHandle hwnd, const std::string& title, std::uint32_t flags) {
  return FileOperation(kFoMove, source, destination, hwnd, title, flags);
}

} // namespace vantrel
