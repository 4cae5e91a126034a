// What the Windows tests that touch the real machine share: scratch
// folders and keys, the programs built beside the test binary, the real
// platform with Vantrel's program folder in a scratch folder and nothing
// shown, the real registry read and written as it stores values, undos
// that give values, files and keys back as they were, and a program
// started and waited for.
#pragma once

#include <atomic>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_handles.h"
#include "common/platform/win32/win32_platform.h"
#include "native/crlf_text.h"

namespace vantrel::testing {

// Scratch places for tests against the real Win32 API: a fresh folder
// under %TEMP%, a registry key named after the process, and the programs
// built beside the test binary.

// Deletes a folder with everything in it, read-only files included, as
// Explorer does.
inline void RemoveTree(const std::string& folder) {
  const std::string from = folder + '\0'; // the list ends with a second terminator
  SHFILEOPSTRUCTA operation{nullptr,   FO_DELETE, from.c_str(), nullptr,
                            FOF_NO_UI, FALSE,     nullptr,      nullptr};
  ::SHFileOperationA(&operation);
}

// A new, empty folder under %TEMP% (or under base, which is made when
// missing), without a trailing backslash.
inline std::string NewScratchFolder(const std::string& under = "") {
  static std::atomic<unsigned> counter{0};
  char temp[MAX_PATH + 1] = {};
  const std::string base =
      under.empty() ? std::string(temp, ::GetTempPathA(sizeof temp, temp)) : under + "\\";
  ::CreateDirectoryA(base.c_str(), nullptr);
  const std::string folder = base + "vantrel-test-" + std::to_string(::GetCurrentProcessId()) +
                             "-" + std::to_string(counter++);
  RemoveTree(folder); // a crashed run's with the same process id
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return folder; // when it could not be made, the tests fail on their first file
}

inline constexpr const char* kScratchKeyParent = "Software\\VantrelTest";
// "Software\VantrelTest\<process id>" under HKEY_CURRENT_USER.
inline std::string ScratchKeyPath() {
  return std::string(kScratchKeyParent) + "\\" + std::to_string(::GetCurrentProcessId());
}

// True when ntdll exports wine_get_version.
inline bool RunningUnderWine() {
  const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The folder of the running test binary, where the built exes lie beside it.
inline std::string ThisExeFolder() {
  char path[MAX_PATH + 1] = {};
  const std::string exe(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
  return exe.substr(0, exe.find_last_of('\\'));
}

// Copies a program built beside the test binary into folder (as name when
// given); false when it is not there.
inline bool CopyBuiltExe(const std::string& exe, const std::string& folder,
                         const std::string& as = "") {
  return ::CopyFileA((ThisExeFolder() + "\\" + exe).c_str(),
                     (folder + "\\" + (as.empty() ? exe : as)).c_str(), FALSE) != 0;
}

// The logon name, which names each user's folder beside Vantrel.exe.
inline std::string UserName() {
  char name[257] = {};
  DWORD size = sizeof name;
  return ::GetUserNameA(name, &size) ? std::string(name) : std::string();
}

// Writes a .lnk at linkPath that starts target with arguments, through
// IShellLink as Explorer makes them; false when the shell could not.
inline bool MakeShortcut(const std::string& linkPath, const std::string& target,
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

namespace vantrel::testing::moves {

inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kUserStore = "Software\\Korvane\\Vantrel\\HKCU";

// The real Win32 platform, except that the running exe seems to lie in
// folder, message boxes are recorded as "caption|text" and answered with
// Yes or OK, and shell calls are recorded as "verb|file" and answered
// with shellResult (above 32: started).
class ScratchProgramPlatform : public win32::Win32Platform {
public:
  explicit ScratchProgramPlatform(std::string folder) : folder_(std::move(folder)) {}
  std::string GetModuleFileName() override { return folder_ + "\\Vantrel.exe"; }
  int MessageBox(WindowHandle, const std::string& text, const std::string& caption,
                 std::uint32_t flags) override {
    boxes.push_back(caption + "|" + text);
    return (flags & 0x0F) == MB_YESNO ? IDYES : IDOK;
  }
  std::intptr_t ShellExecute(WindowHandle, const std::string& verb, const std::string& file,
                             const std::string&, const std::string&, int) override {
    shellExecutes.push_back(verb + "|" + file);
    return shellResult;
  }

  std::vector<std::string> boxes;
  std::vector<std::string> shellExecutes;
  std::intptr_t shellResult = 42;

private:
  std::string folder_;
};

inline std::optional<std::string> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

struct RegText {
  DWORD type = REG_NONE;
  std::string data; // as stored, terminator included

  bool operator==(const RegText&) const = default;
};

inline RegText Sz(const std::string& text) {
  return {REG_SZ, text + '\0'};
}

inline std::optional<RegText> ReadRegValue(HKEY root, const std::string& path,
                                           const std::string& name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return std::nullopt;
  win32::UniqueHkey owner(key);
  DWORD type = 0, size = 0;
  if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  RegText value{type, std::string(size, '\0')};
  ::RegQueryValueExA(key, name.c_str(), nullptr, nullptr,
                     reinterpret_cast<BYTE*>(value.data.data()), &size);
  value.data.resize(size);
  return value;
}

// Creates the key when it is missing.
inline bool WriteRegValue(HKEY root, const std::string& path, const std::string& name,
                          const RegText& value) {
  return ::RegSetKeyValueA(root, path.c_str(), name.c_str(), value.type, value.data.data(),
                           static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

inline void DeleteRegValue(HKEY root, const std::string& path, const std::string& name) {
  ::RegDeleteKeyValueA(root, path.c_str(), name.c_str());
}

// Runs its action when the last copy goes (a test's change of the machine
// undone).
using Undo = std::shared_ptr<void>;
inline Undo OnExit(std::function<void()> action) {
  return Undo(nullptr, [action](void*) { action(); });
}

// One named value taken away for a test, put back afterwards as it was.
inline Undo HoldRegValue(HKEY root, const std::string& path, const std::string& name) {
  const auto saved = ReadRegValue(root, path, name);
  DeleteRegValue(root, path, name);
  return OnExit([=] {
    DeleteRegValue(root, path, name);
    if (saved)
      WriteRegValue(root, path, name, *saved);
  });
}

// A file in a real folder (a Startup folder): whatever had that name
// before is put back afterwards.
inline Undo HoldFile(const std::string& path) {
  const auto saved = ReadFileBytes(path);
  ::DeleteFileA(path.c_str());
  return OnExit([=] {
    ::DeleteFileA(path.c_str());
    if (saved)
      WriteFileBytes(path, *saved);
  });
}

// Keys a test may create (Vantrel's store and its parents): those that
// were not there before are removed afterwards, once empty.
inline Undo HoldNewKeys(const std::string& path, HKEY root = HKEY_CURRENT_USER) {
  std::vector<std::string> created; // deepest first
  for (std::size_t at = path.find('\\');; at = path.find('\\', at + 1)) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path.substr(0, at).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
      created.insert(created.begin(), path.substr(0, at));
    win32::UniqueHkey owner(key);
    if (at == std::string::npos)
      break;
  }
  return OnExit([=] {
    for (const std::string& level : created)
      ::RegDeleteKeyA(root, level.c_str()); // refused unless empty
  });
}

// Starts a program and waits for it; its exit code, or nothing when it
// did not start or end in time.
inline std::optional<DWORD> RunAndWait(std::string commandLine, DWORD timeoutMs = 60000) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
    return std::nullopt;
  win32::UniqueKernelHandle processHandle(process.hProcess);
  win32::UniqueKernelHandle threadHandle(process.hThread);
  DWORD code = 0;
  if (::WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.hProcess, 99);
    return std::nullopt;
  }
  ::GetExitCodeProcess(process.hProcess, &code);
  return code;
}

// The lines recorder.exe left in folder, once count of them are there (or
// after 5 s).
inline std::vector<std::string> RecordedLines(const std::string& folder, std::size_t count) {
  std::vector<std::string> lines;
  for (int i = 0; i < 100 && lines.size() < count; ++i, ::Sleep(50))
    lines = test_text::CrLfLinesOf(ReadFileBytes(folder + "\\recorder.txt").value_or(""));
  return lines;
}

} // namespace vantrel::testing::moves
