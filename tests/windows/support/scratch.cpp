#include "windows/support/scratch.h"

#include <atomic>

#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_handles.h"

namespace vantrel::testing {

std::string NewScratchFolder(const std::string& under) {
  static std::atomic<unsigned> counter{0};
  char temp[MAX_PATH + 1] = {};
  std::string base = under.empty() ? std::string(temp, ::GetTempPathA(sizeof temp, temp)) : under;
  ::CreateDirectoryA(base.c_str(), nullptr);
  if (base.back() == '\\')
    base.pop_back();
  for (;;) {
    const std::string folder = base + "\\vantrel-test-" + std::to_string(::GetCurrentProcessId()) +
                               "-" + std::to_string(counter++);
    if (::CreateDirectoryA(folder.c_str(), nullptr) || ::GetLastError() != ERROR_ALREADY_EXISTS)
      return folder; // when it could not be made, the tests fail on their first file
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

bool CopyBuiltExe(const std::string& exe, const std::string& folder, const std::string& as) {
  return ::CopyFileA((ThisExeFolder() + "\\" + exe).c_str(),
                     (folder + "\\" + (as.empty() ? exe : as)).c_str(), FALSE) != 0;
}

std::string UserName() {
  char name[257] = {};
  DWORD size = sizeof name;
  return ::GetUserNameA(name, &size) ? std::string(name) : std::string();
}

bool MakeShortcut(const std::string& linkPath, const std::string& target,
                  const std::string& arguments) {
  // {00021401-0000-0000-C000-000000000046}, {000214EE-...}, {0000010B-...}
  static const CLSID kShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  static const IID kIShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  static const IID kIPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool saved = false;
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(::CoCreateInstance(kShellLink, nullptr, CLSCTX_INPROC_SERVER, kIShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
    link->SetPath(target.c_str());
    link->SetArguments(arguments.c_str());
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(kIPersistFile, reinterpret_cast<void**>(&file)))) {
      wchar_t wide[MAX_PATH] = {};
      ::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
      saved = SUCCEEDED(file->Save(wide, TRUE));
      file->Release();
    }
    link->Release();
  }
  if (SUCCEEDED(com))
    ::CoUninitialize();
  return saved;
}

} // namespace vantrel::testing
