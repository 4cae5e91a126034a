// Where Vantrel's Help menu leads: the help file beside the exe, and the
// forum, home page and support mailbox of Korvane. The addresses live here
// and nowhere else.
#pragma once

#include <string>
#include <string_view>

#include "common/platform/platform.h"

namespace vantrel {

namespace web_links {
inline constexpr std::string_view kForumPage = "https://forum.korvane.example/vantrel";
inline constexpr std::string_view kHomePage = "https://www.korvane.example/vantrel";
inline constexpr std::string_view kSupportAddress = "support@korvane.example";
// The subject of a support mail names the product and its major version.
inline constexpr std::string_view kSupportSubject = "Vantrel 2 Support";
} // namespace web_links

// The help file's name, relative to the program folder.
inline constexpr std::string_view kHelpFileName = "Vantrel.chm";

// "mailto:" the support address, with the subject (spaces encoded).
std::string SupportMailLink();

// Opens the help file through the shell's "open" action, owned by owner and
// shown normally. False, and nothing happens, when the file is not there.
bool ShowHelp(Platform& platform, const std::string& programFolder, WindowHandle owner);

// Opens an address through the shell's default action, shown normally.
// Shell failures are ignored; false when the shell reported one.
bool OpenWebLink(Platform& platform, WindowHandle owner, std::string_view address);

} // namespace vantrel
