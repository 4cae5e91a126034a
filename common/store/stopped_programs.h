// The stopped list: startup items the user took out of Windows' startup
// without deleting them. Each entry is a kind prefix and the item's name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/item_kind.h"
#include "common/platform/platform.h"
#include "common/store/store_tables.h"

namespace vantrel::store {

// The prefix of a kind: "_REGAU_" for kAllUsersRunValue and (like it)
// kAllUsersRunValue32, "_REGCU_" for kCurrentUserRunValue, "_STPAU_" for
// kAllUsersShortcut, "_STPCU_" for kCurrentUserShortcut; empty for any
// other code.
std::string_view StoppedPrefix(ItemKind kind);

// Stores prefix + name, trimmed, in the last slot, appending one unless it
// is free.
void AddStoppedProgram(StoreTables& tables, const std::string& name, ItemKind kind);

// Frees the first entry equal to prefix + name (trimmed); the list keeps
// its length.
void RemoveStoppedProgram(StoreTables& tables, const std::string& name, ItemKind kind);

// Where a stopped item's data lies: a shortcut's file in its items folder,
// or the program and parameters of a stored Run value. path and parameters
// change only where something was found. False for an index outside the
// list, a text that is no entry, or a registry store that cannot be read.
bool GetStoppedInfo(Platform& platform, const StoreTables& tables, StoreIndex item,
                    std::string& path, std::string& parameters);
bool GetStoppedInfo(Platform& platform, const StoreTables& tables, std::string_view item,
                    std::string& path, std::string& parameters);

} // namespace vantrel::store
