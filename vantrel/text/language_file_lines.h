// The line rules of Vantrel's language and data files, apart from reading
// them: how a file splits into lines, what a caption line, a languagefile.dat
// line and a safelist.dat line hold.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vantrel/text/text_tables.h"

namespace vantrel {

// The lines of a text file. Lines end with CR LF (or a bare LF, for files
// edited elsewhere); a last line without an end counts, an empty tail after
// the last line end does not.
std::vector<std::string_view> SplitFileLines(std::string_view bytes);

// The entry a caption line holds: the text before its first "//", unchanged
// and untrimmed, with every "$CrLf$" turned into CR LF. Empty when the line
// holds no entry (an empty line or a comment line), so it takes no index.
std::string CaptionEntry(std::string_view line);

// "Display name, code", split at the first comma and trimmed, after the
// "//" rule of caption lines. Nothing for a line without a comma or with an
// empty code.
std::optional<LanguageEntry> ParseLanguageLine(std::string_view line);

// "name<tabs>// description": tabs removed and the line trimmed; the name is
// everything before the first "//", the description what follows the last
// "//" less its first character. Nothing for empty and comment lines.
std::optional<SafeProgram> ParseSafeListLine(std::string_view line);

} // namespace vantrel
