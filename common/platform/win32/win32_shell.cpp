// Shell members of Win32Platform: starting programs, special folders and
// the recent-documents list.
#include "common/platform/win32/win32_code_page.h"
#include "common/platform/win32/win32_convert.h"
#include "common/platform/win32/win32_handles.h"
#include "common/platform/win32/win32_platform.h"

namespace vantrel::win32 {

namespace {

// Null for an empty text: the shell then uses its default.
const char* OrNull(const std::string& text) {
  return text.empty() ? nullptr : text.c_str();
}

} // namespace

bool Win32Platform::ShellExecuteEx(ShellExecuteInfo* info) {
  if (info == nullptr)
    return false;
  EnsureCom();
  SHELLEXECUTEINFOA execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = info->mask;
  execute.hwnd = ToHwnd(info->hwnd);
  execute.lpVerb = OrNull(info->verb);
  execute.lpFile = info->file.c_str();
  execute.lpParameters = info->parameters.c_str();
  execute.lpDirectory = OrNull(info->directory);
  execute.nShow = info->show;
  // With SEE_MASK_INVOKEIDLIST Windows makes the item list from lpFile
  // itself; Wine 8 refuses the call (ERROR_INVALID_PARAMETER) unless
  // lpIDList is given. Handing in the list made from the same path starts
  // the same item on both. A path that names no item gives no list, and the
  // shell then answers from the path alone.
  UniqueIdList items;
  if ((info->mask & SEE_MASK_INVOKEIDLIST) == SEE_MASK_INVOKEIDLIST) {
    items.reset(::ILCreateFromPathA(info->file.c_str()));
    execute.lpIDList = items.get();
  }
  const bool started = ::ShellExecuteExA(&execute) != FALSE;
  info->process = FromHandle(execute.hProcess);
  return started;
}

std::intptr_t Win32Platform::ShellExecute(WindowHandle hwnd, const std::string& verb,
                                          const std::string& file, const std::string& parameters,
                                          const std::string& directory, int show) {
  EnsureCom();
  const HINSTANCE result = ::ShellExecuteA(ToHwnd(hwnd), OrNull(verb), file.c_str(),
                                           parameters.c_str(), OrNull(directory), show);
  return reinterpret_cast<std::intptr_t>(result);
}

bool Win32Platform::CloseHandle(ProcessHandle handle) {
  return handle != 0 && ::CloseHandle(ToHandle(handle)) != FALSE;
}

bool Win32Platform::GetSpecialFolderPath(int csidl, std::string* path) {
  if (path == nullptr)
    return false;
  // Asked in UTF-16 and handed on in the process's code page: the 8-bit
  // call would cut a path at MAX_PATH bytes, which UTF-8 reaches sooner.
  // The path comes straight from the shell's folder table: Wine fails the
  // item list of a profile folder whose logon name differs from its Unix
  // user's, while the path itself is right.
  wchar_t buffer[MAX_PATH + 1] = {};
  if (::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer) != S_OK) {
    LPITEMIDLIST items = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &items)) || items == nullptr)
      return false;
    const bool found = ::SHGetPathFromIDListW(items, buffer) != FALSE;
    // The shell's own release, so that ole32 is not needed for it.
    ::ILFree(items);
    if (!found)
      return false;
  }
  std::string folder = WideToProcessCodePage(buffer);
  // Wine gives some folders (Documents) with a trailing backslash, Windows
  // only drive roots; drop it so that callers can append "\" + name.
  if (folder.size() > 3 && folder.back() == '\\')
    folder.pop_back();
  *path = std::move(folder);
  return !path->empty();
}

} // namespace vantrel::win32
