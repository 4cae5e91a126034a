// How the simulated machine compares and matches names: without regard to
// case, like NTFS and the registry do, and with the shell's DOS wildcard
// rules for directory searches.
#pragma once

#include <string_view>

namespace vantrel::sim {

// Upper-cases an ASCII letter (a drive letter).
unsigned char FoldCase(char c);
// Upper-cases one character as the file system's case table does, for
// the scripts that have case: Latin (ASCII, Latin-1, Latin Extended-A),
// Greek, Cyrillic and the full-width Latin letters.
char32_t FoldCodePoint(char32_t c);
// Names are UTF-8 (the UTF-8 code page) and compared by folded characters.
bool NamesEqual(std::string_view a, std::string_view b);

// Orders names the way NTFS lists a folder: by their upper-cased
// characters.
struct NameLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

bool HasWildcard(std::string_view name);

// True when name matches a FindFirstFile pattern. Windows turns "?" into
// a character that may also match nothing at a dot or at the end, "*"
// before a dot into a star that stops at the last dot, and a dot before a
// wildcard or at the end into one that may match the end of the name; so
// "*.*" matches names without a dot too, and "a?" matches "a".
bool MatchesPattern(std::string_view pattern, std::string_view name);

} // namespace vantrel::sim
