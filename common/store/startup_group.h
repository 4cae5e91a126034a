// The program group "Startup" of the tables, looked up by its stored index.
#pragma once

#include "common/store/store_tables.h"

namespace vantrel {

// Null when StartupGroupIndex names no group of the table.
const ProgramGroup* StartupGroup(const StoreTables& tables);
ProgramGroup* StartupGroup(StoreTables& tables);

// The group at an index; null when there is none.
ProgramGroup* GroupAt(StoreTables& tables, StoreIndex index);

// The index of the first program of "Startup" with a path that matches;
// kNoIndex when none does or there is no such group.
template <typename Match>
StoreIndex FindStartupProgram(const StoreTables& tables, const Match& matches) {
  const ProgramGroup* group = StartupGroup(tables);
  if (group == nullptr)
    return kNoIndex;
  for (std::size_t i = 0; i < group->Programs.size(); ++i) {
    const ProgramEntry& program = group->Programs[i];
    if (!program.Path.empty() && matches(program))
      return static_cast<StoreIndex>(i);
  }
  return kNoIndex;
}

} // namespace vantrel
