// The disallowed words: programs of the Startup group that use one of them
// are never started. A word blocks a program when it equals, ignoring case,
// one of the words of the program's path (split at blanks, backslashes,
// slashes and double quotes) or such a word without its extension, so
// "del" blocks "cmd /c del x" and DEL.EXE but not Model.exe.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/store/store_tables.h"

namespace vantrel::store {

// True when the word blocks the path.
bool IsDisallowedBy(std::string_view path, std::string_view word);

// Appends, in their usual order, the built-in words that the list lacks
// (compared ignoring case).
void AddMissingBuiltInWords(std::vector<std::string>& list);

// Empties the Path of every Startup program that a disallowed word blocks
// and lists the trimmed paths in removed (once per blocking word; removed
// is one empty text when nothing was blocked).
void RemoveDisallowed(StoreTables& tables, std::vector<std::string>& removed);

} // namespace vantrel::store
