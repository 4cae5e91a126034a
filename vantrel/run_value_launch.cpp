#include "vantrel/run_value_launch.h"

#include <vector>

#include "common/registry.h"
#include "common/run_keys.h"
#include "common/text.h"
#include "vantrel/run_program.h"

namespace vantrel {

namespace {

bool IsSeparator(char c) {
  return c == ' ' || c == '\t';
}

} // namespace

LaunchCommand SplitForLaunch(std::string_view data) {
  LaunchCommand result;
  std::size_t start = 0;
  while (start < data.size() && IsSeparator(data[start]))
    ++start;
  std::size_t rest = data.size();
  if (start < data.size() && data[start] == '"') {
    const auto close = data.find('"', start + 1);
    result.program = std::string(data.substr(start + 1, close - std::min(close, start + 1)));
    rest = close == std::string_view::npos ? data.size() : close + 1;
  } else {
    const std::string lower = ToLowerAscii(data);
    std::size_t end = std::string_view::npos;
    for (auto exe = lower.find(".exe", start); exe != std::string::npos;
         exe = lower.find(".exe", exe + 1)) {
      if (exe + 4 == data.size() || IsSeparator(data[exe + 4])) {
        end = exe + 4;
        break;
      }
    }
    if (end == std::string_view::npos) {
      end = start;
      while (end < data.size() && !IsSeparator(data[end]))
        ++end;
    }
    result.program = std::string(data.substr(start, end - start));
    rest = end;
  }
  if (rest < data.size() && IsSeparator(data[rest]))
    ++rest;
  result.arguments = std::string(data.substr(std::min(rest, data.size())));
  return result;
}

std::optional<std::string> StoredRunValueData(AppContext& context, const ProgramEntry& entry) {
  const bool currentUser = entry.Command == kCommandExecuteReg;
  if ((!currentUser && entry.Command != kCommandExecuteRegAU) || entry.RegistryName.empty())
    return std::nullopt;
  std::vector<std::string> values;
  if (!CRegistry(context.platform)
           .EnumKey(currentUser ? kHkeyCurrentUser : kHkeyLocalMachine,
                    currentUser ? kCurrentUserRunStore : kAllUsersRunStore, values))
    return std::nullopt;
  const std::string& name = entry.RegistryName;
  for (const std::string& value : values) {
    if (value.size() > name.size() && value[name.size()] == '=' &&
        EqualsIgnoreCase(std::string_view(value).substr(0, name.size()), name))
      return value.substr(name.size() + 1);
  }
  return std::nullopt;
}

void RunEntry(AppContext& context, const ProgramEntry& entry, const std::string& resolvedPath) {
  if (const auto data = StoredRunValueData(context, entry)) {
    LaunchCommand launch = SplitForLaunch(*data);
    RunProgram(context, std::move(launch.program), std::move(launch.arguments));
  } else {
    RunProgram(context, resolvedPath, entry.Parameters);
  }
}

} // namespace vantrel
