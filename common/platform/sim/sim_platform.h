// A simulated process: the Platform seam over a SimWorld. It owns what a
// process owns (registry, search and process handles, its module path,
// command line, current directory and user name), records its shell calls,
// message boxes and waits, and answers message boxes and shell-executes as
// the test scripts.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/platform/platform.h"
#include "common/platform/sim/sim_records.h"
#include "common/platform/sim/sim_world.h"

namespace vantrel::sim {

struct SimProcessOptions {
  std::string moduleFileName = "C:\\Program Files\\Vantrel\\Vantrel.exe";
  std::string commandLine;      // empty: the quoted module path
  std::string currentDirectory; // empty: the module's folder
  std::string userName = "Tester";
};

class SimPlatform : public Platform {
public:
  explicit SimPlatform(SimWorld& world, SimProcessOptions options = {});
  ~SimPlatform() override; // the process ends: its mutexes go
  SimPlatform(const SimPlatform&) = delete;
  SimPlatform& operator=(const SimPlatform&) = delete;

  SimWorld& world() { return world_; }
  void SetCommandLine(const std::string& text) { commandLine_ = text; }
  void SetCurrentDirectory(const std::string& path) { currentDirectory_ = path; }

  // --- Records.
  const std::vector<ShFileOpRecord>& shFileOperations() const { return shFileOps_; }
  const std::vector<ShellExecuteRecord>& shellExecutes() const { return shellExecutes_; }
  const std::vector<MessageBoxRecord>& messageBoxes() const { return messageBoxes_; }
  const std::vector<WaitRecord>& waits() const { return waits_; }
  int pumpCount() const { return pumpCount_; }

  // --- Scripting. Message boxes take the queued answers in turn, then
  // kIdOk (kIdYes for a yes/no box).
  void QueueMessageBoxAnswer(int answer) { messageBoxAnswers_.push_back(answer); }
  // A shell-execute fails when this answers true for it.
  std::function<bool(const ShellExecuteRecord& call)> shellExecuteFails;
  // When set, a shell-execute of a file that does not exist fails
  // (addresses such as "https://..." and "mailto:..." still succeed).
  void SetFailMissingFiles(bool fail) { failMissingFiles_ = fail; }

  // --- Crashes. The process ends after its changes-th changing call from
  // now on (registry writes and deletes, key creation, file writes,
  // appends, replaces, copies and deletes, folder creation and removal,
  // shell file operations): every later one fails and changes nothing, as
  // if the process were gone, and the machine stays as that call left it.
  // 0 lets the process run on.
  void CrashAfterChanges(int changes) {
    crashAfter_ = changes;
    changes_ = 0;
    crashed_ = false;
  }
  // Whether a changing call came after the last one the process made.
  bool crashed() const { return crashed_; }
  int changesMade() const { return changes_; }

  // --- Open handles, for leak checks.
  std::size_t openProcessHandles() const { return processHandles_.size(); }
  std::size_t openKeyHandles() const { return keyHandles_.size(); }
  std::size_t openFindHandles() const { return searches_.size(); }

  // --- Platform.
  long RegOpenKey(RegKey root, const std::string& subKey, RegKey* result,
                  std::uint32_t view = 0) override;
  long RegCreateKey(RegKey root, const std::string& subKey, RegKey* result,
                    std::uint32_t view = 0) override;
  long RegQueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                     std::uint32_t* dataSize) override;
  long RegSetValue(RegKey key, const std::string& name, std::uint32_t type,
                   const std::uint8_t* data, std::uint32_t dataSize) override;
  long RegEnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameChars,
                    std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override;
  long RegDeleteValue(RegKey key, const std::string& name) override;
  long RegDeleteKey(RegKey root, const std::string& subKey) override;
  long RegCloseKey(RegKey key) override;

