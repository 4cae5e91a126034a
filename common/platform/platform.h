// The seam between Vantrel's portable code and the operating system.
//
// Every platform service that portable code needs goes through Platform.
// The calls are shaped like the Win32 functions they stand for (same
// argument order, same Win32 error codes and constants), so that the
// utility classes above keep the exact rules of the real calls and can be
// tested natively against the in-memory simulation in sim/. win32/ holds
// the real implementation. Nothing here includes <windows.h>.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

// Win32 error codes that the seam reports.
namespace win32err {
constexpr long kSuccess = 0;           // ERROR_SUCCESS
constexpr long kFileNotFound = 2;      // ERROR_FILE_NOT_FOUND
constexpr long kPathNotFound = 3;      // ERROR_PATH_NOT_FOUND
constexpr long kAccessDenied = 5;      // ERROR_ACCESS_DENIED
constexpr long kSharingViolation = 32; // ERROR_SHARING_VIOLATION
constexpr long kReadFault = 30;        // ERROR_READ_FAULT
constexpr long kInvalidHandle = 6;     // ERROR_INVALID_HANDLE
constexpr long kInvalidParameter = 87; // ERROR_INVALID_PARAMETER
constexpr long kDiskFull = 112;        // ERROR_DISK_FULL
constexpr long kDirNotEmpty = 145;     // ERROR_DIR_NOT_EMPTY
constexpr long kAlreadyExists = 183;   // ERROR_ALREADY_EXISTS
constexpr long kMoreData = 234;        // ERROR_MORE_DATA
constexpr long kNoMoreItems = 259;     // ERROR_NO_MORE_ITEMS
constexpr long kCancelled = 1223;      // ERROR_CANCELLED
} // namespace win32err

// Registry handles: the predefined roots have their Win32 values; keys
// opened through the seam get opaque handles of the backend's choosing.
using RegKey = std::uint64_t;
constexpr RegKey kHkeyClassesRoot = 0x80000000u;
constexpr RegKey kHkeyCurrentUser = 0x80000001u;
constexpr RegKey kHkeyLocalMachine = 0x80000002u;

// Registry value types.
constexpr std::uint32_t kRegNone = 0;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;

// Registry views (KEY_WOW64_64KEY, KEY_WOW64_32KEY), added to the access
// asked for when a key is opened or created. On 64-bit Windows the 32-bit
// view of HKEY_LOCAL_MACHINE\Software is its WOW6432Node subkey;
// HKEY_CURRENT_USER\Software is one key for both. 0 is the process's own
// (64-bit) view.
constexpr std::uint32_t kKeyWow64_64Key = 0x0100;
constexpr std::uint32_t kKeyWow64_32Key = 0x0200;

// File attributes and the "no such file" answer of GetFileAttributesA.
constexpr std::uint32_t kFileAttributeReadOnly = 0x01;
constexpr std::uint32_t kFileAttributeHidden = 0x02;
constexpr std::uint32_t kFileAttributeSystem = 0x04;
constexpr std::uint32_t kFileAttributeDirectory = 0x10;
constexpr std::uint32_t kFileAttributeArchive = 0x20;
constexpr std::uint32_t kFileAttributeNormal = 0x80;
constexpr std::uint32_t kInvalidFileAttributes = 0xFFFFFFFFu;

// SHFileOperation codes and flags.
constexpr std::uint32_t kFoMove = 1;
constexpr std::uint32_t kFoCopy = 2;
constexpr std::uint32_t kFoDelete = 3;
constexpr std::uint32_t kFoRename = 4;
constexpr std::uint32_t kFofMultiDestFiles = 0x0001;
constexpr std::uint32_t kFofSilent = 0x0004;
constexpr std::uint32_t kFofNoConfirmation = 0x0010;
constexpr std::uint32_t kFofAllowUndo = 0x0040;
constexpr std::uint32_t kFofFilesOnly = 0x0080;
constexpr std::uint32_t kFofSimpleProgress = 0x0100;
constexpr std::uint32_t kFofNoConfirmMkdir = 0x0200;
constexpr std::uint32_t kFofNoErrorUi = 0x0400;

// ShellExecuteEx mask bits and show states used by Vantrel.
constexpr std::uint32_t kSeeMaskNoCloseProcess = 0x40;
constexpr std::uint32_t kSeeMaskInvokeIdList = 0x0C;
constexpr std::uint32_t kSeeMaskFlagNoUi = 0x400;
constexpr int kSwShowNormal = 1;

