#include "vantrelsync/split_command.h"

#include <algorithm>

#include "common/text.h"

namespace vantrel::sync {

namespace {

constexpr std::string_view kExe = ".exe";

// Where the ".exe" that ends the program's file name begins. An ".exe"
// inside a folder name ("C:\Tools.exe.d\run.exe") is followed by more of
// the path and does not count.
std::size_t ProgramEnd(std::string_view lower) {
  for (auto at = lower.find(kExe); at != std::string_view::npos; at = lower.find(kExe, at + 1)) {
    const std::size_t after = at + kExe.size();
    if (after == lower.size() || lower[after] == ' ' || lower[after] == '"')
      return at;
  }
  return std::string_view::npos;
}

} // namespace

void SplitCommand(std::string_view text, std::string& path, std::string& parameters) {
  const std::string command = TrimBlanks(text);
  if (command.empty())
    return;
  const std::string lower = ToLowerAscii(command);
  const std::size_t exe = ProgramEnd(lower);
  if (EndsWith(lower, ".exe") || EndsWith(lower, ".lnk") || exe == std::string::npos) {
    path = command;
    parameters.clear();
    return;
  }
  // The program runs to the character after ".exe" (its closing quote or
  // the blank before the parameters); everything after that is parameters.
  const std::size_t tail = std::min(exe + kExe.size() + 1, command.size());
  parameters = TrimBlanks(std::string_view(command).substr(tail));
  path = TrimBlanks(std::string_view(command).substr(0, tail));
}

void SplitNameValue(std::string_view text, std::string& name, std::string& data) {
  const auto equals = text.find('=');
  if (equals == std::string_view::npos)
    return;
  name = std::string(text.substr(0, equals));
  data = std::string(text.substr(equals + 1));
}

} // namespace vantrel::sync
