#include "common/store/program_group.h"

#include "common/safe_save.h"
#include "common/store/group_operations.h"
#include "common/store/proggroup_file.h"
#include "common/store/proggroup_writer.h"

namespace vantrel {

CProgramGroup::CProgramGroup(Platform& platform)
    : CProgramGroup(platform, store::UserProgGroupPath(platform)) {}

CProgramGroup::CProgramGroup(Platform& platform, std::string filePath)
    : platform_(platform), filePath_(std::move(filePath)) {
  SetDefaultTables(tables_);
  ResetGroups();
}

void CProgramGroup::ResetGroups() {
  tables_.ProgramGroups.assign(1, ProgramGroup{"", {ProgramEntry{}}});
  tables_.StartupGroupIndex = kNoIndex;
}

StoreIndex CProgramGroup::AddGroup(const std::string& name) {
  return store::AddGroup(tables_, name);
}

bool CProgramGroup::AddProgramToGroup(StoreIndex group, const std::string& command,
                                      const std::string& path, const std::string& parameters,
                                      float delay, const std::string& registryName) {
  return store::AddProgramToGroup(tables_, group, command, path, parameters, delay, registryName);
}

bool CProgramGroup::WriteItems() {
  return SaveFileSafely(platform_, filePath_, store::FormatSyncProgGroup(tables_.ProgramGroups));
}

} // namespace vantrel
