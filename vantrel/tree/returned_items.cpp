#include "vantrel/tree/returned_items.h"

#include "common/command_split.h"
#include "common/registry.h"
#include "common/run_keys.h"
#include "common/store/startup_group.h"
#include "common/store/stopped_programs.h"
#include "common/store/stored_run_values.h"
#include "common/text.h"
#include "vantrel/tree/startup_item_kind.h"

namespace vantrel {

namespace {

using items::kAllUsersRunValue;
using items::kAllUsersShortcut;
using items::kCurrentUserRunValue;
using items::kCurrentUserShortcut;

std::string_view DelayedCommandOf(ItemKind kind) {
  switch (kind) {
  case kAllUsersRunValue:
  case items::kAllUsersRunValue32:
    return kCommandExecuteRegAU;
  case kCurrentUserRunValue:
    return kCommandExecuteReg;
  case kAllUsersShortcut:
    return kCommandExecuteAU;
  default:
    return kCommandExecute;
  }
}

// The stopped entries of one kind, without their prefix.
std::vector<std::string> StoppedEntries(const StoreTables& tables, ItemKind kind) {
  const std::string_view prefix = store::StoppedPrefix(kind);
  std::vector<std::string> entries;
  for (const std::string& entry : tables.StoppedPrograms) {
    if (entry.size() > prefix.size() && StartsWith(entry, prefix))
      entries.push_back(entry.substr(prefix.size()));
  }
  return entries;
}

bool HasDelayedRecord(const StoreTables& tables, ItemKind kind, const std::string& name) {
  const std::string_view command = DelayedCommandOf(kind);
  const bool runValue = kind != kAllUsersShortcut && kind != kCurrentUserShortcut;
  return FindStartupProgram(tables, [&](const ProgramEntry& program) {
           return program.Command == command &&
                  EqualsIgnoreCase(runValue ? program.RegistryName : FileNameOf(program.Path),
                                   name);
         }) != kNoIndex;
}

void FindReturnedRunValues(Platform& platform, const StoreTables& tables, ItemKind kind,
                           const std::vector<std::string>& runValues,
                           std::vector<ReturnedItem>& found) {
  std::vector<std::string> stored;
  CRegistry(platform, store::RunValueView(kind))
      .EnumKey(kind == kCurrentUserRunValue ? kHkeyCurrentUser : kHkeyLocalMachine,
               kind == kCurrentUserRunValue ? kCurrentUserRunStore : kAllUsersRunStore, stored);
  const std::vector<std::string> stopped = StoppedEntries(tables, kind);
  for (const std::string& listed : runValues) {
    if (listed.empty())
      continue;
    const NameAndCommand value = SplitNameAndCommand(listed);
    ReturnedItem item;
    item.kind = kind;
    item.name = value.name;
    item.command = value.command;
    for (const std::string& storedListed : stored) {
      const NameAndCommand copy = SplitNameAndCommand(storedListed);
      if (!storedListed.empty() && EqualsIgnoreCase(copy.name, value.name)) {
        item.storedName = copy.name;
        item.storedCommand = copy.command;
        break;
      }
    }
    // The 32-bit view shares all users' records: the record is this view's
    // when its value lies in this view's store.
    item.delayed = HasDelayedRecord(tables, kind, value.name) &&
                   (kind != items::kAllUsersRunValue32 || !item.storedName.empty());
    if (!item.delayed) {
      // A stopped entry holds the program's path, which its stored value
      // contains; without a stored value of this name nothing is stopped.
      if (item.storedName.empty())
        continue;
      const std::string storedText = item.storedName + "=" + item.storedCommand;
      for (const std::string& entry : stopped) {
        if (storedText.find(entry) != std::string::npos) {
          item.stoppedEntry = entry;
          break;
        }
      }
      if (item.stoppedEntry.empty())
        continue;
    }
    found.push_back(std::move(item));
  }
}

void FindReturnedShortcuts(const StoreTables& tables, ItemKind kind,
                           const std::vector<std::string>& files,
                           std::vector<ReturnedItem>& found) {
  const std::vector<std::string> stopped = StoppedEntries(tables, kind);
  for (const std::string& file : files) {
    if (file.empty())
      continue;
    ReturnedItem item;
    item.kind = kind;
    item.name = file;
    item.delayed = HasDelayedRecord(tables, kind, file);
    if (!item.delayed) {
      for (const std::string& entry : stopped) {
        if (EqualsIgnoreCase(entry, file)) {
          item.stoppedEntry = entry;
          break;
        }
      }
      if (item.stoppedEntry.empty())
        continue;
    }
    found.push_back(std::move(item));
  }
}

} // namespace

std::string ReturnedItem::Where(const std::string& currentUserStartupFolder,
                                const std::string& allUsersStartupFolder) const {
  if (RunValue())
    return RunKeyFullName(CurrentUser(), kind == items::kAllUsersRunValue32) + "\\" + name;
  return WithTrailingBackslash(CurrentUser() ? currentUserStartupFolder : allUsersStartupFolder) +
         name;
}

std::string ReturnedItem::Identity() const {
  const ItemKind records =
      kind == ItemKind::kAllUsersRunValue32 ? ItemKind::kAllUsersRunValue : kind;
  return std::to_string(static_cast<int>(records)) + ":" + ToLowerAscii(name);
}

std::string ReturnedIdentityOf(const ProgramEntry& program) {
  const std::string_view command = program.Command;
  if (command == kCommandExecuteReg)
    return std::to_string(static_cast<int>(kCurrentUserRunValue)) + ":" +
           ToLowerAscii(program.RegistryName);
  if (command == kCommandExecuteRegAU)
    return std::to_string(static_cast<int>(kAllUsersRunValue)) + ":" +
           ToLowerAscii(program.RegistryName);
  if (command == kCommandExecute)
    return std::to_string(static_cast<int>(kCurrentUserShortcut)) + ":" +
           ToLowerAscii(FileNameOf(program.Path));
  if (command == kCommandExecuteAU)
    return std::to_string(static_cast<int>(kAllUsersShortcut)) + ":" +
           ToLowerAscii(FileNameOf(program.Path));
  return {};
}

std::vector<ReturnedItem> FindReturnedItems(Platform& platform, const StoreTables& tables,
                                            const StartupItemLists& lists) {
  std::vector<ReturnedItem> found;
  FindReturnedShortcuts(tables, kCurrentUserShortcut, lists.CurrentUserStartupFiles, found);
  FindReturnedRunValues(platform, tables, kCurrentUserRunValue, lists.CurrentUserRunValues, found);
  FindReturnedShortcuts(tables, kAllUsersShortcut, lists.AllUsersStartupFiles, found);
  FindReturnedRunValues(platform, tables, kAllUsersRunValue, lists.AllUsersRunValues, found);
  FindReturnedRunValues(platform, tables, items::kAllUsersRunValue32, lists.AllUsersRunValues32,
                        found);
  return found;
}

} // namespace vantrel

namespace vantrel {

void MarkReturnedItems(TreeModel& tree, const std::vector<ReturnedItem>& returned) {
  namespace st = startup_tree;
  for (const ReturnedItem& item : returned) {
    std::string_view category;
    switch (item.kind) {
    case items::kCurrentUserShortcut:
      category = st::kCurrentUserStartup;
      break;
    case items::kCurrentUserRunValue:
      category = st::kCurrentUserRegistry;
      break;
    case items::kAllUsersShortcut:
      category = st::kAllUsersStartup;
      break;
    case items::kAllUsersRunValue32:
      category = st::kAllUsersRegistry32;
      break;
    default:
      category = st::kAllUsersRegistry;
      break;
    }
    const TreeModel::NodeId parent = tree.Find(category);
    if (parent == TreeModel::kNoNode)
      continue;
    const std::string text = item.Text();
    for (const TreeModel::NodeId child : tree.At(parent).children) {
      TreeModel::Node& node = tree.At(child);
      if (node.text != text)
        continue;
      node.tag = st::kReturnedTag;
      node.image = item.delayed ? st::image::kDelay : st::image::kStopped;
      break;
    }
  }
}

} // namespace vantrel
