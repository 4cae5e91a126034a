// Texts with CR LF line ends, as Vantrel writes proggroup.c, its log and
// its caption files, for the tests of both test binaries.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::test_text {

// Lines joined with CR LF, each ended by one.
inline std::string CrLf(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text.append(line);
    text.append("\r\n");
  }
  return text;
}

// A CR LF text split into its lines; a last line without its CR LF is
// marked "<no CR LF>".
inline std::vector<std::string> CrLfLinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start) + "<no CR LF>");
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// The display of a text with its line ends made visible, for diffs.
inline std::string Visible(std::string_view text) {
  std::string out;
  for (char c : text)
    out += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n\n") : std::string(1, c);
  return out;
}

} // namespace vantrel::test_text
