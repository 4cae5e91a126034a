#include "vantrel/online_search.h"

#include <array>
#include <cstdint>

#include "common/command_split.h"
#include "common/text.h"

namespace vantrel::items {

namespace {

// Code page 1252's characters 0x80-0x9F; the five unassigned ones map to
// the control character of the same number, as Windows maps them.
constexpr std::array<std::uint16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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

bool Unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_' || c == '.' || c == '~';
}

} // namespace

std::string SearchTerms(std::string_view itemText) {
  if (itemText.find('=') == std::string_view::npos)
    return std::string(itemText);
  const NameAndCommand value = SplitNameAndCommand(itemText);
  std::string command = TrimBlanks(value.command);
  if (StartsWith(command, "\"")) {
    const auto closing = command.find('"', 1);
    command = command.substr(1, closing == std::string::npos ? std::string::npos : closing - 1);
  }
  return value.name + ", " + command;
}

std::string UrlEncode(std::string_view utf8) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (Unreserved(byte)) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    }
  }
  return out;
}

std::string Windows1252ToUtf8(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte);
  }
  return out;
}

std::string OnlineSearchAddress(std::string_view addressTemplate, std::string_view itemText,
                                const ToUtf8& toUtf8) {
  if (addressTemplate.empty() || itemText.empty())
    return {};
  const std::string terms = SearchTerms(itemText);
  const std::string encoded = UrlEncode(toUtf8 ? toUtf8(terms) : Windows1252ToUtf8(terms));
  return ReplaceAll(addressTemplate, kSearchTermsPlaceholder, encoded);
}

void SearchOnline(Platform& platform, WindowHandle owner, std::string_view addressTemplate,
                  std::string_view itemText, const ToUtf8& toUtf8) {
  const std::string address = OnlineSearchAddress(addressTemplate, itemText, toUtf8);
  if (!address.empty())
    platform.ShellExecute(owner, "", address, "", "", kSwShowNormal);
}

} // namespace vantrel::items
