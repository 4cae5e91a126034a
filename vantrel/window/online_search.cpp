#include "vantrel/window/online_search.h"

#include "common/command_split.h"
#include "common/text.h"
#include "common/text_encoding.h"

namespace vantrel::items {

namespace {

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

std::string OnlineSearchAddress(std::string_view addressTemplate, std::string_view itemText) {
  if (addressTemplate.empty() || itemText.empty())
    return {};
  const std::string encoded = UrlEncode(SearchTerms(itemText));
  return ReplaceAll(addressTemplate, kSearchTermsPlaceholder, encoded);
}

void SearchOnline(Platform& platform, WindowHandle owner, std::string_view addressTemplate,
                  std::string_view itemText) {
  // The tree's texts are UTF-8 already; only where Windows ignored the
  // UTF-8 code page (before 10 1903) are they in the legacy code page.
  const std::string address =
      OnlineSearchAddress(addressTemplate, AsUtf8Text(platform, std::string(itemText)));
  if (!address.empty())
    platform.ShellExecute(owner, "", address, "", "", kSwShowNormal);
}

} // namespace vantrel::items
