// The state Vantrel shares across the whole process: the platform, the
// program-group tables, the caption tables, the folders worked out at start,
// the mode and the flags that join the launch engine and the main window.
// Exactly one exists per process; tests create a fresh one per case.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/platform/platform.h"
#include "common/store/delay_load.h"
#include "common/store/store_host.h"
#include "common/store/store_tables.h"
#include "vantrel/text/text_tables.h"

namespace vantrel {

// The caption of the main window; a second instance finds the first by it.
inline constexpr const char* kMainWindowTitle = "Vantrel Quorvel";
// The caption of Vantrel's own message boxes.
inline constexpr const char* kProgramTitle = "Vantrel";

// The command ids of the tray menu that was built last. An id of 0 stands
// for an entry that is not in the menu.
struct TrayMenuIds {
  std::int32_t StartupRunAllId = 0;
  std::int32_t StoppedRunAllId = 0;
  // Parallel to StoppedPrograms.
  std::vector<std::int32_t> StoppedMenuIds;
  std::int32_t TrayOpenId = 0;
  std::int32_t TrayQuitId = 0;
};

struct AppContext {
  explicit AppContext(Platform& platform);
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  // The hooks the program-group store calls back through.
  StoreHost MakeStoreHost();
  // A store object on the current user's proggroup.c.
  CDelayLoad NewDelayLoad();
  // A Messages entry, empty for an index outside the table.
  std::string Message(std::size_t index) const;

  Platform& platform;
  // The folder of the running exe, without a trailing backslash.
  const std::string ProgramFolder;

  // The program-group tables and options. The items folders live there too
  // (CurrentUserItemsFolder, AllUsersItemsFolder), since the reader strips
  // them from the paths it loads.
  StoreTables Store;
  TextTables Text;

  // False for a login start (-nogui) until the launch run decides that the
  // instance stays.
  bool GuiMode = false;
  // The quoted path of Vantrel.exe followed by " -nogui".
  std::string OwnRunCommand;
  // Windows' Startup folders, without a trailing backslash. A login start
  // leaves them to be looked up when the window first needs them: the
  // shell's folder lookup costs a login start more than the rest of its
  // paths together.
  std::string CurrentUserStartupFolder;
  std::string AllUsersStartupFolder;
  bool StartupFoldersPending = false;
  // Looks the Startup folders up when that is still pending.
  void LookUpStartupFolders();

  // A wait of the launch engine is running (at any depth).
  bool WaitInProgress = false;
  // The main window closed for good: no wait goes on, nothing more starts.
  bool AbortWait = false;
  // The login-time launch run is under way.
  bool LoginRunInProgress = false;
  // While set, the launch engine's waits wait through this (for at most the
  // given milliseconds) instead of for window messages alone: the login run
  // watches Windows' startup locations with it.
  std::function<void(std::uint32_t milliseconds)> WaitForMessagesHook;

  TrayMenuIds Tray;
};

} // namespace vantrel
