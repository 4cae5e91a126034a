#include "common/store/unrecorded_items.h"

#include <unordered_set>

#include "common/dir_struct.h"
#include "common/registry.h"
#include "common/run_keys.h"
#include "common/store/startup_group.h"
#include "common/store/stopped_programs.h"
#include "common/store/stored_run_values.h"
#include "common/text.h"

namespace vantrel::store {

namespace {

constexpr ItemKind kAllUsersRun = ItemKind::kAllUsersRunValue;
constexpr ItemKind kCurrentUserRun = ItemKind::kCurrentUserRunValue;
constexpr ItemKind kAllUsersShortcut = ItemKind::kAllUsersShortcut;
constexpr ItemKind kCurrentUserShortcut = ItemKind::kCurrentUserShortcut;

const std::vector<ProgramEntry>& StartupPrograms(const StoreTables& tables) {
  static const std::vector<ProgramEntry> none;
  const ProgramGroup* group = StartupGroup(tables);
  return group != nullptr ? group->Programs : none;
}

// The file names of a kind's records, in lower case: one look-up per file
// keeps a store of thousands of items as quick as the rest of a refresh.
std::unordered_set<std::string> RecordedShortcutNames(const StoreTables& tables, ItemKind kind) {
  std::unordered_set<std::string> names;
  const std::string_view command =
      kind == kCurrentUserShortcut ? kCommandExecute : kCommandExecuteAU;
  for (const ProgramEntry& program : StartupPrograms(tables)) {
    if (!program.Path.empty() && program.Command == command)
      names.insert(ToLowerAscii(FileNameOf(program.Path)));
  }
  const std::string_view prefix = StoppedPrefix(kind);
  for (const std::string& entry : tables.StoppedPrograms) {
    if (StartsWith(entry, prefix))
      names.insert(ToLowerAscii(std::string_view(entry).substr(prefix.size())));
  }
  return names;
}

std::vector<std::string> UnrecordedShortcuts(Platform& platform, const StoreTables& tables,
                                             ItemKind kind) {
  std::vector<std::string> found;
  const std::string& folder =
      kind == kCurrentUserShortcut ? tables.CurrentUserItemsFolder : tables.AllUsersItemsFolder;
  std::vector<std::string> files;
  if (folder.empty() || !CDirStruct(platform).ReturnFiles(folder, files))
    return found;
  const std::unordered_set<std::string> recorded = RecordedShortcutNames(tables, kind);
  for (const std::string& file : files) {
    if (!file.empty() && recorded.count(ToLowerAscii(file)) == 0)
      found.push_back(file);
  }
  return found;
}

std::vector<std::string> UnrecordedRunValues(Platform& platform, const StoreTables& tables,
                                             ItemKind kind) {
  std::vector<std::string> found;
  const bool currentUser = kind == kCurrentUserRun;
  const RegKey root = currentUser ? kHkeyCurrentUser : kHkeyLocalMachine;
  std::vector<std::string> values;
  if (!CRegistry(platform).EnumKey(root, currentUser ? kCurrentUserRunStore : kAllUsersRunStore,
                                   values))
    return found;
  ForgetCopiesOfRunKey(platform, root, values);
  // Values recorded as delayed, by name in any letter case (as
  // DelayedRunValueRecord finds them, in one pass); the others wait for a stopped entry that leads
  // to them.
  std::unordered_set<std::string> delayed;
  const std::string_view command = currentUser ? kCommandExecuteReg : kCommandExecuteRegAU;
  for (const ProgramEntry& program : StartupPrograms(tables)) {
    if (!program.Path.empty() && program.Command == command)
      delayed.insert(ToLowerAscii(program.RegistryName));
  }
  std::vector<bool> recorded(values.size(), false);
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::string name = values[i].substr(0, values[i].find('='));
    recorded[i] = values[i].empty() || name.empty() || delayed.count(ToLowerAscii(name)) != 0;
  }
  const std::string_view prefix = StoppedPrefix(kind);
  for (const std::string& entry : tables.StoppedPrograms) {
    if (!StartsWith(entry, prefix) || entry.size() == prefix.size())
      continue;
    const std::string_view path = std::string_view(entry).substr(prefix.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
      if (!recorded[i] && values[i].find(path) != std::string::npos) {
        recorded[i] = true;
        break;
      }
    }
  }
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (!recorded[i])
      found.push_back(values[i]);
  }
  return found;
}

} // namespace

UnrecordedItems FindUnrecordedItems(Platform& platform, const StoreTables& tables) {
  UnrecordedItems items;
  items.CurrentUserShortcuts = UnrecordedShortcuts(platform, tables, kCurrentUserShortcut);
  items.AllUsersShortcuts = UnrecordedShortcuts(platform, tables, kAllUsersShortcut);
  items.CurrentUserRunValues = UnrecordedRunValues(platform, tables, kCurrentUserRun);
  items.AllUsersRunValues = UnrecordedRunValues(platform, tables, kAllUsersRun);
  return items;
}

std::vector<std::string> DescribeUnrecordedItems(const UnrecordedItems& items) {
  std::vector<std::string> lines;
  const std::pair<const char*, const std::vector<std::string>*> places[] = {
      {"Current User, Startup Folder: ", &items.CurrentUserShortcuts},
      {"Current User, Registry Run: ", &items.CurrentUserRunValues},
      {"All Users, Startup Folder: ", &items.AllUsersShortcuts},
      {"All Users, Registry Run: ", &items.AllUsersRunValues},
  };
  for (const auto& [place, list] : places) {
    for (const std::string& item : *list)
      lines.push_back(place + item);
  }
  return lines;
}

} // namespace vantrel::store
