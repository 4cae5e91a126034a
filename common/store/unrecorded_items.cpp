#include "common/store/unrecorded_items.h"

#include "common/dir_struct.h"
#include "common/registry.h"
#include "common/run_keys.h"
#include "common/store/startup_group.h"
#include "common/store/stopped_programs.h"
#include "common/store/stored_run_values.h"
#include "common/text.h"

namespace vantrel::store {

namespace {

constexpr int kAllUsersRun = 0;
constexpr int kCurrentUserRun = 1;
constexpr int kAllUsersShortcut = 2;
constexpr int kCurrentUserShortcut = 3;

std::vector<std::string> UnrecordedShortcuts(Platform& platform, const StoreTables& tables,
                                             int kind) {
  std::vector<std::string> found;
  const std::string& folder =
      kind == kCurrentUserShortcut ? tables.CurrentUserItemsFolder : tables.AllUsersItemsFolder;
  std::vector<std::string> files;
  if (folder.empty() || !CDirStruct(platform).ReturnFiles(folder, files))
    return found;
  for (const std::string& file : files) {
    if (!file.empty() && !ShortcutHasRecord(tables, kind, file))
      found.push_back(file);
  }
  return found;
}

std::vector<std::string> UnrecordedRunValues(Platform& platform, const StoreTables& tables,
                                             int kind) {
  std::vector<std::string> found;
  const bool currentUser = kind == kCurrentUserRun;
  const RegKey root = currentUser ? kHkeyCurrentUser : kHkeyLocalMachine;
  std::vector<std::string> values;
  if (!CRegistry(platform).EnumKey(root, currentUser ? kCurrentUserRunStore : kAllUsersRunStore,
                                   values))
    return found;
  ForgetCopiesOfRunKey(platform, root, values);
  // Values a stopped entry may lead to, and those that record themselves.
  std::vector<bool> recorded(values.size(), false);
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::string name = values[i].substr(0, values[i].find('='));
    recorded[i] =
        values[i].empty() || name.empty() || DelayedRunValueRecord(tables, kind, name) != kNoIndex;
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

bool ShortcutHasRecord(const StoreTables& tables, int kind, const std::string& fileName) {
  const std::string_view command =
      kind == kCurrentUserShortcut ? kCommandExecute : kCommandExecuteAU;
  if (FindStartupProgram(tables, [&](const ProgramEntry& program) {
        return program.Command == command && EqualsIgnoreCase(FileNameOf(program.Path), fileName);
      }) != kNoIndex)
    return true;
  const std::string_view prefix = StoppedPrefix(kind);
  for (const std::string& entry : tables.StoppedPrograms) {
    if (StartsWith(entry, prefix) &&
        EqualsIgnoreCase(std::string_view(entry).substr(prefix.size()), fileName))
      return true;
  }
  return false;
}

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
