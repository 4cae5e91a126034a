#include "vantrel/tray/tray_command.h"

#include <optional>
#include <string>

#include "common/store/stopped_programs.h"
#include "vantrel/login/run_group.h"
#include "vantrel/login/run_program.h"
#include "vantrel/login/wait.h"

namespace vantrel {

namespace {

std::optional<ProgramEntry> ProgramWithMenuId(const AppContext& context, std::int32_t id) {
  for (const ProgramGroup& group : context.Store.ProgramGroups) {
    for (const ProgramEntry& program : group.Programs) {
      if (program.MenuId == id)
        return program;
    }
  }
  return std::nullopt;
}

// One program now, after its own delay.
void StartOne(AppContext& context, const ProgramEntry& program) {
  const std::string path = ResolveShortcutPath(context, program.Path);
  const auto milliseconds = DelayToMilliseconds(program.Delay);
  if (!milliseconds)
    return;
  WaitMilliseconds(context, *milliseconds);
  // The window closed for good during the wait: the user quit.
  if (context.AbortWait)
    return;
  RunProgram(context, path, program.Parameters);
}

void StartStopped(AppContext& context, std::size_t index) {
  std::string path;
  std::string parameters;
  store::GetStoppedInfo(context.platform, context.Store, static_cast<StoreIndex>(index), path,
                        parameters);
  RunProgram(context, path, parameters);
}

bool RunStoppedChoice(AppContext& context, std::int32_t id) {
  const TrayMenuIds& ids = context.Tray;
  if (ids.StoppedRunAllId != 0 && id == ids.StoppedRunAllId) {
    // Handlers run while programs start; the list is read afresh each time.
    for (std::size_t j = 0; j < context.Store.StoppedPrograms.size() && j < kMaxTableSlots; ++j) {
      if (!context.Store.StoppedPrograms[j].empty())
        StartStopped(context, j);
    }
    return true;
  }
  for (std::size_t j = 0; j < ids.StoppedMenuIds.size(); ++j) {
    if (ids.StoppedMenuIds[j] == id && j < context.Store.StoppedPrograms.size()) {
      StartStopped(context, j);
      return true;
    }
  }
  return false;
}

} // namespace

void OpenMainWindow(AppContext& context, MainWindowPort& window) {
  if (window.IsMinimized()) {
    window.Restore();
  } else if (!context.GuiMode) {
    // A login start never filled the tree.
    window.RefreshData();
  }
  window.ShowAndActivate();
}

void HandleTrayCommand(AppContext& context, MainWindowPort& window, std::int32_t id) {
  if (id < 1)
    return;
  const TrayMenuIds& ids = context.Tray;
  if (ids.StartupRunAllId != 0 && id == ids.StartupRunAllId) {
    RunGroup(context, context.Store.StartupGroupIndex);
    return;
  }
  if (const auto program = ProgramWithMenuId(context, id)) {
    StartOne(context, *program);
    return;
  }
  if (RunStoppedChoice(context, id))
    return;
  if (id == ids.TrayQuitId) {
    window.Unload();
    return;
  }
  if (id == ids.TrayOpenId)
    OpenMainWindow(context, window);
}

} // namespace vantrel
