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
  for (std::string_view line : lines)
    (text += line) += "\r\n";
  return text;
}

// A CR LF text split into its lines; a last line without its CR LF is
// marked "<no CR LF>".
inline std::vector<std::string> CrLfLinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  if (start < text.size())
    lines.push_back(text.substr(start) + "<no CR LF>");
  return lines;
}

// The display of a text with its line ends made visible, for diffs.
inline std::string Visible(std::string_view text) {
  std::string out;
  for (char c : text)
    out += c == '\r' ? "\\r" : c == '\n' ? "\\n\n" : std::string(1, c);
  return out;
}

} // namespace vantrel::test_text