// MessageBox flags and answers.
constexpr std::uint32_t kMbOk = 0x00;
constexpr std::uint32_t kMbYesNo = 0x04;
constexpr std::uint32_t kMbIconStop = 0x10;
constexpr std::uint32_t kMbIconQuestion = 0x20;
constexpr std::uint32_t kMbIconExclamation = 0x30;
constexpr std::uint32_t kMbIconInformation = 0x40;
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Shell special folders (CSIDL numbers).
constexpr int kCsidlPrograms = 2;
constexpr int kCsidlStartup = 7;
constexpr int kCsidlStartMenu = 11;
constexpr int kCsidlCommonStartMenu = 22;
constexpr int kCsidlCommonPrograms = 23;
constexpr int kCsidlCommonStartup = 24;

// Opaque handles for searches, processes and windows.
using FindHandle = std::uint64_t;
constexpr FindHandle kInvalidFindHandle = ~std::uint64_t{0};
using ProcessHandle = std::uint64_t;
using WindowHandle = std::uint64_t;
// A change notification on a registry key or a folder; 0 is none.
using ChangeWatch = std::uint64_t;

// One entry of a directory listing, as FindFirstFileA fills it: the name
// sits in a fixed 260-character field and ends at its first NUL.
struct FindData {
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;
  char fileName[260] = {};
};

// The record of SHFileOperationA. The lists are runs of NUL-separated
// paths ended by a second NUL, exactly as the shell takes them.
struct ShFileOpStruct {
  WindowHandle hwnd = 0;
  std::uint32_t func = 0;
  std::string from; // must end in "\0\0"
  std::string to;   // empty, or ending in "\0\0"
  std::uint32_t flags = 0;
  bool anyOperationsAborted = false;
  std::string progressTitle;
};

// What ShellExecuteExA is asked to do.
struct ShellExecuteInfo {
  std::uint32_t mask = 0;
  WindowHandle hwnd = 0;
  std::string verb; // empty: the item's default action
  std::string file;
  std::string parameters; // passed unchanged, empty allowed
  std::string directory;  // empty: none
  int show = kSwShowNormal;
  ProcessHandle process = 0; // out, with kSeeMaskNoCloseProcess
};

class Platform {
public:
  virtual ~Platform() = default;

