// Splitting the texts that Vantrel's stores hold: a command line into the
// program and its parameters, and a listed registry value into its name
// and data.
#pragma once

#include <string>
#include <string_view>

namespace vantrel::sync {

// Splits a command line after the ".exe" that ends the program's file
// name (one followed by a blank, a double quote or nothing). The program
// keeps its quotes; the parameters are what follows, without the one
// character after ".exe", trimmed. A text that ends in ".exe" or ".lnk",
// or holds no such ".exe", is all program. A text of blanks only leaves
// both results as they were.
void SplitCommand(std::string_view text, std::string& path, std::string& parameters);

// Splits "name=data" at its first "="; a text without one leaves both
// results as they were.
void SplitNameValue(std::string_view text, std::string& name, std::string& data);

} // namespace vantrel::sync
