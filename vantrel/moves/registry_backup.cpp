#include "vantrel/moves/registry_backup.h"

#include <cstdio>

#include "common/dir_struct.h"
#include "common/file_functions.h"
#include "common/run_keys.h"
#include "common/text.h"
#include "common/text_encoding.h"

namespace vantrel::items {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kLineEnd = "\r\n";
// Well beyond any number of moves a user makes in one second.
constexpr int kMaxSameSecondFiles = 1000;

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

bool Exists(Platform& platform, const std::string& path) {
  return platform.GetFileAttributes(path) != kInvalidFileAttributes;
}

} // namespace

std::string BackupDayFolderName(const LocalTime& when) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", when.year, when.month, when.day);
  return text;
}

std::string BackupFileStem(const LocalTime& when) {
  return TwoDigits(when.hour) + " " + TwoDigits(when.minute) + " " + TwoDigits(when.second);
}

std::string EscapeRegText(std::string_view text) {
  return ReplaceAll(ReplaceAll(text, "\\", "\\\\"), "\"", "\\\"");
}

std::string RunKeyLine(bool currentUser, bool view32) {
  return "[" + RunKeyFullName(currentUser, view32) + "]";
}

namespace {

// hex(2): the text as UTF-16LE with its NUL, as regedit exports it.
// Vantrel's texts are UTF-8.
std::string ExpandableTextLine(std::string line, std::string_view text) {
  constexpr std::size_t kWrapAt = 77;
  line += "hex(2):";
  std::string bytes = Utf16LeWithBom(text).substr(2);
  bytes += std::string(2, '\0');
  std::size_t column = line.size();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(bytes[i]));
    line += pair;
    if (i + 1 == bytes.size())
      break;
    line += ',';
    column += 3;
    if (column >= kWrapAt) {
      line += "\\\r\n  ";
      column = 2;
    }
  }
  return line;
}

} // namespace

std::string RunValueLine(std::string_view name, std::string_view command, std::uint32_t type) {
  // Appended piece by piece: GCC 12's -O3 misreads "literal" + string&&.
  std::string line = "\"";
  line += EscapeRegText(name);
  if (type == kRegExpandSz) {
    line += "\"=";
    return ExpandableTextLine(std::move(line), command);
  }
  line += "\"=\"";
  line += EscapeRegText(command);
  line += '"';
  return line;
}

bool RegistryBackup::Open(const LocalTime& when) {
  path_.clear();
  text_.clear();
  keyLineWritten_ = false;
  values_ = 0;
  CDirStruct dirs(platform_);
  const std::string root = programFolder_ + "\\" + kBackupFolderName;
  const std::string day = BackupDayFolderName(when);
  if (!dirs.DirectoryExists(kBackupFolderName, programFolder_, true) ||
      !dirs.DirectoryExists(day, root, true))
    return false;

  const std::string stem = root + "\\" + day + "\\" + BackupFileStem(when);
  std::string path = stem + ".reg";
  for (int n = 2; Exists(platform_, path); ++n) {
    if (n > kMaxSameSecondFiles)
      return false;
    path = stem + " (" + std::to_string(n) + ").reg";
  }
  std::string text = std::string(kHeader) + std::string(kLineEnd) + std::string(kLineEnd);
  if (!platform_.WriteWholeFile(path, text))
    return false;
  path_ = std::move(path);
  text_ = std::move(text);
  return true;
}

std::string RegFileBytes(std::string_view text) {
  return IsAscii(text) ? std::string(text) : Utf16LeWithBom(text);
}

bool RegistryBackup::Append(const std::string& line) {
  if (!IsOpen())
    return false;
  const std::string piece = line + std::string(kLineEnd);
  text_ += piece;
  // Once the file holds more than ASCII it is UTF-16 and written whole.
  return IsAscii(text_) ? platform_.AppendToFile(path_, piece)
                        : platform_.WriteWholeFile(path_, RegFileBytes(text_));
}

bool RegistryBackup::WriteKeyLine(bool currentUser, bool view32) {
  if (keyLineWritten_)
    return true;
  keyLineWritten_ = Append(RunKeyLine(currentUser, view32));
  return keyLineWritten_;
}

bool RegistryBackup::WriteValue(std::string_view name, std::string_view command,
                                std::uint32_t type) {
  if (!keyLineWritten_ || !Append(RunValueLine(name, command, type)))
    return false;
  ++values_;
  return true;
}

void RegistryBackup::Discard(WindowHandle owner) {
  if (!IsOpen())
    return;
  CFileFunctions(platform_).DeleteFile(path_, owner, "Deleting", kFofSilent | kFofNoConfirmation);
  path_.clear();
}

} // namespace vantrel::items
