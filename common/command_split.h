// Taking apart the texts both programs keep for a Run value or a stored
// shortcut: "name=command" into name and command line, and a command line
// into the program and its parameters. Vantrel and VantrelSync cut one
// command at the same place, so a value keeps one program path whichever
// program records it.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

struct NameAndCommand {
  std::string name;
  std::string command;
};

// Splits "name=command" at the first "="; a further "=" stays in the
// command. A text without "=" is all name.
NameAndCommand SplitNameAndCommand(std::string_view text);

struct PathAndParameters {
  std::string path;
  std::string parameters;
};

// The program ends at the first ".exe" (letter case ignored) that ends a
// file name: one followed by a blank, a double quote or nothing; an ".exe"
// inside a folder name ("C:\Apps.exe.d\run.exe") does not count. The
// parameters are what follows that ".exe" and the one character after it
// (the closing quote or the blank), trimmed; the path is everything before
// them, so it keeps its quotes and the blanks that led up to the
// parameters. A command that ends in ".exe" or ".lnk", or holds no such
// ".exe", is all path.
PathAndParameters SplitCommandLine(std::string_view command);

} // namespace vantrel
