// The program group "Startup" of the tables, looked up by its stored index.
#pragma once

#include "common/store/store_tables.h"

namespace vantrel {

// Null when StartupGroupIndex names no group of the table.
const ProgramGroup* StartupGroup(const StoreTables& tables);
ProgramGroup* StartupGroup(StoreTables& tables);

// The group at an index; null when there is none.
ProgramGroup* GroupAt(StoreTables& tables, StoreIndex index);

} // namespace vantrel
