// Process and user members of Win32Platform.
#include <cstring>
#include <vector>

#include "common/platform/win32/win32_code_page.h"
#include "common/platform/win32/win32_convert.h"
#include "common/platform/win32/win32_platform.h"

namespace vantrel::win32 {

std::string Win32Platform::GetUserName() {
  // Asked in UTF-16: Wine's GetUserNameA cuts a name beyond ASCII to as
  // many bytes as it has characters.
  wchar_t buffer[256 + 1] = {};
  DWORD size = sizeof buffer / sizeof buffer[0];
  if (!::GetUserNameW(buffer, &size))
    return {};
  return WideToProcessCodePage(buffer);
}

std::string Win32Platform::GetModuleFileName() {
  // The answer is cut to fit without a word; grow until it fits.
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0)
      return {};
    if (length < buffer.size())
      return std::string(buffer.data(), length);
    if (buffer.size() >= 32768)
      return {};
    buffer.resize(buffer.size() * 2);
  }
}

std::string Win32Platform::GetCommandLine() {
  const char* line = ::GetCommandLineA();
  return line != nullptr ? std::string(line) : std::string();
}

std::string Win32Platform::GetCurrentDirectory() {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const DWORD needed = ::GetCurrentDirectoryA(0, nullptr);
    if (needed == 0)
      return {};
    std::vector<char> buffer(needed);
    const DWORD length = ::GetCurrentDirectoryA(needed, buffer.data());
    if (length == 0)
      return {};
    if (length < needed)
      return std::string(buffer.data(), length);
    // The folder changed in between and got longer: ask again.
  }
  return {};
}

bool Win32Platform::CreateNamedMutex(const std::string& name, bool* alreadyExists) {
  const HANDLE mutex = ::CreateMutexA(nullptr, FALSE, name.c_str());
  const DWORD error = ::GetLastError();
  // A mutex that another user's (or an elevated) process made may refuse
  // to be opened: it exists all the same.
  const bool exists =
      mutex != nullptr ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
  if (alreadyExists != nullptr)
    *alreadyExists = exists;
  // Deliberately never closed: the name must stay taken until the process
  // ends, and the system closes the handle then.
  return mutex != nullptr || exists;
}

std::string Win32Platform::ExpandEnvironmentStrings(const std::string& text) {
  // The count that comes back may be in characters rather than bytes (Wine
  // does so), which under the UTF-8 code page is up to four times fewer:
  // the buffer gets room for four bytes a character, and the text ends at
  // its NUL, not at the count.
  const DWORD needed = ::ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
  if (needed == 0)
    return text;
  const DWORD room = needed * 4 + 1;
  std::string expanded(room, '\0');
  const DWORD written = ::ExpandEnvironmentStringsA(text.c_str(), expanded.data(), room);
  if (written == 0 || written > room)
    return text;
  expanded.resize(std::strlen(expanded.c_str()));
  return expanded;
}

bool Win32Platform::ActivateWindowByTitle(const std::string& title) {
  const HWND window = ::FindWindowA(nullptr, title.c_str());
  if (window == nullptr)
    return false;
  if (::IsIconic(window))
    ::ShowWindow(window, SW_RESTORE);
  // Windows may refuse the foreground to a process that is not in front;
  // the window is then flashed instead, which is all that can be done.
  ::SetForegroundWindow(window);
  return true;
}

} // namespace vantrel::win32
