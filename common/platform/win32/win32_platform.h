// The real platform: every Platform member is the Win32 ANSI call it is
// named after. This header stays free of <windows.h> so that code which
// only needs the class does not pull in the Windows headers.
#pragma once

#include <map>

#include "common/platform/platform.h"

namespace vantrel::win32 {

class Win32Platform : public Platform {
public:
  // Joins the thread to a single-threaded COM apartment, which the shell
  // calls (ShellExecuteExA, SHGetSpecialFolderLocation) expect.
  Win32Platform();
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  // Registry (win32_registry.cpp).
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

  // Listings and folders (win32_files.cpp).
  FindHandle FindFirstFile(const std::string& pattern, FindData* data) override;
  bool FindNextFile(FindHandle handle, FindData* data) override;
  bool FindClose(FindHandle handle) override;
  std::uint32_t GetFileAttributes(const std::string& path) override;
  bool CreateDirectory(const std::string& path) override;
  bool RemoveDirectory(const std::string& path) override;

  // Whole files (win32_whole_files.cpp).
  bool ReadWholeFile(const std::string& path, std::string* bytes) override;
  long ReadWholeFileError(const std::string& path, std::string* bytes) override;
  bool WriteWholeFile(const std::string& path, const std::string& bytes) override;
  bool AppendToFile(const std::string& path, const std::string& bytes) override;
  bool ReplaceFile(const std::string& from, const std::string& to) override;
  bool CopyFile(const std::string& from, const std::string& to) override;
  bool DeleteFile(const std::string& path) override;

  // Shell (win32_shell.cpp, win32_shell_fileop.cpp).
  int ShFileOperation(ShFileOpStruct* op) override;
  bool ShellExecuteEx(ShellExecuteInfo* info) override;
  std::intptr_t ShellExecute(WindowHandle hwnd, const std::string& verb, const std::string& file,
                             const std::string& parameters, const std::string& directory,
                             int show) override;
  bool CloseHandle(ProcessHandle handle) override;
  bool GetSpecialFolderPath(int csidl, std::string* path) override;

  // Process and user (win32_process.cpp).
  std::string GetUserName() override;
  std::string GetModuleFileName() override;
  std::string GetCommandLine() override;
  std::string GetCurrentDirectory() override;
  std::string ExpandEnvironmentStrings(const std::string& text) override;
  bool CreateNamedMutex(const std::string& name, bool* alreadyExists) override;
  bool ActivateWindowByTitle(const std::string& title) override;
  // MultiByteToWideChar from LegacyAnsiCodePage() (win32_code_page.cpp).
  std::string LegacyAnsiToUtf8(const std::string& bytes) override;

  // Time and messages (win32_time_messages.cpp).
  std::uint32_t GetTickCount() override;
  void Sleep(std::uint32_t milliseconds) override;
  std::string FormatTimeOfDay() override;
  std::string FormatDateTime() override;
  void WaitForMessages(std::uint32_t milliseconds) override;
  void PumpMessages() override;
  int MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                 std::uint32_t flags) override;

  // Change notifications (win32_change_watch.cpp).
  ChangeWatch WatchRegistryKey(RegKey root, const std::string& subKey,
                               std::uint32_t view = 0) override;
  ChangeWatch WatchFolder(const std::string& path) override;
  void CloseWatch(ChangeWatch watch) override;
  int WaitForMessagesOrChanges(const std::vector<ChangeWatch>& watches,
                               std::uint32_t milliseconds) override;

private:
  void EnsureCom();

  // A registry watch holds the key and the event it signals; a folder watch
  // the change-notification handle. Both kept as void* so that this header
  // needs no Windows headers.
  struct Watch {
    void* key = nullptr;
    void* event = nullptr; // waited on: the key's event or the folder's handle
    bool folder = false;
  };
  bool ArmRegistryWatch(const Watch& watch);
  std::map<ChangeWatch, Watch> watches_;
  ChangeWatch lastWatch_ = 0;

  bool comAttempted_ = false;
  bool comInitialized_ = false;
};

} // namespace vantrel::win32
