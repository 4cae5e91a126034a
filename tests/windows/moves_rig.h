// Shared set-up of the item-move tests under Wine: the real platform with
// Vantrel's program folder placed in a scratch folder, and guards that give
// the real registry values and Startup-folder files back as they were.
#pragma once

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
// folder: Vantrel's program folder (items, backups, proggroup.c) is there.
class ScratchProgramPlatform : public win32::Win32Platform {
public:
  explicit ScratchProgramPlatform(std::string folder) : folder_(std::move(folder)) {}
  std::string GetModuleFileName() override { return folder_ + "\\Vantrel.exe"; }

private:
  std::string folder_;
};

inline std::optional<std::string> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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

inline bool WriteRegValue(HKEY root, const std::string& path, const std::string& name,
                          const RegText& value) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
    return false;
  win32::UniqueHkey owner(key);
  return ::RegSetValueExA(key, name.c_str(), 0, value.type,
                          reinterpret_cast<const BYTE*>(value.data.data()),
                          static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

inline bool WriteRegText(HKEY root, const std::string& path, const std::string& name,
                         const std::string& text) {
  return WriteRegValue(root, path, name, {REG_SZ, text + '\0'});
}

inline void DeleteRegValue(HKEY root, const std::string& path, const std::string& name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
    return;
  win32::UniqueHkey owner(key);
  ::RegDeleteValueA(key, name.c_str());
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
    if (saved_) {
      std::ofstream out(path_, std::ios::binary | std::ios::trunc);
      out << *saved_;
    }
  }
  FileGuard(const FileGuard&) = delete;
  FileGuard& operator=(const FileGuard&) = delete;

private:
  std::string path_;
  std::optional<std::string> saved_;
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

namespace vantrel::testing::moves {

// Keys a test may create under HKEY_CURRENT_USER (Vantrel's store and its
// parents): those that were not there before are removed afterwards, once
// empty.
class CreatedKeysGuard {
public:
  explicit CreatedKeysGuard(const std::string& path) {
    for (std::size_t at = path.find('\\');; at = path.find('\\', at + 1)) {
      const std::string level = path.substr(0, at);
      HKEY key = nullptr;
      if (::RegOpenKeyExA(HKEY_CURRENT_USER, level.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS)
        ::RegCloseKey(key);
      else
        created_.insert(created_.begin(), level); // deepest first
      if (at == std::string::npos)
        break;
    }
  }
  ~CreatedKeysGuard() {
    for (const std::string& level : created_)
      ::RegDeleteKeyA(HKEY_CURRENT_USER, level.c_str()); // refused unless empty
  }
  CreatedKeysGuard(const CreatedKeysGuard&) = delete;
  CreatedKeysGuard& operator=(const CreatedKeysGuard&) = delete;

private:
  std::vector<std::string> created_;
};

} // namespace vantrel::testing::moves
