// The stopped list: startup items the user took out of Windows' startup
// without deleting them. Each entry is a kind prefix and the item's name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/platform/platform.h"
#include "common/store/store_tables.h"

namespace vantrel::store {

// The prefix of a kind: 0 "_REGAU_", 1 "_REGCU_", 2 "_STPAU_", 3 "_STPCU_",
// 4 (the 32-bit view of the machine's Run key) "_REGAU_" like kind 0;
// empty for any other kind.
std::string_view StoppedPrefix(int kind);

// Stores prefix + name, trimmed, in the last slot, appending one unless it
// is free.
void AddStoppedProgram(StoreTables& tables, const std::string& name, int kind);

// Frees the first entry equal to prefix + name (trimmed); the list keeps
// its length.
void RemoveStoppedProgram(StoreTables& tables, const std::string& name, int kind);

// Where a stopped item's data lies: a shortcut's file in its items folder,
// or the program and parameters of a stored Run value. path and parameters
// change only where something was found. False for an index outside the
// list, a text that is no entry, or a registry store that cannot be read.
bool GetStoppedInfo(Platform& platform, const StoreTables& tables, StoreIndex item,
                    std::string& path, std::string& parameters);
bool GetStoppedInfo(Platform& platform, const StoreTables& tables, std::string_view item,
                    std::string& path, std::string& parameters);

} // namespace vantrel::store
