#include "windows/support/scratch.h"

#include <atomic>

#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_handles.h"

namespace vantrel::testing {

std::string NewScratchFolder(const std::string& under) {
  static std::atomic<unsigned> counter{0};
  char temp[MAX_PATH + 1] = {};
  const DWORD length = under.empty() ? ::GetTempPathA(sizeof temp, temp) : 0;
  std::string base = under.empty() ? std::string(temp, length) : under;
  if (!under.empty())
    ::CreateDirectoryA(under.c_str(), nullptr);
  while (!base.empty() && base.back() == '\\')
    base.pop_back();
  const std::string prefix =
      base + "\\vantrel-test-" + std::to_string(::GetCurrentProcessId()) + "-";
  for (;;) {
    const std::string folder = prefix + std::to_string(counter++);
    if (::CreateDirectoryA(folder.c_str(), nullptr))
      return folder;
    if (::GetLastError() != ERROR_ALREADY_EXISTS)
      return folder; // the tests then fail on their first file
  }
}

std::string ScratchKeyPath() {
  return std::string(kScratchKeyParent) + "\\" + std::to_string(::GetCurrentProcessId());
}

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found{};
  {
    win32::UniqueFind search(::FindFirstFileA((folder + "\\*").c_str(), &found));
    if (search.valid()) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
          continue;
        const std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(path);
        } else {
          ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
          ::DeleteFileA(path.c_str());
        }
      } while (::FindNextFileA(search.get(), &found));
    }
  }
  ::SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_DIRECTORY);
  ::RemoveDirectoryA(folder.c_str());
}

bool RunningUnderWine() {
  const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string ThisExeFolder() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string exe(path, length);
  return exe.substr(0, exe.find_last_of('\\'));
}

std::string UserName() {
  char name[257] = {};
  DWORD size = sizeof name;
  return ::GetUserNameA(name, &size) ? std::string(name) : std::string();
}

} // namespace vantrel::testing
