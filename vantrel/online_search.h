// Search Online for a startup item: the search words made from the item's
// text, encoded for a web address and put into the address template of
// data\online.txt in place of "{SEARCHTERMS}".
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/platform/platform.h"

namespace vantrel::items {

inline constexpr std::string_view kSearchTermsPlaceholder = "{SEARCHTERMS}";

// Turns text in the system code page into UTF-8.
using ToUtf8 = std::function<std::string(std::string_view)>;

// The words to search for: a shortcut's file name as it is; for a Run
// value ("name=command") the name, ", " and the command trimmed, cut down
// to the text between its first two double quotes when it starts with one.
std::string SearchTerms(std::string_view itemText);

// Percent-encodes every byte other than A-Z, a-z, 0-9, "-", "_", "." and
// "~", with capital hex digits.
std::string UrlEncode(std::string_view utf8);

// Text in Windows' Western code page (1252) as UTF-8: what is used when no
// conversion from the system's own code page is handed in.
std::string Windows1252ToUtf8(std::string_view text);

// The template with every "{SEARCHTERMS}" replaced by the encoded search
// words of the item; the template's own characters stay as they are. Empty
// when the template or the item text is empty.
std::string OnlineSearchAddress(std::string_view addressTemplate, std::string_view itemText,
                                const ToUtf8& toUtf8 = {});

// Opens the address through the shell's default action, owned by the
// window, shown normally. Nothing happens for an empty address; failures
// are ignored.
void SearchOnline(Platform& platform, WindowHandle owner, std::string_view addressTemplate,
                  std::string_view itemText, const ToUtf8& toUtf8 = {});

} // namespace vantrel::items
