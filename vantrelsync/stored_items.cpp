#include "vantrelsync/stored_items.h"

#include "common/dir_struct.h"
#include "common/event_log.h"
#include "common/registry.h"
#include "common/run_keys.h"
#include "common/store/store_tables.h"
#include "common/store/stored_run_values.h"
#include "common/text.h"
#include "vantrelsync/split_command.h"

namespace vantrel::sync {

namespace {

void ListFolder(Platform& platform, const std::string& folder, std::vector<std::string>& files,
                const char* failure) {
  if (!CDirStruct(platform).ReturnFiles(folder, files)) {
    WriteLog(platform, failure, LogWarning);
    files.assign(1, std::string()); // a broken listing adds nothing
  }
}

void ListStore(Platform& platform, RegKey root, const char* key, std::vector<std::string>& values,
               const char* failure) {
  if (!CRegistry(platform).EnumKey(root, key, values)) {
    WriteLog(platform, failure, LogWarning);
    values.assign(1, std::string());
    return;
  }
  store::ForgetCopiesOfRunKey(platform, root, values);
}

bool AddShortcuts(CProgramGroup& store, StoreIndex startup, const std::vector<std::string>& files,
                  std::string_view command) {
  // A file name is no command line: it is recorded exactly, blanks, ".exe"
  // and all, as the login run looks it up in the items folder.
  for (const std::string& file : files) {
    if (TrimBlanks(file).empty())
      continue;
    if (!store.AddProgramToGroup(startup, std::string(command), file, "", 0, ""))
      return false;
  }
  return true;
}

bool AddRunValues(CProgramGroup& store, StoreIndex startup, const std::vector<std::string>& values,
                  std::string_view command) {
  for (const std::string& value : values) {
    std::string name;
    std::string data;
    SplitNameValue(value, name, data);
    std::string path;
    std::string parameters;
    SplitCommand(data, path, parameters);
    if (path.empty() || name.empty())
      continue;
    if (!store.AddProgramToGroup(startup, std::string(command), path, parameters, 0, name))
      return false;
  }
  return true;
}

} // namespace

StoredSources ListStoredSources(Platform& platform, const SyncPlaces& places) {
  StoredSources sources;
  ListFolder(platform, places.CurrentUserItemsFolder, sources.CurrentUserFiles,
             "SYNC: Error retrieving Current Users's Startup Folder");
  ListFolder(platform, places.AllUsersItemsFolder, sources.AllUsersFiles,
             "SYNC: Error retrieving All Users' Startup Folder");
  ListStore(platform, kHkeyCurrentUser, kCurrentUserRunStore, sources.CurrentUserValues,
            "SYNC: Error retrieving Current User's Delayed Registry Run");
  ListStore(platform, kHkeyLocalMachine, kAllUsersRunStore, sources.AllUsersValues,
            "SYNC: Error retrieving All Users' Delayed Registry Run");
  return sources;
}

bool AddStoredItems(CProgramGroup& store, const StoredSources& sources) {
  const StoreIndex startup = store.AddGroup(std::string(kStartupGroupName));
  if (startup == kNoIndex)
    return false;
  return AddShortcuts(store, startup, sources.CurrentUserFiles, kCommandExecute) &&
         AddShortcuts(store, startup, sources.AllUsersFiles, kCommandExecuteAU) &&
         AddRunValues(store, startup, sources.CurrentUserValues, kCommandExecuteReg) &&
         AddRunValues(store, startup, sources.AllUsersValues, kCommandExecuteRegAU);
}

} // namespace vantrel::sync
