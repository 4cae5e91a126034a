#include "vantrel/text/language_file_lines.h"

#include "common/text.h"

namespace vantrel {

namespace {
constexpr std::string_view kComment = "//";

std::string_view BeforeComment(std::string_view line) {
  return line.substr(0, line.find(kComment));
}
} // namespace

std::vector<std::string_view> SplitFileLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const auto end = bytes.find('\n', start);
    std::string_view line =
        bytes.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos)
      break;
    start = end + 1;
  }
  return lines;
}

std::string CaptionEntry(std::string_view line) {
  // CR LF contains no "$", so one pass leaves no "$CrLf$" behind.
  return ReplaceAll(BeforeComment(line), "$CrLf$", "\r\n");
}

std::optional<LanguageEntry> ParseLanguageLine(std::string_view line) {
  const std::string_view text = BeforeComment(line);
  const auto comma = text.find(',');
  if (comma == std::string_view::npos)
    return std::nullopt;
  LanguageEntry entry{TrimBlanks(text.substr(0, comma)), TrimBlanks(text.substr(comma + 1))};
  // A language without a code names no caption files; offering it would only
  // let the user store an empty language.
  if (entry.Code.empty())
    return std::nullopt;
  return entry;
}

std::optional<SafeProgram> ParseSafeListLine(std::string_view line) {
  std::string withoutTabs;
  for (const char c : line) {
    if (c != '\t')
      withoutTabs += c;
  }
  // Trimmed before the comment test, so an indented comment is still one
  // and never turns into an entry whose empty name would match every item.
  const std::string text = TrimBlanks(withoutTabs);
  if (text.empty() || StartsWith(text, kComment))
    return std::nullopt;

  const auto first = text.find(kComment);
  if (first == std::string::npos)
    return SafeProgram{text, {}};
  const std::string afterLast = text.substr(text.rfind(kComment) + kComment.size());
  return SafeProgram{text.substr(0, first),
                     afterLast.empty() ? std::string() : afterLast.substr(1)};
}

} // namespace vantrel
