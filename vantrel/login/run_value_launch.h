// What the login run starts for a delayed Run value: the value's data as
// the store holds it, not the path and parameters its record was split
// into, so that every quote and blank of the arguments reaches the program
// as Windows would have passed them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/registry.h"
#include "vantrel/app/app_context.h"

namespace vantrel {

struct LaunchCommand {
  std::string program;   // without quotes
  std::string arguments; // exactly as they follow the program in the data
};

// Splits a command line as Windows reads its program: a quoted program runs
// to its closing quote; an unquoted one to the first ".exe" that a blank,
// a tab or the end follows, or else to the first blank or tab. One blank or
// tab after the program separates it from the arguments.
LaunchCommand SplitForLaunch(std::string_view data);

// The data and type of the stored value that a delayed record (command
// "ExecuteReg" or "ExecuteRegAU") names, in whichever view holds it; nothing when the store holds
// no such value or the record names none.
std::optional<RegistryText> StoredRunValueData(AppContext& context, const ProgramEntry& entry);

// Starts one program of a group: a delayed Run value from its stored data
// when the store has it, anything else from the resolved path and the
// entry's parameters.
void RunEntry(AppContext& context, const ProgramEntry& entry, const std::string& resolvedPath);

} // namespace vantrel
