// Finding the "Startup" group program that records a delayed item. Two
// items may share a path (a shortcut of the same name for the current user
// and for all users, or two Run values with one command), so the command
// word, and for a Run value its value name, decide between them.
#pragma once

#include <string_view>

#include "common/store/store_tables.h"

namespace vantrel::items {

// The first program of the "Startup" group with this command word whose
// Path, or Path + " " + Parameters, equals the trimmed text; for a Run
// value (a non-empty name) one with that value name is taken first.
// kNoIndex when none is.
StoreIndex FindDelayedProgram(const StoreTables& tables, std::string_view text,
                              std::string_view command, std::string_view registryName = {});

} // namespace vantrel::items
