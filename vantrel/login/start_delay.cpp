#include "vantrel/login/start_delay.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/event_log.h"
#include "common/store/startup_group.h"
#include "common/store/store_numbers.h"
#include "common/store/unrecorded_items.h"
#include "vantrel/login/returned_at_login.h"
#include "vantrel/login/run_program.h"
#include "vantrel/login/run_value_launch.h"
#include "vantrel/login/wait.h"

namespace vantrel {

namespace {

void LogTimed(AppContext& context, const std::string& text) {
  WriteLog(context.platform, context.platform.FormatTimeOfDay() + text, LogInfo);
}

bool IsCommandWord(const std::string& command) {
  return command == kCommandExecute || command == kCommandExecuteAU ||
         command == kCommandExecuteReg || command == kCommandExecuteRegAU;
}

bool HasStartupPrograms(const AppContext& context) {
  const ProgramGroup* group = StartupGroup(context.Store);
  return group != nullptr && std::any_of(group->Programs.begin(), group->Programs.end(),
                                         [](const ProgramEntry& e) { return !e.Path.empty(); });
}

// Waits a delay of seconds; false when it does not fit a wait.
bool WaitSeconds(AppContext& context, float seconds) {
  const auto milliseconds = DelayToMilliseconds(seconds);
  if (!milliseconds)
    return false;
  WaitMilliseconds(context, *milliseconds);
  return true;
}

// The main wait and the launches; false when a delay ended the run.
bool LaunchStartupPrograms(AppContext& context) {
  // Items back in Windows' locations are looked for before the main delay
  // and watched for during every wait of the run.
  ReturnedItemsWatch returned(context);
  bool started = false;
  LogTimed(context,
           "  Waiting for " + store::FormatNumber(context.Store.MainStartupDelay) + " seconds.");
  if (!WaitSeconds(context, context.Store.MainStartupDelay))
    return false;
  LogTimed(context, "  Wait over.");

  // Handlers that run during the waits may reload the tables, so the group
  // is looked up again for every program and each entry is copied.
  for (std::size_t k = 0;; ++k) {
    const ProgramGroup* group = StartupGroup(context.Store);
    if (group == nullptr || k >= group->Programs.size())
      break;
    const ProgramEntry entry = group->Programs[k];
    if (entry.Path.empty())
      continue;
    const std::string path = ResolveShortcutPath(context, entry.Path);
    if (path.empty() || context.AbortWait)
      continue;
    if (returned.StartedByWindows(entry)) {
      LogTimed(context, "  Not started: " + entry.Path + " " + entry.Parameters +
                            " - it is back in Windows' startup, which starts it at this login (" +
                            returned.WindowsLocationOf(entry) + ").");
      continue;
    }
    LogTimed(context, " Waiting for " + store::FormatNumber(entry.Delay) + " seconds.");
    if (!WaitSeconds(context, entry.Delay))
      return false;
    // Quitting during this program's own wait cuts the wait short; the
    // program must not then start early.
    if (context.AbortWait || !IsCommandWord(entry.Command))
      continue;
    LogTimed(context, "  " + entry.Path + " " + entry.Parameters);
    RunEntry(context, entry, path);
    started = true;
  }
  returned.Finish(started);
  return true;
}

} // namespace

void StartDelay(AppContext& context, MainWindowPort& window) {
  // What a command cut short left in the store without a record starts
  // only once the user has given it one; the log says it is there. Asked
  // before disallowed programs lose their paths, which would make their
  // records look absent.
  for (const std::string& item :
       store::DescribeUnrecordedItems(store::FindUnrecordedItems(context.platform, context.Store)))
    WriteLog(context.platform, "Found in Vantrel's Store without a record, not started: " + item,
             LogWarning);

  std::vector<std::string> notAllowed;
  {
    CDelayLoad store = context.NewDelayLoad();
    store.RemoveDisallowed(notAllowed);
  }

  context.LoginRunInProgress = true;
  bool completed = true;
  if (context.Store.StartupGroupIndex < 0)
    WriteLog(context.platform, "Start Delay was called, but there weren't delayed items!", LogInfo);
  else if (HasStartupPrograms(context))
    completed = LaunchStartupPrograms(context);
  context.LoginRunInProgress = false;
  if (!completed)
    return;

  if (!context.AbortWait) {
    if (!window.IsVisible() && context.Store.StartupType == 1)
      window.Unload();
    else
      context.GuiMode = true;
  }
  for (const std::string& path : notAllowed) {
    if (!path.empty())
      WriteLog(context.platform, "Startup Item Not Allowed: " + path, LogWarning);
  }
}

} // namespace vantrel