  // --- Registry (RegOpenKeyExA / RegCreateKeyExA with the widest access
  // granted, RegQueryValueExA, RegSetValueExA, RegEnumValueA,
  // RegDeleteValueA, RegDeleteKeyA, RegCloseKey). Results are Win32 codes.
  // view is 0, kKeyWow64_64Key or kKeyWow64_32Key.
  virtual long RegOpenKey(RegKey root, const std::string& subKey, RegKey* result,
                          std::uint32_t view = 0) = 0;
  virtual long RegCreateKey(RegKey root, const std::string& subKey, RegKey* result,
                            std::uint32_t view = 0) = 0;
  // data may be null to ask for type and size only. With a buffer that is
  // too small the answer is kMoreData and *dataSize the size needed.
  virtual long RegQueryValue(RegKey key, const std::string& name, std::uint32_t* type,
                             std::uint8_t* data, std::uint32_t* dataSize) = 0;
  virtual long RegSetValue(RegKey key, const std::string& name, std::uint32_t type,
                           const std::uint8_t* data, std::uint32_t dataSize) = 0;
  // *nameChars: in, the name buffer's size in characters with room for the
  // NUL; out, the name's length without it. *dataSize likewise in bytes.
  // type and data may be null.
  virtual long RegEnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameChars,
                            std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) = 0;
  virtual long RegDeleteValue(RegKey key, const std::string& name) = 0;
  virtual long RegDeleteKey(RegKey root, const std::string& subKey) = 0;
  virtual long RegCloseKey(RegKey key) = 0;

  // --- Files and folders (FindFirstFileA, FindNextFileA, FindClose,
  // GetFileAttributesA, CreateDirectoryA, RemoveDirectoryA).
  virtual FindHandle FindFirstFile(const std::string& pattern, FindData* data) = 0;
  virtual bool FindNextFile(FindHandle handle, FindData* data) = 0;
  virtual bool FindClose(FindHandle handle) = 0;
  virtual std::uint32_t GetFileAttributes(const std::string& path) = 0;
  virtual bool CreateDirectory(const std::string& path) = 0;
  virtual bool RemoveDirectory(const std::string& path) = 0;

  // --- Whole-file access (CreateFileA/ReadFile/WriteFile and friends).
  // Each opens, acts and closes; false on any failure.
  virtual bool ReadWholeFile(const std::string& path, std::string* bytes) = 0;
  // The same, with the error of a failure (kSuccess when it read), so that a
  // file another program holds open is told from a broken one.
  virtual long ReadWholeFileError(const std::string& path, std::string* bytes) {
    return ReadWholeFile(path, bytes) ? win32err::kSuccess : win32err::kReadFault;
  }
  // Creates or truncates.
  virtual bool WriteWholeFile(const std::string& path, const std::string& bytes) = 0;
  // Creates when missing.
  virtual bool AppendToFile(const std::string& path, const std::string& bytes) = 0;
  // MoveFileExA with MOVEFILE_REPLACE_EXISTING: the atomic last step of a
  // safe save.
  virtual bool ReplaceFile(const std::string& from, const std::string& to) = 0;
  virtual bool CopyFile(const std::string& from, const std::string& to) = 0;
  virtual bool DeleteFile(const std::string& path) = 0;

  // --- Shell (SHFileOperationA, ShellExecuteExA,
  // ShellExecuteA, SHGetSpecialFolderLocation + SHGetPathFromIDListA).
  virtual int ShFileOperation(ShFileOpStruct* op) = 0;
  virtual bool ShellExecuteEx(ShellExecuteInfo* info) = 0;
  // Returns the shell's instance value: above 32 means success.
  virtual std::intptr_t ShellExecute(WindowHandle hwnd, const std::string& verb,
                                     const std::string& file, const std::string& parameters,
                                     const std::string& directory, int show) = 0;
  virtual bool CloseHandle(ProcessHandle handle) = 0;
  // Fills the folder's path; false when the shell knows no such folder.
  virtual bool GetSpecialFolderPath(int csidl, std::string* path) = 0;

  // --- Process and user.
  virtual std::string GetUserName() = 0;         // GetUserNameA
  virtual std::string GetModuleFileName() = 0;   // of the running exe
  virtual std::string GetCommandLine() = 0;      // GetCommandLineA
  virtual std::string GetCurrentDirectory() = 0; // GetCurrentDirectoryA
  // ExpandEnvironmentStringsA: every %NAME% of a variable the process has
  // is replaced by its value; unknown names stay as they are.
  virtual std::string ExpandEnvironmentStrings(const std::string& text) = 0;
  // CreateMutexA with a name; *alreadyExists tells whether another process
  // holds it. The mutex lives until the process ends.
  virtual bool CreateNamedMutex(const std::string& name, bool* alreadyExists) = 0;
  // FindWindowA by title, then restore it and bring it to the front.
  virtual bool ActivateWindowByTitle(const std::string& title) = 0;
  // Text in the system's legacy ANSI code page (the one 8-bit calls used
  // before the process ran with UTF-8) as UTF-8, for files of earlier
  // builds.
  virtual std::string LegacyAnsiToUtf8(const std::string& bytes) = 0;

  // --- Time (GetTickCount, Sleep, GetTimeFormatA/GetDateFormatA on the
  // current local time, in the user's locale).
  virtual std::uint32_t GetTickCount() = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  virtual std::string FormatTimeOfDay() = 0;
  virtual std::string FormatDateTime() = 0;

  // --- Messages. WaitForMessages blocks until a window message arrives or
  // the time is up (MsgWaitForMultipleObjects on an empty handle list);
  // PumpMessages dispatches what is pending (PeekMessage loop).
  virtual void WaitForMessages(std::uint32_t milliseconds) = 0;
  virtual void PumpMessages() = 0;
  virtual int MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                         std::uint32_t flags) = 0;

  // --- Change notifications. A watch on a registry key sees its values
  // being set, renamed or deleted (RegNotifyChangeKeyValue, not subkeys); a
  // watch on a folder sees entries being created, renamed, deleted or
  // written (FindFirstChangeNotificationA, not subfolders). 0 when the key
  // or folder cannot be watched (it does not exist). view as for RegOpenKey.
  virtual ChangeWatch WatchRegistryKey(RegKey root, const std::string& subKey,
                                       std::uint32_t view = 0) = 0;
  virtual ChangeWatch WatchFolder(const std::string& path) = 0;
  virtual void CloseWatch(ChangeWatch watch) = 0;
  // MsgWaitForMultipleObjects over the watches and the message queue:
  // blocks until a watch has seen a change, a window message arrives or the
  // time is up. Answers the index of the first watch that saw a change, which
  // is armed again so that it reports only later changes; -1 otherwise.
  virtual int WaitForMessagesOrChanges(const std::vector<ChangeWatch>& watches,
                                       std::uint32_t milliseconds) = 0;
};

} // namespace vantrel
