// Small text helpers shared by both programs. Texts are ANSI bytes; case
// folding is ASCII only, like the comparisons the programs make.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

std::string ToLowerAscii(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool EndsWith(std::string_view text, std::string_view suffix);
bool StartsWith(std::string_view text, std::string_view prefix);
// Trims blanks (spaces only), as the programs' Trim does.
std::string TrimBlanks(std::string_view text);
// Replaces every occurrence of from (not empty) by to.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
// Adds a backslash unless the folder already ends in one.
std::string WithTrailingBackslash(std::string_view folder);
// What follows the last backslash of a path (all of it without one).
std::string FileNameOf(std::string_view path);
// What precedes the last backslash of a path (nothing without one).
std::string FolderOf(std::string_view path);

} // namespace vantrel
