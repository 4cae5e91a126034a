// Vantrel installed on the simulated machine, as the native tests and the
// benchmarks lay it out: its program folder, the folders start-up works
// out, and programs for the model. Needs no test framework, so that the
// benchmarks use it too.
#pragma once

#include <string>

#include "common/store/store_tables.h"
#include "vantrel/app/app_context.h"

namespace vantrel::installed {

inline const std::string kFolder = "C:\\Program Files\\Vantrel";
inline const std::string kOwnRun = "\"" + kFolder + "\\Vantrel.exe\" -nogui";
inline const std::string kCurrentUserItems = kFolder + "\\Vantrel Items\\Current User\\";
inline const std::string kAllUsersItems = kFolder + "\\Vantrel Items\\All Users\\";
inline const std::string kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::string kUserStartup =
    "C:\\Users\\Tester\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
inline const std::string kCommonStartup =
    "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";

inline ProgramEntry Program(const std::string& command, const std::string& path,
                            const std::string& parameters = "", const std::string& name = "",
                            float delay = 0) {
  ProgramEntry entry;
  entry.Command = command;
  entry.Path = path;
  entry.Parameters = parameters;
  entry.RegistryName = name;
  entry.Delay = delay;
  return entry;
}

// The paths start-up sets (own Run command, Startup folders, items folders)
// and the tables of a fresh install.
inline void SetUpInstalledContext(AppContext& context) {
  context.OwnRunCommand = kOwnRun;
  context.CurrentUserStartupFolder = kUserStartup;
  context.AllUsersStartupFolder = kCommonStartup;
  context.Store.CurrentUserItemsFolder = kCurrentUserItems;
  context.Store.AllUsersItemsFolder = kAllUsersItems;
  SetDefaultTables(context.Store);
}

} // namespace vantrel::installed
