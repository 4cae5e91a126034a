// SHFileOperationA with the seam's record.
#include <vector>

#include "common/platform/win32/win32_convert.h"
#include "common/platform/win32/win32_platform.h"

namespace vantrel::win32 {

namespace {

// The paths of a NUL-separated list that ends in an empty entry.
std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> paths;
  std::size_t start = 0;
  while (start < list.size()) {
    const std::size_t end = list.find('\0', start);
    const std::size_t length = (end == std::string::npos ? list.size() : end) - start;
    if (length == 0)
      break;
    paths.push_back(list.substr(start, length));
    start += length + 1;
  }
  return paths;
}

bool NamesAPattern(const std::string& path) {
  const auto lastSlash = path.find_last_of("\\/");
  const auto name = lastSlash == std::string::npos ? path : path.substr(lastSlash + 1);
  return name.find_first_of("*?") != std::string::npos;
}

// Wine's shell answers 0 for a move whose source does not exist, where
// Windows reports the failure; a source missing before the call means the
// move cannot have succeeded, so the answer is corrected afterwards.
bool AnySourceMissing(const std::string& from) {
  for (const auto& path : SplitList(from)) {
    if (!NamesAPattern(path) && ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
      return true;
  }
  return false;
}

} // namespace

int Win32Platform::ShFileOperation(ShFileOpStruct* op) {
  if (op == nullptr)
    return ERROR_INVALID_PARAMETER;
  // The lists should end in two NULs; one more guarantees that the shell
  // never reads past the end of a list that lacks them.
  const std::string from = op->from + '\0';
  const std::string to = op->to.empty() ? std::string() : op->to + '\0';
  const bool sourceMissing = op->func == FO_MOVE && AnySourceMissing(from);

  SHFILEOPSTRUCTA shell{};
  shell.hwnd = ToHwnd(op->hwnd);
  shell.wFunc = op->func;
  shell.pFrom = from.c_str();
  shell.pTo = to.empty() ? nullptr : to.c_str();
  shell.fFlags = static_cast<FILEOP_FLAGS>(op->flags);
  shell.fAnyOperationsAborted = FALSE;
  shell.hNameMappings = nullptr;
  shell.lpszProgressTitle = op->progressTitle.c_str();
  EnsureCom();
  int result = ::SHFileOperationA(&shell);
  op->anyOperationsAborted = shell.fAnyOperationsAborted != FALSE;
  if (result == 0 && sourceMissing)
    result = ERROR_FILE_NOT_FOUND;
  return result;
}

} // namespace vantrel::win32
