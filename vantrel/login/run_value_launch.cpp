#include "vantrel/login/run_value_launch.h"

#include <vector>

#include "common/registry.h"
#include "common/run_keys.h"
#include "common/text.h"
#include "vantrel/login/run_program.h"
#include "vantrel/login/stored_run_launch.h"

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

std::optional<RegistryText> StoredRunValueData(AppContext& context, const ProgramEntry& entry) {
  StoredRunValueKey key;
  if (entry.RegistryName.empty() || !FindStoredRunValueKey(context.platform, entry, key))
    return std::nullopt;
  const char* store = key.root == kHkeyCurrentUser ? kCurrentUserRunStore : kAllUsersRunStore;
  CRegistry registry(context.platform, key.view);
  const auto data = registry.ListedValue(key.root, store, entry.RegistryName);
  if (!data)
    return std::nullopt;
  return RegistryText{registry.GetValueType(key.root, store, entry.RegistryName).value_or(kRegSz),
                      *data};
}

void RunEntry(AppContext& context, const ProgramEntry& entry, const std::string& resolvedPath) {
  if (const auto data = StoredRunValueData(context, entry)) {
    // Windows expands a REG_EXPAND_SZ value's environment strings before it
    // starts the value; so does the login run.
    const std::string command = data->type == kRegExpandSz
                                    ? context.platform.ExpandEnvironmentStrings(data->text)
                                    : data->text;
    LaunchCommand launch = SplitForLaunch(command);
    RunProgram(context, std::move(launch.program), std::move(launch.arguments));
  } else {
    RunProgram(context, resolvedPath, entry.Parameters);
  }
}

} // namespace vantrel
