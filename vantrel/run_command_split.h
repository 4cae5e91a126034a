// How the main window takes a Run value apart: its listed text into the
// value's name and command line, and the command line into the program's
// path and its parameters, as the "Startup" group keeps them.
#pragma once

#include <string>
#include <string_view>

namespace vantrel::items {

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

// Splits a command line after its first ".exe" (letter case ignored): the
// parameters are what follows ".exe" and the one character after it
// (a closing quote or a blank), trimmed; the path is everything before
// them, untrimmed, so a blank or quote that ends the program's part stays.
// A command that ends in ".exe", or holds none, is all path.
PathAndParameters SplitRunCommand(std::string_view command);

} // namespace vantrel::items
