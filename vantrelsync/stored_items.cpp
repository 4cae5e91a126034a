#include "vantrelsync/stored_items.h"

#include "common/command_split.h"
#include "common/dir_struct.h"
#include "common/event_log.h"
#include "common/registry.h"
#include "common/run_keys.h"
#include "common/store/store_tables.h"
#include "common/store/stored_run_values.h"
#include "common/text.h"

namespace vantrel::sync {

namespace {

// The program of a stored command line, without the blanks around it;
// empty for a text of blanks only.
PathAndParameters SplitStoredText(std::string_view text) {
  PathAndParameters split = SplitCommandLine(TrimBlanks(text));
  split.path = TrimBlanks(split.path);
  return split;
}

void ListFolder(Platform& platform, const std::string& folder, std::vector<std::string>& files,
                const char* failure) {
  if (!CDirStruct(platform).ReturnFiles(folder, files)) {
    WriteLog(platform, failure, LogWarning);
    files.assign(1, std::string()); // a broken listing adds nothing
  }
}

void ListStore(Platform& platform, RegKey root, const char* key, std::vector<std::string>& values,
               const char* failure, std::uint32_t view = 0) {
  if (!CRegistry(platform, view).EnumKey(root, key, values)) {
    WriteLog(platform, failure, LogWarning);
    values.assign(1, std::string());
    return;
  }
  store::ForgetCopiesOfRunKey(platform, root, values, view);
}

// Leaves out the values whose names the other listing holds.
void ForgetNamesOf(const std::vector<std::string>& other, std::vector<std::string>& values) {
  for (std::string& value : values) {
    const std::string name = SplitNameAndCommand(value).name;
    for (const std::string& taken : other) {
      if (!value.empty() && !taken.empty() && SplitNameAndCommand(taken).name == name)
        value.clear();
    }
  }
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
    const NameAndCommand stored = SplitNameAndCommand(value);
    const PathAndParameters split = SplitStoredText(stored.command);
    if (split.path.empty() || stored.name.empty())
      continue;
    if (!store.AddProgramToGroup(startup, std::string(command), split.path, split.parameters, 0,
                                 stored.name))
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
  if (store::Has32BitRegistryView(platform)) {
    ListStore(platform, kHkeyLocalMachine, kAllUsersRunStore, sources.AllUsersValues32,
              "SYNC: Error retrieving All Users' Delayed Registry Run (32-bit)", kKeyWow64_32Key);
    ForgetNamesOf(sources.AllUsersValues, sources.AllUsersValues32);
  }
  return sources;
}

bool AddStoredItems(CProgramGroup& store, const StoredSources& sources) {
  const StoreIndex startup = store.AddGroup(std::string(kStartupGroupName));
  if (startup == kNoIndex)
    return false;
  return AddShortcuts(store, startup, sources.CurrentUserFiles, kCommandExecute) &&
         AddShortcuts(store, startup, sources.AllUsersFiles, kCommandExecuteAU) &&
         AddRunValues(store, startup, sources.CurrentUserValues, kCommandExecuteReg) &&
         AddRunValues(store, startup, sources.AllUsersValues, kCommandExecuteRegAU) &&
         AddRunValues(store, startup, sources.AllUsersValues32, kCommandExecuteRegAU);
}

} // namespace vantrel::sync
