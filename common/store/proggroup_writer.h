// The text of proggroup.c: a fixed header comment, the disallowed list,
// the stopped list, the option blocks and one block per group, each line
// ended by CR LF. Vantrel writes the user's tables; VantrelSync writes its
// rebuilt groups with the built-in words, no stopped items and fixed
// options.
#pragma once

#include <string>
#include <vector>

#include "common/store/store_host.h"
#include "common/store/store_tables.h"

namespace vantrel::store {

// The file for Vantrel's tables. The language is written by its display
// name from languages; without an entry for it there is no Language line.
std::string FormatProgGroup(const StoreTables& tables, const std::vector<LanguageEntry>* languages);

// The file VantrelSync writes for the groups it rebuilt.
std::string FormatSyncProgGroup(const std::vector<ProgramGroup>& groups);

} // namespace vantrel::store
