#include "common/command_split.h"

#include <algorithm>

#include "common/text.h"

namespace vantrel {

namespace {

constexpr std::string_view kExe = ".exe";

// Where the ".exe" that ends the program's file name begins.
std::size_t ProgramEnd(std::string_view lower) {
  for (auto at = lower.find(kExe); at != std::string_view::npos; at = lower.find(kExe, at + 1)) {
    const std::size_t after = at + kExe.size();
    if (after == lower.size() || lower[after] == ' ' || lower[after] == '"')
      return at;
  }
  return std::string_view::npos;
}

} // namespace

NameAndCommand SplitNameAndCommand(std::string_view text) {
  const auto equals = text.find('=');
  if (equals == std::string_view::npos)
    return {std::string(text), {}};
  return {std::string(text.substr(0, equals)), std::string(text.substr(equals + 1))};
}

PathAndParameters SplitCommandLine(std::string_view command) {
  const std::string lower = ToLowerAscii(command);
  const std::size_t exe = ProgramEnd(lower);
  if (EndsWith(lower, ".exe") || EndsWith(lower, ".lnk") || exe == std::string::npos)
    return {std::string(command), {}};
  // Skip ".exe" and the character after it (a closing quote or a blank).
  const std::size_t tailStart = std::min(exe + kExe.size() + 1, command.size());
  const std::string_view tail = command.substr(tailStart);
  const auto leadingBlanks = tail.find_first_not_of(' ');
  const std::size_t pathEnd =
      tailStart + (leadingBlanks == std::string_view::npos ? tail.size() : leadingBlanks);
  return {std::string(command.substr(0, pathEnd)), TrimBlanks(tail)};
}

} // namespace vantrel
