#include "common/text_encoding.h"

#include <array>

namespace vantrel {

namespace {

// Code page 1252's characters 0x80-0x9F; the five unassigned ones map to
// the control character of the same number, as Windows maps them. The
// rest of the code page is Latin-1.
constexpr std::array<std::uint16_t, 32> kWesternHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::uint32_t kReplacement = 0xFFFD;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The code point of the UTF-8 sequence at bytes[at], and its length;
// nothing when no valid sequence starts there.
std::optional<std::pair<std::uint32_t, std::size_t>> DecodeAt(std::string_view bytes,
                                                              std::size_t at) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  if (lead < 0x80)
    return std::pair<std::uint32_t, std::size_t>{lead, 1};
  std::size_t length = 0;
  std::uint32_t code = 0;
  std::uint32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, least = 0x10000;
  } else {
    return std::nullopt;
  }
  if (bytes.size() - at < length)
    return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[at + i]);
    if ((next & 0xC0) != 0x80)
      return std::nullopt;
    code = (code << 6) | (next & 0x3F);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return std::nullopt;
  return std::pair<std::uint32_t, std::size_t>{code, length};
}

void AppendUtf16Le(std::string& out, std::uint32_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>(unit >> 8);
}

} // namespace

bool IsAscii(std::string_view bytes) {
  for (const char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80)
      return false;
  return true;
}

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const auto sequence = DecodeAt(bytes, at);
    if (!sequence)
      return false;
    at += sequence->second;
  }
  return true;
}

std::optional<std::string> PortableCodePageToUtf8(std::uint32_t codePage, std::string_view bytes) {
  if (codePage == kCodePageUtf8)
    return std::string(bytes);
  if (codePage != kCodePageWestern)
    return std::nullopt;
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kWesternHighControls[byte - 0x80] : byte);
  }
  return out;
}

std::string AsUtf8Text(Platform& platform, std::string bytes) {
  if (bytes.starts_with(kUtf8Bom))
    bytes.erase(0, kUtf8Bom.size());
  if (IsValidUtf8(bytes))
    return bytes;
  return platform.LegacyAnsiToUtf8(bytes);
}

std::u32string CodePoints(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const auto sequence = DecodeAt(utf8, at);
    out += sequence ? static_cast<char32_t>(sequence->first)
                    : static_cast<char32_t>(0xDC00 + static_cast<unsigned char>(utf8[at]));
    at += sequence ? sequence->second : 1;
  }
  return out;
}

std::string Utf16LeWithBom(std::string_view utf8) {
  std::string out = "\xFF\xFE";
  out.reserve(2 + utf8.size() * 2);
  for (std::size_t at = 0; at < utf8.size();) {
    const auto sequence = DecodeAt(utf8, at);
    const std::uint32_t code = sequence ? sequence->first : kReplacement;
    at += sequence ? sequence->second : 1;
    if (code < 0x10000) {
      AppendUtf16Le(out, code);
    } else {
      AppendUtf16Le(out, 0xD800 + ((code - 0x10000) >> 10));
      AppendUtf16Le(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
    }
  }
  return out;
}

} // namespace vantrel
