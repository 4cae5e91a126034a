// One simulated Windows machine: its registry, file system, clock and
// scripted messages, the shell's special folders, the named mutexes and
// the windows of running programs. Several SimPlatform objects (processes)
// may run on one world, as a second instance of a program would.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/platform/platform.h"
#include "common/platform/sim/sim_clock.h"
#include "common/platform/sim/sim_faults.h"
#include "common/platform/sim/sim_filesystem.h"
#include "common/platform/sim/sim_registry.h"

namespace vantrel::sim {

class SimWorld {
public:
  // A machine with drive C:, the user "Tester"'s Start Menu and Startup
  // folders, both Run keys, and Vantrel's program folder.
  SimWorld();
  SimWorld(const SimWorld&) = delete;
  SimWorld& operator=(const SimWorld&) = delete;

  // Asked before each change the machine makes (see SimOp).
  SimFaultHook faults;

  SimRegistry& registry() { return registry_; }
  SimFileSystem& files() { return files_; }
  SimClock& clock() { return clock_; }

  // The environment every process of the machine has, names matched
  // without regard to case.
  std::map<std::string, std::string, NameLess> environment{
      {"SystemDrive", "C:"}, {"SystemRoot", "C:\\Windows"}, {"windir", "C:\\Windows"}};

  // --- Registry. Without administrator rights writes under
  // HKEY_LOCAL_MACHINE fail with access denied; reads still work.
  void SetAdmin(bool admin) { registry_.SetAdmin(admin); }
  // Stores text as REG_SZ with its terminating NUL, creating the keys.
  void RegSetString(RegKey root, const std::string& path, const std::string& name,
                    const std::string& text);
  void RegSetRaw(RegKey root, const std::string& path, const std::string& name, std::uint32_t type,
                 const std::string& bytes) {
    registry_.SetValue(root, path, name, type, bytes);
  }
  // A REG_SZ value's text up to its first NUL; nothing for other types.
  std::optional<std::string> RegGetString(RegKey root, const std::string& path,
                                          const std::string& name) const;
  std::optional<SimRegValue> RegGetValue(RegKey root, const std::string& path,
                                         const std::string& name) const {
    return registry_.GetValue(root, path, name);
  }
  bool RegKeyExists(RegKey root, const std::string& path) const {
    return registry_.FindKey(root, path) != nullptr;
  }
  // Value names in enumeration order.
  std::vector<std::string> RegValueNames(RegKey root, const std::string& path) const;

  // --- Files (relative paths start at "C:\").
  bool AddFile(const std::string& path, const std::string& bytes) {
    return files_.AddFile(path, bytes);
  }
  std::optional<std::string> ReadFile(const std::string& path) const {
    return files_.ReadFile(path);
  }
  bool Exists(const std::string& path) const { return files_.Exists(path); }
  bool IsFolder(const std::string& path) const { return files_.IsFolder(path); }
  bool MakeDirs(const std::string& path) { return files_.MakeDirs(path); }
  std::vector<std::string> ListAll() const { return files_.ListAll(); }
  std::vector<std::string> List(const std::string& folder) const { return files_.Names(folder); }
  // A locked file refuses every access, as one held open elsewhere does.
  bool LockFile(const std::string& path, bool locked = true) {
    return files_.SetLocked(path, locked);
  }
  // Nothing inside a read-only folder, at any depth, may be created,
  // written, moved or deleted, and the folder itself may not go.
  bool SetFolderReadOnly(const std::string& path, bool readOnly = true) {
    return files_.SetReadOnlyFolder(path, readOnly);
  }
  bool SetFileAttributes(const std::string& path, std::uint32_t attributes) {
    return files_.SetAttributes(path, attributes);
  }
  void SetDiskLimit(std::optional<std::uint64_t> bytes) { files_.SetDiskLimit(bytes); }

  // --- Time and scripted window messages.
  std::uint64_t Now() const { return clock_.now(); }
  void ScheduleMessage(std::uint64_t atMs, std::function<void()> callback) {
    clock_.Schedule(atMs, std::move(callback));
  }

  // --- Shell special folders by CSIDL number.
  void SetSpecialFolder(int csidl, const std::string& path) { specialFolders_[csidl] = path; }
  void RemoveSpecialFolder(int csidl) { specialFolders_.erase(csidl); }
  std::optional<std::string> SpecialFolder(int csidl) const;

  // --- Windows of running programs, found by title (in any case).
  WindowHandle AddWindow(const std::string& title);
  void RemoveWindow(const std::string& title);
  // Titles of the windows brought to the front, in order.
  const std::vector<std::string>& activations() const { return activations_; }
  bool ActivateWindow(const std::string& title);

  // --- The system's legacy ANSI code page (1252 unless set); a code page
  // without a portable table turns every byte above 0x7F into U+FFFD.
  void SetLegacyCodePage(std::uint32_t codePage) { legacyCodePage_ = codePage; }
  std::uint32_t LegacyCodePage() const { return legacyCodePage_; }

  // --- Named mutexes; a process holds its own until it ends.
  bool MutexHeld(const std::string& name) const { return mutexes_.count(name) != 0; }
  // Takes the mutex for process; true when it existed before.
  bool AcquireMutex(const std::string& name, int process);
  void ReleaseMutexes(int process);

  // Opaque handle values, unique on the machine.
  std::uint64_t NewHandle() { return nextHandle_ += 4; }
  int NewProcessId() { return ++lastProcessId_; }

private:
  SimRegistry registry_{faults};
  SimFileSystem files_{faults};
  SimClock clock_;
  std::map<int, std::string> specialFolders_;
  std::vector<std::pair<std::string, WindowHandle>> windows_;
  std::vector<std::string> activations_;
  std::map<std::string, std::set<int>> mutexes_;
  std::uint32_t legacyCodePage_ = 1252;
  std::uint64_t nextHandle_ = 0x1000;
  int lastProcessId_ = 0;
};

} // namespace vantrel::sim
