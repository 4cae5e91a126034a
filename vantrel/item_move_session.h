// What the moves of startup items work with while one command of the main
// window runs: the process context, the window's program-group store, the
// window that owns the shell's dialogs and message boxes, the clock for the
// registry backups, and the failures gathered on the way.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/store/delay_load.h"
#include "vantrel/app_context.h"
#include "vantrel/local_time.h"
#include "vantrel/move_failures.h"

namespace vantrel::items {

struct MoveSession {
  MoveSession(AppContext& appContext, CDelayLoad& programGroups, WindowHandle ownerWindow = 0,
              LocalTimeSource localTime = {})
      : context(appContext), store(programGroups), owner(ownerWindow), clock(std::move(localTime)) {
  }

  std::optional<LocalTime> Now() { return CurrentLocalTime(context.platform, clock); }
  // Writes the model; a file that cannot be written is a failure to show.
  bool SaveModel();

  AppContext& context;
  CDelayLoad& store;
  WindowHandle owner;
  LocalTimeSource clock;
  MoveFailures failures;
};

// The texts of the checked item nodes of the current user's three
// categories of one type (shortcuts or Run values), in tree order: those
// still in Windows' hands, the delayed ones and the stopped ones.
struct CheckedItems {
  std::vector<std::string> windows;
  std::vector<std::string> delayed;
  std::vector<std::string> stopped;

  bool empty() const { return windows.empty() && delayed.empty() && stopped.empty(); }
};

} // namespace vantrel::items
