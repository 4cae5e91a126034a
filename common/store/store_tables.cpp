#include "common/store/store_tables.h"

namespace vantrel {

void SetDefaultTables(StoreTables& tables) {
  tables.ProgramGroups.assign(1, ProgramGroup{std::string(kStartupGroupName), {ProgramEntry{}}});
  tables.MainStartupDelay = 30;
  tables.StartupType = 1;
  tables.CloseType = 1;
  tables.ShowTipsAtStartup = 1;
  tables.TakeBackReturnedItems = false;
  tables.Language = "en";
  tables.DisallowedPrograms.assign(kBuiltInDisallowed.begin(), kBuiltInDisallowed.end());
  tables.StoppedPrograms.assign(1, std::string());
}

} // namespace vantrel
