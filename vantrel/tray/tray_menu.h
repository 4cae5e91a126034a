// The tray icon's menu as plain data: the group "Startup" with its
// programs, the stopped programs, "&Open" and "&Quit Program". Building it
// assigns the command ids and stores them where the handler of a chosen
// entry looks them up (the programs' MenuId and the context's Tray ids).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "vantrel/app/app_context.h"

namespace vantrel {

struct TrayMenuEntry {
  enum class Kind { kCommand, kSeparator, kSubmenu };
  Kind kind = Kind::kCommand;
  std::string text;                    // as shown; "&" marks the access key
  std::int32_t id = 0;                 // kCommand only
  std::vector<TrayMenuEntry> children; // kSubmenu only
};

inline constexpr std::string_view kTrayRunAllText = "Run All";
inline constexpr std::string_view kTrayStoppedText = "Stopped";
inline constexpr std::string_view kTrayOpenText = "&Open";
inline constexpr std::string_view kTrayQuitText = "&Quit Program";

// The text of a program's entry: the part of the path after its last
// backslash, trimmed of blanks, or the whole path when that is empty.
std::string TrayEntryText(std::string_view path);

// Ids: with g = StartupGroupIndex + 1, the "Startup" entry and its "Run All"
// have g x 1000 and the program at index k has g x 1000 + 2 + k. The
// stopped part starts at the next multiple of 1000 above the last Startup id
// ("Run All" there, entry j at + 2 + j), and "&Open" and "&Quit Program"
// take + 1 and + 2 of the multiple of 1000 after that. Every id is unique.
// Free slots (empty paths, empty stopped entries) get no entry and id 0.
// Names from the tables are shown literally ("&" doubled).
std::vector<TrayMenuEntry> BuildTrayMenu(AppContext& context);

} // namespace vantrel
