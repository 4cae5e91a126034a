#include "common/store/startup_group.h"

#include <type_traits>

namespace vantrel {

namespace {

template <typename Tables> auto* GroupIn(Tables& tables, StoreIndex index) {
  using Group = std::remove_reference_t<decltype(tables.ProgramGroups.front())>;
  if (index < 0 || static_cast<std::size_t>(index) >= tables.ProgramGroups.size())
    return static_cast<Group*>(nullptr);
  return &tables.ProgramGroups[static_cast<std::size_t>(index)];
}

} // namespace

ProgramGroup* GroupAt(StoreTables& tables, StoreIndex index) {
  return GroupIn(tables, index);
}

ProgramGroup* StartupGroup(StoreTables& tables) {
  return GroupIn(tables, tables.StartupGroupIndex);
}

const ProgramGroup* StartupGroup(const StoreTables& tables) {
  return GroupIn(tables, tables.StartupGroupIndex);
}

} // namespace vantrel
