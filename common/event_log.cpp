#include "common/event_log.h"

#include "common/find_scope.h"
#include "common/program_folder.h"
#include "common/safe_save.h"
#include "common/text_encoding.h"

namespace vantrel {

namespace {

const char* LevelPrefix(int level) {
  switch (level) {
  case LogError:
    return "Error: ";
  case LogWarning:
    return "Warning: ";
  case LogInfo:
    return "Info: ";
  default:
    return "";
  }
}

// What survives a prune: everything after the line that holds the byte at
// kLogKeepFrom (counting from 1).
std::string KeptHalf(const std::string& log) {
  std::size_t from = kLogKeepFrom;
  if (log[from - 1] != '\n') {
    const auto lineEnd = log.find('\n', from);
    from = lineEnd == std::string::npos ? log.size() : lineEnd + 1;
  }
  return log.substr(from);
}

} // namespace

void WriteLog(Platform& platform, const std::string& message, int level) {
  const std::string path = ProgramFolder(platform) + "\\log.txt";
  const std::string event = std::string(LevelPrefix(level)) + message + "\r\n";

  std::uint64_t size = 0;
  {
    FindScope existing(platform, path);
    if (existing.valid() && !existing.isFolder())
      size = existing.data().size;
  }
  // An ASCII event reads the same in the legacy code page of a log that an
  // earlier build wrote and in UTF-8, so it is simply appended. Any other
  // event needs the log in UTF-8: a legacy log is converted whole first.
  std::string log;
  if (size < kLogSizeLimit) {
    if (IsAscii(event) || size == 0 || !platform.ReadWholeFile(path, &log) || IsValidUtf8(log))
      platform.AppendToFile(path, event);
    else
      SaveFileSafely(platform, path, platform.LegacyAnsiToUtf8(log) + event);
    return;
  }

  // The pruned log is written whole beside the old one and then moved over
  // it, so a failure on the way leaves the old log as it was.
  if (!platform.ReadWholeFile(path, &log) || log.size() < kLogKeepFrom)
    return;
  const std::string pruned = AsUtf8Text(platform, KeptHalf(log)) + "\r\n" +
                             "<---- Old Events removed on: " + platform.FormatDateTime() +
                             " ---->\r\n" + event;
  SaveFileSafely(platform, path, pruned);
}

} // namespace vantrel
