// The registry-editor file that every delay or stop of Run values leaves
// behind, so that the user can put the values back by hand: one file per
// move under the program folder's "Delayed Registry\YYYY-MM-DD\", named by
// the time of day ("HH MM SS.reg"). A second file within the same second
// gets " (2)", " (3)" and so on rather than replacing the first.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/platform/platform.h"
#include "vantrel/login/local_time.h"

namespace vantrel::items {

inline constexpr const char* kBackupFolderName = "Delayed Registry";

// "YYYY-MM-DD" and "HH MM SS".
std::string BackupDayFolderName(const LocalTime& when);
std::string BackupFileStem(const LocalTime& when);

// A value name or data as the file quotes it: backslashes doubled first,
// then a backslash before every double quote.
std::string EscapeRegText(std::string_view text);

// "[HKEY_CURRENT_USER\...\Run]" or "[HKEY_LOCAL_MACHINE\...\Run]"; the
// machine's 32-bit view as a registry editor names it,
// "[HKEY_LOCAL_MACHINE\SOFTWARE\WOW6432Node\...\Run]".
std::string RunKeyLine(bool currentUser, bool view32 = false);

// "\"name\"=\"command\"", escaped. A REG_EXPAND_SZ value is written as a
// registry editor exports it: "\"name\"=hex(2):" and the UTF-16LE bytes of
// the text with its NUL, wrapped into lines of at most 80 characters that
// end in a backslash.
std::string RunValueLine(std::string_view name, std::string_view command,
                         std::uint32_t type = kRegSz);

// The bytes of a backup file with this (UTF-8) text: the text itself while
// it is ASCII, otherwise UTF-16LE with a byte-order mark, as the registry
// editor exports, which reads it back with every name intact.
std::string RegFileBytes(std::string_view text);

class RegistryBackup {
public:
  RegistryBackup(Platform& platform, std::string programFolder)
      : platform_(platform), programFolder_(std::move(programFolder)) {}

  // Creates today's folder (and "Delayed Registry") when missing and a new
  // file in it holding the header and the empty line. False when the time
  // is unknown or the folder or file cannot be made.
  bool Open(const LocalTime& when);
  bool IsOpen() const { return !path_.empty(); }
  const std::string& Path() const { return path_; }
  // How many value lines the file holds.
  int ValueCount() const { return values_; }

  // Adds the key line of a scope, once per file.
  bool WriteKeyLine(bool currentUser, bool view32 = false);
  // Adds one value line. The key line must come first.
  bool WriteValue(std::string_view name, std::string_view command, std::uint32_t type = kRegSz);
  // Removes the file through the shell, as Vantrel deletes files; the
  // dated folder stays.
  void Discard(WindowHandle owner);

private:
  bool Append(const std::string& line);

  Platform& platform_;
  std::string programFolder_;
  std::string path_;
  std::string text_; // what the file holds, as UTF-8
  bool keyLineWritten_ = false;
  int values_ = 0;
};

} // namespace vantrel::items
