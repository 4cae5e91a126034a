// What the Windows tests that touch the real machine share: the real
// platform with Vantrel's program folder in a scratch folder and nothing
// shown, the real registry read and written as it stores values, guards
// that give values, files and keys back as they were, and a program
// started and waited for.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_handles.h"
#include "common/platform/win32/win32_platform.h"
#include "windows/support/scratch.h"

namespace vantrel::testing::moves {

inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kUserStore = "Software\\Korvane\\Vantrel\\HKCU";

// The real Win32 platform, except that the running exe seems to lie in
// folder (Vantrel's items, backups and proggroup.c are there), message
// boxes are recorded as "caption|text" and answered with Yes or OK, and
// shell calls are recorded as "verb|file" and answered with shellResult
// (above 32: started).
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

inline bool PathExists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct RegText {
  DWORD type = REG_NONE;
  std::string data; // as stored, terminator included

  bool operator==(const RegText&) const = default;
};

inline std::optional<RegText> ReadRegValue(HKEY root, const std::string& path,
                                           const std::string& name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return std::nullopt;
  win32::UniqueHkey owner(key);
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  RegText value{type, std::string(size, '\0')};
  ::RegQueryValueExA(key, name.c_str(), nullptr, nullptr,
                     reinterpret_cast<BYTE*>(value.data.data()), &size);
  value.data.resize(size);
  return value;
}

// A REG_SZ value's text, without its terminator.
inline std::optional<std::string> ReadRegText(HKEY root, const std::string& path,
                                              const std::string& name) {
  const auto value = ReadRegValue(root, path, name);
  if (!value || value->type != REG_SZ)
    return std::nullopt;
  return value->data.substr(0, value->data.find('\0'));
}

// Creates the key when it is missing.
inline bool WriteRegValue(HKEY root, const std::string& path, const std::string& name,
                          const RegText& value) {
  return ::RegSetKeyValueA(root, path.c_str(), name.c_str(), value.type, value.data.data(),
                           static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

inline bool WriteRegText(HKEY root, const std::string& path, const std::string& name,
                         const std::string& text) {
  return WriteRegValue(root, path, name, {REG_SZ, text + '\0'});
}

inline void DeleteRegValue(HKEY root, const std::string& path, const std::string& name) {
  ::RegDeleteKeyValueA(root, path.c_str(), name.c_str());
}

// The names of a key's values.
inline std::vector<std::string> RegValueNames(HKEY root, const std::string& path) {
  std::vector<std::string> names;
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return names;
  win32::UniqueHkey owner(key);
  char name[16384];
  for (DWORD size = sizeof name;
       ::RegEnumValueA(key, static_cast<DWORD>(names.size()), name, &size, nullptr, nullptr,
                       nullptr, nullptr) == ERROR_SUCCESS;
       size = sizeof name)
    names.emplace_back(name, size);
  return names;
}

// One named value, taken away for a test and put back afterwards as it was
// (or left absent when it was absent).
class RegValueGuard {
public:
  RegValueGuard(HKEY root, std::string path, std::string name)
      : root_(root), path_(std::move(path)), name_(std::move(name)),
        saved_(ReadRegValue(root_, path_, name_)) {
    DeleteRegValue(root_, path_, name_);
  }
  ~RegValueGuard() {
    DeleteRegValue(root_, path_, name_);
    if (saved_)
      WriteRegValue(root_, path_, name_, *saved_);
  }
  RegValueGuard(const RegValueGuard&) = delete;
  RegValueGuard& operator=(const RegValueGuard&) = delete;

private:
  HKEY root_;
  std::string path_;
  std::string name_;
  std::optional<RegText> saved_;
};

// A file in a real folder (a Startup folder) that a test makes: whatever
// had that name before is put back afterwards.
class FileGuard {
public:
  explicit FileGuard(std::string path) : path_(std::move(path)), saved_(ReadFileBytes(path_)) {
    ::DeleteFileA(path_.c_str());
  }
  ~FileGuard() {
    ::DeleteFileA(path_.c_str());
    if (saved_)
      WriteFileBytes(path_, *saved_);
  }
  FileGuard(const FileGuard&) = delete;
  FileGuard& operator=(const FileGuard&) = delete;

private:
  std::string path_;
  std::optional<std::string> saved_;
};

// Keys a test may create (Vantrel's store and its parents): those that were
// not there before are removed afterwards, once empty.
class CreatedKeysGuard {
public:
  explicit CreatedKeysGuard(const std::string& path, HKEY root = HKEY_CURRENT_USER) : root_(root) {
    for (std::size_t at = path.find('\\');; at = path.find('\\', at + 1)) {
      const std::string level = path.substr(0, at);
      HKEY key = nullptr;
      if (::RegOpenKeyExA(root, level.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS)
        ::RegCloseKey(key);
      else
        created_.insert(created_.begin(), level); // deepest first
      if (at == std::string::npos)
        break;
    }
  }
  ~CreatedKeysGuard() {
    for (const std::string& level : created_)
      ::RegDeleteKeyA(root_, level.c_str()); // refused unless empty
  }
  CreatedKeysGuard(const CreatedKeysGuard&) = delete;
  CreatedKeysGuard& operator=(const CreatedKeysGuard&) = delete;

private:
  HKEY root_;
  std::vector<std::string> created_;
};

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
  if (::WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.hProcess, 99);
    return std::nullopt;
  }
  DWORD code = 0;
  ::GetExitCodeProcess(process.hProcess, &code);
  return code;
}

} // namespace vantrel::testing::moves
