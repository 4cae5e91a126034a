#include "vantrel/moves/take_back.h"

#include <optional>

#include "common/command_split.h"
#include "common/file_functions.h"
#include "common/registry.h"
#include "common/run_keys.h"
#include "common/store/startup_group.h"
#include "common/text.h"
#include "vantrel/moves/registry_backup.h"
#include "vantrel/moves/registry_moves.h"
#include "vantrel/moves/shortcut_moves.h"

namespace vantrel::items {

namespace {

constexpr std::uint32_t kMoveFlags = kFofSilent | kFofNoConfirmation | kFofNoConfirmMkdir;

bool Present(Platform& platform, const std::string& path) {
  return platform.GetFileAttributes(path) != kInvalidFileAttributes;
}

// The value of a key by its name in any letter case.
std::optional<NameAndCommand> ValueNamed(Platform& platform, std::uint32_t view, RegKey root,
                                         const std::string& key, const std::string& name) {
  std::vector<std::string> values;
  CRegistry(platform, view).EnumKey(root, key, values);
  for (const std::string& listed : values) {
    NameAndCommand value = SplitNameAndCommand(listed);
    if (!listed.empty() && EqualsIgnoreCase(value.name, name))
      return value;
  }
  return std::nullopt;
}

StoreIndex RecordOf(const StoreTables& tables, const ReturnedItem& item) {
  const std::string identity = item.Identity();
  return FindStartupProgram(
      tables, [&](const ProgramEntry& program) { return ReturnedIdentityOf(program) == identity; });
}

bool Fail(MoveSession& session, const ReturnedItem& item, std::string why) {
  session.failures.Add(item.RunValue() ? ItemType::kRunValue : ItemType::kShortcut, item.name,
                       std::move(why));
  return false;
}

bool TakeBackRunValue(MoveSession& session, const ReturnedItem& item) {
  Platform& platform = session.context.platform;
  const RunScope scope = RunScopeOf(item.kind);
  CRegistry registry(platform, scope.view);

  // The backup comes before any change: the command Vantrel kept, when the
  // program wrote another, then the one that now wins.
  const auto now = session.Now();
  RegistryBackup backup(platform, session.context.ProgramFolder);
  const bool oldDiffers = !item.storedName.empty() && item.storedCommand != item.command;
  // Both keep their types (REG_EXPAND_SZ stays expandable).
  const RegistryText kept{
      registry.GetValueType(scope.root, scope.store, item.storedName).value_or(kRegSz),
      item.storedCommand};
  const RegistryText wins{
      registry.GetValueType(scope.root, kRunKeyPath, item.name).value_or(kRegSz), item.command};
  if (!now || !backup.Open(*now) ||
      !backup.WriteKeyLine(scope.currentUser, scope.view == kKeyWow64_32Key) ||
      (oldDiffers && !backup.WriteValue(item.storedName, kept.text, kept.type)) ||
      !backup.WriteValue(item.name, wins.text, wins.type)) {
    if (backup.IsOpen())
      backup.Discard(session.owner);
    return Fail(session, item, reason::BackupNotWritten());
  }

  // Value names match in any case, so writing the kept value again
  // replaces the new one.
  const auto putOldBack = [&platform, scope, item, kept] {
    CRegistry back(platform, scope.view);
    if (item.storedName.empty())
      back.DeleteValue(scope.root, scope.store, item.name);
    else
      back.SaveSettingText(scope.root, scope.store, item.storedName, kept);
  };
  registry.CreateKey(scope.root, scope.store);
  registry.SaveSettingText(scope.root, scope.store, item.name, wins);
  const auto stored = ValueNamed(platform, scope.view, scope.root, scope.store, item.name);
  if (!stored || stored->command != item.command) {
    putOldBack();
    return Fail(session, item,
                scope.currentUser ? reason::StoreNotReadBack() : reason::NeedsAdministrator());
  }
  registry.DeleteValue(scope.root, kRunKeyPath, item.name);
  if (ValueNamed(platform, scope.view, scope.root, kRunKeyPath, item.name)) {
    putOldBack();
    return Fail(session, item,
                scope.currentUser ? reason::RunKeyNotCleared() : reason::NeedsAdministrator());
  }
  session.Moved([&platform, scope, item, wins, putOldBack] {
    CRegistry(platform, scope.view).SaveSettingText(scope.root, kRunKeyPath, item.name, wins);
    putOldBack();
  });

  const PathAndParameters split = SplitCommandLine(item.command);
  StoreTables& tables = session.context.Store;
  if (item.delayed) {
    // The record keeps its place and its delay; only the command changes.
    const StoreIndex record = RecordOf(tables, item);
    if (record != kNoIndex) {
      ProgramEntry& program = StartupGroup(tables)->Programs[static_cast<std::size_t>(record)];
      program.Path = split.path;
      program.Parameters = split.parameters;
      program.RegistryName = item.name;
    } else {
      session.store.AddProgramToGroup(kNoIndex, scope.command, split.path, split.parameters, 0,
                                      item.name);
    }
  } else if (split.path != item.stoppedEntry) {
    // The entry names the program's path, by which it finds its value.
    session.store.RemoveStoppedProgram(item.stoppedEntry, item.kind);
    session.store.AddStoppedProgram(split.path, item.kind);
  }
  return session.SaveModel();
}

// Moves a file through the shell; true when it left from and is at to.
bool MoveFileNoted(MoveSession& session, const std::string& from, const std::string& to,
                   int* shellResult = nullptr) {
  Platform& platform = session.context.platform;
  const int result = CFileFunctions(platform).MoveFile(from, to, session.owner, "", kMoveFlags);
  if (shellResult != nullptr)
    *shellResult = result;
  if (Present(platform, from) || !Present(platform, to))
    return false;
  session.Moved([&platform, from, to, owner = session.owner] {
    CFileFunctions(platform).MoveFile(to, from, owner, "", kMoveFlags);
  });
  return true;
}

bool TakeBackShortcut(MoveSession& session, const ReturnedItem& item) {
  Platform& platform = session.context.platform;
  const ShortcutScope scope = ShortcutScopeOf(session.context, item.kind);
  const std::string returned = WithTrailingBackslash(scope.startupFolder) + item.name;
  const std::string kept = WithTrailingBackslash(scope.itemsFolder) + item.name;
  if (!Present(platform, returned))
    return Fail(session, item, reason::NotFound(scope.startupFolder));
  if (Present(platform, kept)) {
    const auto now = session.Now();
    if (!now)
      return Fail(session, item, reason::BackupNotWritten());
    const std::string backup =
        ShortcutBackupPath(platform, session.context.ProgramFolder, *now, item.name);
    if (!MoveFileNoted(session, kept, backup))
      return Fail(session, item, reason::BackupNotWritten());
  }
  int result = 0;
  if (!MoveFileNoted(session, returned, kept, &result)) {
    return Fail(session, item,
                scope.currentUser ? reason::FileNotMoved(result) : reason::NeedsAdministrator());
  }
  // The record stays as it is: same file name, same delay, same entry.
  return session.SaveModel();
}

} // namespace

std::string ShortcutBackupPath(Platform& platform, const std::string& programFolder,
                               const LocalTime& when, const std::string& name) {
  const std::string folder = WithTrailingBackslash(programFolder) + kBackupFolderName + "\\" +
                             BackupDayFolderName(when) + "\\";
  const std::string stem = BackupFileStem(when) + " ";
  std::string path = folder + stem + name;
  for (int copy = 2; Present(platform, path); ++copy)
    path = folder + stem + "(" + std::to_string(copy) + ") " + name;
  return path;
}

bool TakeBackItem(MoveSession& session, const ReturnedItem& item) {
  return item.RunValue() ? TakeBackRunValue(session, item) : TakeBackShortcut(session, item);
}

} // namespace vantrel::items
