#include "vantrel/run_command_split.h"

#include "common/store/stopped_programs.h"

namespace vantrel::items {

NameAndCommand SplitNameAndCommand(std::string_view text) {
  const auto equals = text.find('=');
  if (equals == std::string_view::npos)
    return {std::string(text), {}};
  return {std::string(text.substr(0, equals)), std::string(text.substr(equals + 1))};
}

PathAndParameters SplitRunCommand(std::string_view command) {
  // The store reads a stopped Run value's command back the same way, so a
  // value keeps one path whichever way it travels.
  PathAndParameters result;
  store::SplitStoredCommand(command, result.path, result.parameters);
  return result;
}

} // namespace vantrel::items
