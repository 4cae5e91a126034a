#include "vantrel/moves/shortcut_moves.h"

#include "common/dir_struct.h"
#include "common/file_functions.h"
#include "common/store/startup_group.h"
#include "common/store/stopped_programs.h"
#include "common/text.h"
#include "common/unpassed_names.h"
#include "vantrel/tree/startup_item_kind.h"
#include "vantrel/tree/switched_off_items.h"

namespace vantrel::items {

namespace {

// Into an items folder the shell may have to make the folder first.
constexpr std::uint32_t kIntoItemsFolder = kFofSilent | kFofNoConfirmation | kFofNoConfirmMkdir;
constexpr std::uint32_t kBackToStartupFolder = kFofSilent | kFofNoConfirmation;
// DE_ACCESSDENIEDSRC, which older shells answer instead of a Win32 code.
constexpr int kShellAccessDenied = 0x78;

bool Present(Platform& platform, const std::string& path) {
  return platform.GetFileAttributes(path) != kInvalidFileAttributes;
}

bool AccessDenied(int shellResult) {
  return (shellResult & 0xFFFF) == win32err::kAccessDenied || shellResult == kShellAccessDenied;
}

// Moves folder\name to target\name through the shell. The move counts
// only when the file has left its old place and is in its new one; a file
// already in the target is never replaced. Failures go to the session.
bool MoveShortcut(MoveSession& session, const ShortcutScope& scope, const std::string& name,
                  const std::string& from, const std::string& to, std::uint32_t flags) {
  Platform& platform = session.context.platform;
  const std::string source = WithTrailingBackslash(from) + name;
  const std::string target = WithTrailingBackslash(to) + name;
  if (!Present(platform, source)) {
    session.failures.Add(ItemType::kShortcut, name,
                         NameNotPassed(source) ? NameNotPassedReason() : reason::NotFound(from));
    return false;
  }
  if (Present(platform, target)) {
    session.failures.Add(ItemType::kShortcut, name, reason::AlreadyThere(to));
    return false;
  }
  const int result = CFileFunctions(platform).MoveFile(source, target, session.owner, "", flags);
  if (!Present(platform, source) && Present(platform, target)) {
    session.Moved([&platform, source, target, owner = session.owner] {
      CFileFunctions(platform).MoveFile(target, source, owner, "", kIntoItemsFolder);
    });
    return true;
  }
  session.failures.Add(ItemType::kShortcut, name,
                       !scope.currentUser && AccessDenied(result) ? reason::NeedsAdministrator()
                                                                  : reason::FileNotMoved(result));
  return false;
}

// Puts a delayed or stopped shortcut back where Windows starts it: moves it
// from the items folder into the Startup folder, or, when it came back
// there, leaves it. Its switch in Windows' startup settings is turned on
// first; a shortcut whose switch cannot be turned on stays where it is.
// True when its record may go (also when the file is in neither folder).
bool PutBack(MoveSession& session, const ShortcutScope& scope, const std::string& name,
             std::uint32_t flags) {
  Platform& platform = session.context.platform;
  const std::string inStartup = WithTrailingBackslash(scope.startupFolder) + name;
  const bool inItems = Present(platform, WithTrailingBackslash(scope.itemsFolder) + name);
  if (!inItems && !Present(platform, inStartup))
    return true;
  PutBackSwitch turnOn(session, scope.kind, name,
                       [&platform, inStartup] { return Present(platform, inStartup); });
  if (!turnOn.TurnOn())
    return false;
  if (inItems && !MoveShortcut(session, scope, name, scope.itemsFolder, scope.startupFolder, flags))
    return false;
  turnOn.PutBack();
  return true;
}

// The record of a delayed shortcut: its bare file name, which the login
// run looks up in the items folders. (Records of earlier builds held the
// full path with two backslashes before the name; those still start.)
void RecordDelayed(MoveSession& session, const ShortcutScope& scope, const std::string& name) {
  session.store.AddProgramToGroup(kNoIndex, scope.command, name, "", 0, "");
}

// A shortcut as the commands know it: its file name. A delayed node shows
// the record's path, which holds the items folder until the model is read
// again from the file.
CheckedItems ShortcutNames(const CheckedItems& checked) {
  const auto names = [](const std::vector<std::string>& texts) {
    std::vector<std::string> result;
    for (const std::string& text : texts)
      result.push_back(FileNameOf(text));
    return result;
  };
  return CheckedItems{names(checked.windows), names(checked.delayed), names(checked.stopped)};
}

// Drops the "Startup" program that records the delayed shortcut, by its
// file name, with the items folder in its path or without.
void DropDelayed(MoveSession& session, const ShortcutScope& scope, const std::string& name) {
  const StoreTables& tables = session.context.Store;
  const StoreIndex program = FindStartupProgram(tables, [&](const ProgramEntry& entry) {
    return entry.Command == scope.command && EqualsIgnoreCase(FileNameOf(entry.Path), name);
  });
  if (program != kNoIndex)
    session.store.RemoveProgramFromGroup(tables.StartupGroupIndex, program);
}

// Gives a shortcut in the items folder exactly one record: delayed, or
// stopped with stop. A record left over from before (the file was put back
// by hand, or a command was cut short) goes first, so the file never shows
// in two branches or starts twice. File names are unique in their folder,
// so the name alone finds the old records.
void RecordAs(MoveSession& session, const ShortcutScope& scope, const std::string& name,
              MoveTo to) {
  DropDelayed(session, scope, name);
  session.store.RemoveStoppedProgram(name, scope.kind);
  if (to == MoveTo::kStopped)
    session.store.AddStoppedProgram(name, scope.kind);
  else
    RecordDelayed(session, scope, name);
}

} // namespace

ShortcutScope ShortcutScopeOf(AppContext& context, ItemKind kind) {
  context.LookUpStartupFolders();
  ShortcutScope scope;
  scope.kind = kind;
  scope.currentUser = IsCurrentUserShortcut(kind);
  if (scope.currentUser) {
    scope.startupFolder = context.CurrentUserStartupFolder;
    scope.itemsFolder = context.Store.CurrentUserItemsFolder;
    scope.command = std::string(kCommandExecute);
  } else {
    scope.startupFolder = context.AllUsersStartupFolder;
    scope.itemsFolder = context.Store.AllUsersItemsFolder;
    scope.command = std::string(kCommandExecuteAU);
  }
  return scope;
}

bool DelayShortcutItem(MoveSession& session, const std::string& text, ItemKind kind, MoveTo to) {
  const std::string name = FileNameOf(text);
  if (name.empty())
    return false;
  // No file name holds a "?": this one did not pass the code page, and the
  // file it stands for can be neither moved nor recorded.
  if (NameNotPassed(name)) {
    session.failures.Add(ItemType::kShortcut, name, NameNotPassedReason());
    return false;
  }
  const ShortcutScope scope = ShortcutScopeOf(session.context, kind);
  // Already in the items folder, only the record changes, and a delay set
  // in the editor starts again at 0.
  const bool fromWindows =
      CDirStruct(session.context.platform).FileExists(name, scope.startupFolder);
  if (fromWindows &&
      !MoveShortcut(session, scope, name, scope.startupFolder, scope.itemsFolder, kIntoItemsFolder))
    return false;
  RecordAs(session, scope, name, to);
  if (fromWindows && to == MoveTo::kDelayed)
    NoteDelayedWhileSwitchedOff(session, kind, {name});
  session.SaveModel();
  return true;
}

void RestoreShortcutItem(MoveSession& session, const std::string& text, ItemKind kind, From from) {
  const std::string name = FileNameOf(text);
  if (name.empty())
    return;
  const ShortcutScope scope = ShortcutScopeOf(session.context, kind);
  // A file that is gone from the items folder has nothing to put back; its
  // record goes all the same.
  if (!PutBack(session, scope, name, kBackToStartupFolder))
    return;
  if (from == From::kStopped)
    session.store.RemoveStoppedProgram(name, kind);
  else
    DropDelayed(session, scope, name);
}

bool ApplyCheckedShortcutItems(MoveSession& session, const CheckedItems& checkedTexts, MoveTo to,
                               CheckedStopped stopped) {
  const CheckedItems checked = ShortcutNames(checkedTexts);
  const ShortcutScope scope = ShortcutScopeOf(session.context, kCurrentUserShortcut);
  for (const std::string& name : checked.windows) {
    if (!MoveShortcut(session, scope, name, scope.startupFolder, scope.itemsFolder,
                      kIntoItemsFolder))
      continue;
    RecordAs(session, scope, name, to);
    if (to == MoveTo::kDelayed)
      NoteDelayedWhileSwitchedOff(session, scope.kind, {name});
  }
  if (to == MoveTo::kStopped) {
    for (const std::string& name : checked.delayed)
      RecordAs(session, scope, name, MoveTo::kStopped);
  } else {
    for (const std::string& name : checked.stopped) {
      if (stopped == CheckedStopped::kDelayToo) {
        RecordAs(session, scope, name, MoveTo::kDelayed);
      } else {
        // The stopped entry goes in RestoreCheckedShortcutItems.
        PutBack(session, scope, name, kIntoItemsFolder);
      }
    }
  }
  return session.SaveModel();
}

bool RestoreCheckedShortcutItems(MoveSession& session, const CheckedItems& checkedTexts) {
  const CheckedItems checked = ShortcutNames(checkedTexts);
  const ShortcutScope scope = ShortcutScopeOf(session.context, kCurrentUserShortcut);
  for (const std::string& name : checked.delayed) {
    if (PutBack(session, scope, name, kBackToStartupFolder))
      DropDelayed(session, scope, name);
  }
  for (const std::string& name : checked.stopped) {
    if (PutBack(session, scope, name, kBackToStartupFolder))
      session.store.RemoveStoppedProgram(name, scope.kind);
  }
  return session.SaveModel();
}

} // namespace vantrel::items
