#include "vantrel/text/language_files.h"

#include <optional>

#include "common/event_log.h"
#include "common/text.h"
#include "common/text_encoding.h"
#include "vantrel/login/paced_pump.h"
#include "vantrel/text/built_in_english.h"
#include "vantrel/text/language_file_lines.h"

namespace vantrel {

namespace {

enum class FileRead { kMissing, kFailed, kRead };

FileRead ReadDataFile(Platform& platform, const std::string& path, std::string* bytes) {
  const std::uint32_t attributes = platform.GetFileAttributes(path);
  if (attributes == kInvalidFileAttributes || (attributes & kFileAttributeDirectory) != 0)
    return FileRead::kMissing;
  if (!platform.ReadWholeFile(path, bytes))
    return FileRead::kFailed;
  *bytes = AsUtf8Text(platform, std::move(*bytes)); // a file of an earlier build: legacy code page
  return FileRead::kRead;
}

std::string LangPath(const std::string& programFolder, const std::string& relativeName) {
  return programFolder + "\\lang\\" + relativeName;
}

std::string DataPath(const std::string& programFolder, std::string_view name) {
  return programFolder + "\\data\\" + std::string(name);
}

// Calls store(index, entry) for every entry of a caption file, in order,
// until it answers false. The table is written entry by entry (and indexed,
// never iterated), so a message handler that runs between two lines and
// reloads the same table cannot leave this loop holding stale references.
template <typename Store>
bool ForEachCaptionEntry(Platform& platform, const std::string& path, Store store) {
  std::string bytes;
  if (ReadDataFile(platform, path, &bytes) != FileRead::kRead)
    return false;
  std::size_t index = 0;
  PacedMessagePump pump(platform);
  for (const std::string_view line : SplitFileLines(bytes)) {
    pump.Pump();
    std::string entry = CaptionEntry(line);
    if (entry.empty())
      continue;
    if (!store(index, std::move(entry)))
      break;
    ++index;
  }
  return true;
}

} // namespace

std::string CaptionFileName(std::string_view language, std::string_view kind) {
  std::string name(language);
  name += '\\';
  name += kind;
  name += '.';
  name += language;
  return name;
}

bool LoadLanguageFile(Platform& platform, const std::string& programFolder,
                      std::span<std::string> table, const std::string& relativeName) {
  return ForEachCaptionEntry(platform, LangPath(programFolder, relativeName),
                             [&](std::size_t index, std::string entry) {
                               if (index >= table.size())
                                 return false;
                               table[index] = std::move(entry);
                               return index + 1 < table.size();
                             });
}

bool LoadLanguageFile(Platform& platform, const std::string& programFolder,
                      std::vector<std::string>& table, const std::string& relativeName) {
  const bool read = ForEachCaptionEntry(platform, LangPath(programFolder, relativeName),
                                        [&](std::size_t index, std::string entry) {
                                          if (index >= table.size())
                                            table.resize(index + 1);
                                          table[index] = std::move(entry);
                                          return true;
                                        });
  FillFromBuiltInEnglish(table, CaptionKindOf(relativeName));
  return read;
}

std::string_view CaptionKindOf(std::string_view relativeName) {
  const auto start = relativeName.find_last_of('\\') + 1;
  return relativeName.substr(start, relativeName.find('.', start) - start);
}

void LoadLanguageFiles(Platform& platform, const std::string& programFolder,
                       const std::string& language, TextTables& tables) {
  // Entries a missing or short file leaves empty get the built-in English.
  const auto load = [&](std::span<std::string> table, std::string_view kind) {
    LoadLanguageFile(platform, programFolder, table, CaptionFileName(language, kind));
    FillFromBuiltInEnglish(table, kind);
  };
  load(tables.Buttons, caption_file::kButtons);
  load(tables.Menus, caption_file::kMenus);
  load(tables.Messages, caption_file::kMessages);
  load(tables.Toolbar, caption_file::kToolbar);
}

void LoadLanguageList(Platform& platform, const std::string& programFolder, TextTables& tables) {
  tables.Languages = {LanguageEntry{}};
  std::string bytes;
  if (ReadDataFile(platform, LangPath(programFolder, "languagefile.dat"), &bytes) !=
      FileRead::kRead)
    return;
  // Built aside and put in place whole, so a message handler that reads the
  // list between two lines sees either the old list or the new one.
  std::vector<LanguageEntry> languages;
  PacedMessagePump pump(platform);
  for (const std::string_view line : SplitFileLines(bytes)) {
    pump.Pump();
    if (auto entry = ParseLanguageLine(line))
      languages.push_back(std::move(*entry));
  }
  if (!languages.empty())
    tables.Languages = std::move(languages);
}

void LoadOnlineText(Platform& platform, const std::string& programFolder, TextTables& tables) {
  std::string bytes;
  if (ReadDataFile(platform, DataPath(programFolder, "online.txt"), &bytes) != FileRead::kRead)
    return;
  const auto lines = SplitFileLines(bytes);
  tables.OnlineSearchText = lines.empty() ? std::string() : TrimBlanks(lines.front());
}

void LoadSafePrograms(Platform& platform, const std::string& programFolder, TextTables& tables) {
  tables.SafeList = {SafeProgram{}};
  const std::string path = DataPath(programFolder, "safelist.dat");
  std::string bytes;
  switch (ReadDataFile(platform, path, &bytes)) {
  case FileRead::kMissing:
    return;
  case FileRead::kFailed:
    WriteLog(platform, "LoadSafePrograms:Could not read " + path, LogWarning);
    return;
  case FileRead::kRead:
    break;
  }
  std::vector<SafeProgram> programs;
  PacedMessagePump pump(platform);
  for (const std::string_view line : SplitFileLines(bytes)) {
    pump.Pump();
    if (auto program = ParseSafeListLine(line))
      programs.push_back(std::move(*program));
  }
  if (!programs.empty())
    tables.SafeList = std::move(programs);
}

void LoadGlobalData(Platform& platform, const std::string& programFolder, std::string& language,
                    TextTables& tables) {
  if (language.empty())
    language = "en";
  LoadLanguageList(platform, programFolder, tables);
  LoadLanguageFiles(platform, programFolder, language, tables);
  LoadOnlineText(platform, programFolder, tables);
  LoadSafePrograms(platform, programFolder, tables);
}

} // namespace vantrel
