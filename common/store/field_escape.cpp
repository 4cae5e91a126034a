#include "common/store/field_escape.h"

namespace vantrel::store {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendEscaped(std::string& out, unsigned char byte) {
  out += "<&";
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 0x0F];
  out += '>';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return -1;
}

// Bytes that end a field or a block, that the reader drops, or that end a
// line.
bool AlwaysEscaped(char c, FieldKind kind) {
  switch (c) {
  case '"':
    return kind != FieldKind::kStoppedEntry;
  case '\t':
  case '\r':
  case '\n':
  case '}':
  case '\0':
    return true;
  case ',':
  case ')':
    return kind == FieldKind::kRegistryName;
  default:
    return false;
  }
}

} // namespace

std::string EncodeField(std::string_view text, FieldKind kind) {
  // The reader trims program fields, and strips commas at the end of a
  // stopped entry.
  std::size_t first = 0;
  std::size_t last = text.size();
  if (kind != FieldKind::kStoppedEntry) {
    while (first < text.size() && text[first] == ' ')
      ++first;
    while (kind != FieldKind::kPath && last > first && text[last - 1] == ' ')
      --last;
  } else {
    while (last > first && text[last - 1] == ',')
      --last;
  }
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool edge = i < first || i >= last;
    const bool opener = c == '<' && i + 1 < text.size() && text[i + 1] == '&';
    if (edge || opener || AlwaysEscaped(c, kind))
      AppendEscaped(out, static_cast<unsigned char>(c));
    else
      out += c;
  }
  return out;
}

std::string DecodeField(std::string_view text) {
  if (text.find("<&") == std::string_view::npos)
    return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '<' && i + 4 < text.size() && text[i + 1] == '&' && text[i + 4] == '>') {
      const int high = HexValue(text[i + 2]);
      const int low = HexValue(text[i + 3]);
      if (high >= 0 && low >= 0) {
        out += static_cast<char>(high * 16 + low);
        i += 4;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

} // namespace vantrel::store
