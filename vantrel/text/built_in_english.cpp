#include "vantrel/text/built_in_english.h"

#include <algorithm>

#include "vantrel/text/language_file_lines.h"

namespace vantrel {

namespace {

struct BuiltInFile {
  std::string_view kind;
  std::string_view bytes;
};

constexpr BuiltInFile kEnglishFiles[] = {
#include "vantrel/built_in_english.inc"
};

bool AnyEmpty(std::span<const std::string> table) {
  return std::any_of(table.begin(), table.end(), [](const std::string& s) { return s.empty(); });
}

std::vector<std::string> EnglishEntries(std::string_view kind) {
  std::vector<std::string> entries;
  for (const std::string_view line : SplitFileLines(BuiltInEnglish(kind))) {
    std::string entry = CaptionEntry(line);
    if (!entry.empty())
      entries.push_back(std::move(entry));
  }
  return entries;
}

} // namespace

std::string_view BuiltInEnglish(std::string_view kind) {
  for (const BuiltInFile& file : kEnglishFiles) {
    if (file.kind == kind)
      return file.bytes;
  }
  return {};
}

void FillFromBuiltInEnglish(std::span<std::string> table, std::string_view kind) {
  if (!AnyEmpty(table))
    return;
  const std::vector<std::string> english = EnglishEntries(kind);
  for (std::size_t i = 0; i < table.size() && i < english.size(); ++i) {
    if (table[i].empty())
      table[i] = english[i];
  }
}

void FillFromBuiltInEnglish(std::vector<std::string>& table, std::string_view kind) {
  const std::vector<std::string> english = EnglishEntries(kind);
  if (table.size() < english.size())
    table.resize(english.size());
  FillFromBuiltInEnglish(std::span<std::string>(table), kind);
}

} // namespace vantrel
