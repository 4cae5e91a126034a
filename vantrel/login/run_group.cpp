#include "vantrel/login/run_group.h"

#include "common/store/startup_group.h"
#include "vantrel/login/run_program.h"
#include "vantrel/login/run_value_launch.h"
#include "vantrel/login/wait.h"

namespace vantrel {

void RunGroup(AppContext& context, StoreIndex group) {
  // The waits let handlers change the tables: look the group up afresh for
  // every program and work on a copy of the entry.
  for (std::size_t k = 0;; ++k) {
    const ProgramGroup* programs = GroupAt(context.Store, group);
    if (programs == nullptr || k >= programs->Programs.size())
      return;
    const ProgramEntry entry = programs->Programs[k];
    if (entry.Path.empty())
      continue;
    const std::string path = ResolveShortcutPath(context, entry.Path);
    if (context.AbortWait)
      return;
    const auto milliseconds = DelayToMilliseconds(entry.Delay);
    if (!milliseconds)
      return;
    WaitMilliseconds(context, *milliseconds);
    if (context.AbortWait)
      return;
    RunEntry(context, entry, path);
  }
}

} // namespace vantrel
