// Reads the text of proggroup.c into the tables. The groups are rebuilt
// from the file; the stopped and disallowed lists only when their blocks
// are present, and each option only when its line is. The tree, when one
// is given, shows the groups and their programs in file order.
#pragma once

#include <string_view>

#include "common/store/store_host.h"
#include "common/store/store_tables.h"
#include "common/tree_model.h"

namespace vantrel::store {

// False when a broken line stopped the reading (an empty text counts as
// broken): what was read before it stays in the tables, and the programs
// are neither sorted nor StartupGroupIndex set. Otherwise the programs are
// sorted by delay and StartupGroupIndex names the first "Startup" group.
bool ReadProgGroup(std::string_view text, StoreTables& tables, const StoreHost& host,
                   TreeModel* tree);

} // namespace vantrel::store