  FindHandle FindFirstFile(const std::string& pattern, FindData* data) override;
  bool FindNextFile(FindHandle handle, FindData* data) override;
  bool FindClose(FindHandle handle) override;
  std::uint32_t GetFileAttributes(const std::string& path) override;
  bool CreateDirectory(const std::string& path) override;
  bool RemoveDirectory(const std::string& path) override;
  bool ReadWholeFile(const std::string& path, std::string* bytes) override;
  long ReadWholeFileError(const std::string& path, std::string* bytes) override;
  bool WriteWholeFile(const std::string& path, const std::string& bytes) override;
  bool AppendToFile(const std::string& path, const std::string& bytes) override;
  bool ReplaceFile(const std::string& from, const std::string& to) override;
  bool CopyFile(const std::string& from, const std::string& to) override;
  bool DeleteFile(const std::string& path) override;

  int ShFileOperation(ShFileOpStruct* op) override;
  bool ShellExecuteEx(ShellExecuteInfo* info) override;
  std::intptr_t ShellExecute(WindowHandle hwnd, const std::string& verb, const std::string& file,
                             const std::string& parameters, const std::string& directory,
                             int show) override;
  bool CloseHandle(ProcessHandle handle) override;
  bool GetSpecialFolderPath(int csidl, std::string* path) override;

  std::string GetUserName() override { return userName_; }
  std::string GetModuleFileName() override { return moduleFileName_; }
  std::string GetCommandLine() override { return commandLine_; }
  std::string GetCurrentDirectory() override { return currentDirectory_; }
  std::string ExpandEnvironmentStrings(const std::string& text) override;
  bool CreateNamedMutex(const std::string& name, bool* alreadyExists) override;
  bool ActivateWindowByTitle(const std::string& title) override;
  // In the machine's legacy code page (SimWorld::SetLegacyCodePage).
  std::string LegacyAnsiToUtf8(const std::string& bytes) override;

  std::uint32_t GetTickCount() override;
  void Sleep(std::uint32_t milliseconds) override;
  std::string FormatTimeOfDay() override;
  std::string FormatDateTime() override;
  void WaitForMessages(std::uint32_t milliseconds) override;
  void PumpMessages() override;
  int MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                 std::uint32_t flags) override;
  ChangeWatch WatchRegistryKey(RegKey root, const std::string& subKey,
                               std::uint32_t view = 0) override;
  ChangeWatch WatchFolder(const std::string& path) override;
  void CloseWatch(ChangeWatch watch) override;
  int WaitForMessagesOrChanges(const std::vector<ChangeWatch>& watches,
                               std::uint32_t milliseconds) override;
  std::size_t openWatches() const { return watches_.size(); }

private:
  // A watch keeps what it watches as it was when last armed; it has seen a
  // change when that differs from what is there now.
  struct Watch {
    SimKeyPtr key;      // a registry watch
    std::string folder; // a folder watch
    std::string seen;
  };
  std::string Snapshot(const Watch& watch) const;
  struct OpenKey {
    SimKeyPtr key;
    bool writable = false; // the widest access granted when it was opened
  };
  struct Search {
    std::vector<FindData> entries;
    std::size_t next = 0;
  };

  // Counts a changing call; false when the process has ended before it.
  bool Change();
  bool ResolveKey(RegKey handle, OpenKey* key) const;
  // RegOpenKey, and RegCreateKey with create.
  long OpenKeyHandle(RegKey root, const std::string& subKey, RegKey* result, bool create,
                     std::uint32_t view);
  long HandOut(RegKey root, const SimKeyPtr& key, RegKey* result);
  SimPath Path(const std::string& path) const;
  // Whether a shell-execute as recorded would start something.
  bool Starts(const ShellExecuteRecord& call) const;

  SimWorld& world_;
  const int processId_;
  std::string moduleFileName_;
  std::string commandLine_;
  std::string currentDirectory_;
  std::string userName_;

  std::map<RegKey, OpenKey> keyHandles_;
  std::map<FindHandle, Search> searches_;
  std::set<ProcessHandle> processHandles_;

  std::vector<ShFileOpRecord> shFileOps_;
  std::vector<ShellExecuteRecord> shellExecutes_;
  std::vector<MessageBoxRecord> messageBoxes_;
  std::vector<WaitRecord> waits_;
  std::map<ChangeWatch, Watch> watches_;
  int pumpCount_ = 0;
  std::deque<int> messageBoxAnswers_;
  bool failMissingFiles_ = false;
  int crashAfter_ = 0;
  int changes_ = 0;
  bool crashed_ = false;
};

} // namespace vantrel::sim
