// Loading the language and data files of the program folder into the text
// tables: lang\languagefile.dat, the caption files lang\<code>\<kind>.<code>,
// data\safelist.dat and data\online.txt.
//
// A missing file is no error: the table keeps what it had. Caption files
// fill their table from index 0 without emptying it first, so entries past
// the end of a shorter file keep their earlier texts. While a file is read,
// pending window messages are let through before its first line and then
// every few milliseconds (PacedMessagePump), so that the windows stay
// responsive.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform/platform.h"
#include "vantrel/text/text_tables.h"

namespace vantrel {

// Caption file kinds, the part of the file name before the dot.
namespace caption_file {
constexpr std::string_view kButtons = "buttons";
constexpr std::string_view kMenus = "menus";
constexpr std::string_view kMessages = "messages";
constexpr std::string_view kToolbar = "toolbar";
// The program-group editor's own captions.
constexpr std::string_view kProperties = "properties";
// The options window's own captions.
constexpr std::string_view kOptions = "options";
// The tip window's own captions; its tips are in kTipOfDay.
constexpr std::string_view kTipCaptions = "tips";
// The tips themselves: one tip a line, no comments (read by the tip window).
constexpr std::string_view kTipOfDay = "tipofday";
// The about window's own captions.
constexpr std::string_view kAbout = "about";
} // namespace caption_file

// The name of a caption file relative to the lang folder: "en\buttons.en".
std::string CaptionFileName(std::string_view language, std::string_view kind);

// Fills a fixed-size table from program folder + "\lang\" + relativeName;
// entries past the table's end are ignored. False when the file is missing
// or unreadable (the table is then unchanged).
bool LoadLanguageFile(Platform& platform, const std::string& programFolder,
                      std::span<std::string> table, const std::string& relativeName);
// The same for a window's own table, which grows to hold every entry; the
// entries the file lacks (all of them when it is missing) get the built-in
// English texts.
bool LoadLanguageFile(Platform& platform, const std::string& programFolder,
                      std::vector<std::string>& table, const std::string& relativeName);
// The kind of a caption file's relative name: "en\buttons.en" is "buttons".
std::string_view CaptionKindOf(std::string_view relativeName);

// Reloads Buttons, Menus, Messages and Toolbar for the language code; what
// the files leave empty gets the built-in English texts.
void LoadLanguageFiles(Platform& platform, const std::string& programFolder,
                       const std::string& language, TextTables& tables);

// Languages from lang\languagefile.dat; one empty entry when there is none.
void LoadLanguageList(Platform& platform, const std::string& programFolder, TextTables& tables);

// OnlineSearchText from the first line of data\online.txt, trimmed.
void LoadOnlineText(Platform& platform, const std::string& programFolder, TextTables& tables);

// SafeList from data\safelist.dat; one empty entry when there is none. A file
// that exists but cannot be read is logged as a warning.
void LoadSafePrograms(Platform& platform, const std::string& programFolder, TextTables& tables);

// The start-up load: the language becomes "en" when empty, then the language
// list, the four shared caption tables, the online text and the safe list.
void LoadGlobalData(Platform& platform, const std::string& programFolder, std::string& language,
                    TextTables& tables);

} // namespace vantrel
