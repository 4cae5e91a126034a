// A simulated machine with VantrelSync installed in Vantrel's program
// folder, run by the user "Tester".
#pragma once

#include <string>

#include "common/platform/sim/sim_platform.h"
#include "native/sync_test_support.h"
#include "vantrelsync/run_vantrel_sync.h"

namespace vantrel::sync_test {

inline const std::string kProgramFolder = "C:\\Program Files\\Vantrel";
inline const std::string kProgGroup = kProgramFolder + "\\Tester\\proggroup.c";
inline const std::string kBackup = kProgGroup + ".bak";
inline const std::string kLog = kProgramFolder + "\\log.txt";
inline const std::string kCurrentUserItems = kProgramFolder + "\\Vantrel Items\\Current User\\";
inline const std::string kAllUsersItems = kProgramFolder + "\\Vantrel Items\\All Users\\";
inline const std::string kCurrentUserStore = "Software\\Korvane\\Vantrel\\HKCU";
inline const std::string kAllUsersStore = "Software\\Korvane\\Vantrel\\HKLM";

inline sim::SimProcessOptions SyncProcess() {
  sim::SimProcessOptions options;
  options.moduleFileName = kProgramFolder + "\\VantrelSync.exe";
  return options;
}

// The log lines of a run that found every source and wrote the file.
inline const std::string kGoodRunLog =
    CrLf({"Warning: Starting Synchronization....", "Info: Finishing Synchronization...."});

} // namespace vantrel::sync_test
