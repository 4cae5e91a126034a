// How the simulated machine compares and matches names: without regard to
// case, like NTFS and the registry do, and with the shell's DOS wildcard
// rules for directory searches.
#pragma once

#include <string_view>

namespace vantrel::sim {

// Upper-cases one character of the ANSI code page (1252), as the file
// system's case table does.
unsigned char FoldCase(char c);
bool NamesEqual(std::string_view a, std::string_view b);

// Orders names the way NTFS lists a folder: by their upper-cased bytes.
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
