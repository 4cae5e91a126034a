// Search Online for a startup item: the search words made from the item's
// text, encoded for a web address and put into the address template of
// data\online.txt in place of "{SEARCHTERMS}".
#pragma once

#include <string>
#include <string_view>

#include "common/platform/platform.h"

namespace vantrel::items {

inline constexpr std::string_view kSearchTermsPlaceholder = "{SEARCHTERMS}";

// The words to search for: a shortcut's file name as it is; for a Run
// value ("name=command") the name, ", " and the command trimmed, cut down
// to the text between its first two double quotes when it starts with one.
std::string SearchTerms(std::string_view itemText);

// Percent-encodes every byte other than A-Z, a-z, 0-9, "-", "_", "." and
// "~", with capital hex digits.
std::string UrlEncode(std::string_view utf8);

// The template with every "{SEARCHTERMS}" replaced by the search words of
// the item (UTF-8) percent-encoded; the template's own characters stay as
// they are. Empty when the template or the item text is empty.
std::string OnlineSearchAddress(std::string_view addressTemplate, std::string_view itemText);

// Opens the address through the shell's default action, owned by the
// window, shown normally. Nothing happens for an empty address; failures
// are ignored. An item text that is not UTF-8 is read in the legacy code
// page.
void SearchOnline(Platform& platform, WindowHandle owner, std::string_view addressTemplate,
                  std::string_view itemText);

} // namespace vantrel::items
