#include "vantrel/moves/registry_moves.h"

#include <optional>
#include <vector>

#include "common/command_split.h"
#include "common/registry.h"
#include "common/store/startup_group.h"
#include "common/store/stored_run_values.h"
#include "common/text.h"
#include "common/unpassed_names.h"
#include "vantrel/login/run_at_login.h"
#include "vantrel/moves/registry_backup.h"
#include "vantrel/tree/startup_item_kind.h"
#include "vantrel/tree/switched_off_items.h"

namespace vantrel::items {

namespace {

// The value of that name, as EnumKey lists it (so a value of any type
// reads as the text the tree shows). Windows names values without regard
// to case, so "dreg" finds "DReg".
std::optional<std::string> ListedValue(Platform& platform, const RunScope& scope,
                                       const std::string& key, const std::string& name) {
  std::vector<std::string> values;
  CRegistry(platform, scope.view).EnumKey(scope.root, key, values);
  for (const std::string& value : values) {
    if (value.size() > name.size() && value[name.size()] == '=' &&
        EqualsIgnoreCase(std::string_view(value).substr(0, name.size()), name))
      return value.substr(name.size() + 1);
  }
  return std::nullopt;
}

StoreIndex DelayedRecordOf(const StoreTables& tables, const RunScope& scope,
                           const std::string& name) {
  return store::DelayedRunValueRecord(tables, scope.kind, name);
}

bool RecordedAsDelayed(const StoreTables& tables, const RunScope& scope, const std::string& name) {
  return DelayedRecordOf(tables, scope, name) != kNoIndex;
}

// The stored value a stopped item, known only by its program's path,
// stands for.
std::optional<NameAndCommand> StoredValueContaining(MoveSession& session, const RunScope& scope,
                                                    const std::string& text) {
  std::string value;
  if (!store::FindStoppedRunValue(session.context.platform, session.context.Store, scope.kind, text,
                                  value) ||
      value.empty())
    return std::nullopt;
  return SplitNameAndCommand(value);
}

// Whether the all-users store of the other registry view holds a value of
// this name. Records name a value without its view, so one name may be
// kept in one view only.
bool OtherViewHolds(Platform& platform, const RunScope& scope, const std::string& name) {
  if (scope.currentUser)
    return false;
  RunScope other = scope;
  other.view = scope.view == kKeyWow64_32Key ? 0 : kKeyWow64_32Key;
  return ListedValue(platform, other, other.store, name).has_value();
}

class RunValueMover {
public:
  RunValueMover(MoveSession& session, const RunScope& scope)
      : session_(session), platform_(session.context.platform), registry_(platform_, scope.view),
        scope_(scope) {}

  // Copies the value into the store and takes it out of the Run key. A
  // different value of the same name already in the store is never
  // replaced.
  bool IntoStore(const NameAndCommand& value) {
    const auto before = Stored(value.name);
    // A Run key value whose name differs only in case and whose data
    // differs is another value: it stays where it is.
    const bool wasInRunKey = RunKeyHolds(value);
    if (before && *before != value.command && wasInRunKey)
      return Fail(value.name, reason::AlreadyInStore());
    // The value keeps its type: where it is now, the Run key's copy first.
    const auto type = TypeIn(wasInRunKey ? kRunKeyPath : scope_.store, value.name);
    if (!IsTextType(type.value_or(kRegSz)))
      return Fail(value.name, reason::NotAProgramValue());
    const RegistryText data{type.value_or(kRegSz), value.command};
    registry_.CreateKey(scope_.root, scope_.store);
    registry_.SaveSettingText(scope_.root, scope_.store, value.name, data);
    if (Stored(value.name) != value.command || TypeIn(scope_.store, value.name) != data.type)
      return Fail(value.name,
                  scope_.currentUser ? reason::StoreNotReadBack() : reason::NeedsAdministrator());
    if (wasInRunKey)
      registry_.DeleteValue(scope_.root, kRunKeyPath, value.name);
    if (wasInRunKey && InRunKey(value.name)) {
      if (!before)
        registry_.DeleteValue(scope_.root, scope_.store, value.name);
      return Fail(value.name, !ReadableByName(value.name) ? NameNotPassedReason()
                              : scope_.currentUser        ? reason::RunKeyNotCleared()
                                                          : reason::NeedsAdministrator());
    }
    // A value that was only in the store already has not moved.
    if (wasInRunKey)
      session_.Moved(
          [&platform = platform_, scope = scope_, value, data, hadCopy = before.has_value()] {
            CRegistry back(platform, scope.view);
            back.SaveSettingText(scope.root, kRunKeyPath, value.name, data);
            // The store's copy goes only once the Run key holds the value
            // again; otherwise it is all there is of it.
            if (!hadCopy && ListedValue(platform, scope, kRunKeyPath, value.name) == value.command)
              back.DeleteValue(scope.root, scope.store, value.name);
          });
    return true;
  }

  // Writes the value back into the Run key and takes it out of the store.
  bool IntoRunKey(const NameAndCommand& value) {
    // Names differ in case only: the Run key's own value is never replaced.
    const auto inRunKey = ListedValue(platform_, scope_, kRunKeyPath, value.name);
    if (inRunKey && *inRunKey != value.command && Stored(value.name))
      return Fail(value.name, reason::AlreadyInRunKey());
    const bool wasInRunKey = inRunKey.has_value();
    const bool wasStored = Stored(value.name).has_value();
    // The stored copy's type is the value's own; REG_SZ for a value known
    // only by its text.
    const auto type = TypeIn(wasStored ? scope_.store : kRunKeyPath, value.name);
    if (!IsTextType(type.value_or(kRegSz)))
      return Fail(value.name, reason::NotAProgramValue());
    const RegistryText data{type.value_or(kRegSz), value.command};
    registry_.SaveSettingText(scope_.root, kRunKeyPath, value.name, data);
    if (ListedValue(platform_, scope_, kRunKeyPath, value.name) != value.command ||
        TypeIn(kRunKeyPath, value.name) != data.type)
      return Fail(value.name,
                  scope_.currentUser ? reason::RunKeyNotWritten() : reason::NeedsAdministrator());
    registry_.DeleteValue(scope_.root, scope_.store, value.name);
    if (Stored(value.name)) {
      if (!wasInRunKey)
        registry_.DeleteValue(scope_.root, kRunKeyPath, value.name);
      Fail(value.name,
           scope_.currentUser ? reason::StoreNotCleared() : reason::NeedsAdministrator());
      // A value that stays in the Run key starts from there: its record
      // must go, or it would start twice. The copy left in the store does
      // nothing.
      return InRunKey(value.name);
    }
    if (wasStored)
      session_.Moved([&platform = platform_, scope = scope_, value, data, wasInRunKey] {
        CRegistry back(platform, scope.view);
        back.SaveSettingText(scope.root, scope.store, value.name, data);
        if (!wasInRunKey && ListedValue(platform, scope, scope.store, value.name) == value.command)
          back.DeleteValue(scope.root, kRunKeyPath, value.name);
      });
    return true;
  }

  std::optional<std::string> Stored(const std::string& name) {
    return ListedValue(platform_, scope_, scope_.store, name);
  }
  // Listed, but not found by its own name: the name did not pass the code
  // page.
  bool ReadableByName(const std::string& name) {
    constexpr const char* kMissing = "\x01";
    return !NameNotPassed(name) || CRegistry(platform_).GetSettingString(
                                       scope_.root, kRunKeyPath, name, kMissing) != kMissing;
  }

  bool InRunKey(const std::string& name) {
    return ListedValue(platform_, scope_, kRunKeyPath, name).has_value();
  }
  std::optional<std::uint32_t> TypeIn(const std::string& key, const std::string& name) {
    return registry_.GetValueType(scope_.root, key, name);
  }
  // The type of the value where it is now: the Run key's, else the store's.
  std::uint32_t TypeOf(const std::string& name) {
    const auto type = TypeIn(kRunKeyPath, name);
    return type ? *type : TypeIn(scope_.store, name).value_or(kRegSz);
  }
  // The Run key holds this very value: its name, in any case, and its data.
  bool RunKeyHolds(const NameAndCommand& value) {
    return ListedValue(platform_, scope_, kRunKeyPath, value.name) == value.command;
  }

  bool Fail(const std::string& item, std::string why) {
    session_.failures.Add(ItemType::kRunValue, item, std::move(why));
    return false;
  }

private:
  MoveSession& session_;
  Platform& platform_;
  CRegistry registry_;
  const RunScope& scope_;
};

// The value that a node text of the form "name=command" stands for. The
// node of a delayed value shows its command as the model rebuilds it from
// path and parameters; the store holds the value exactly as it was, so
// that is the one to use wherever the Run key no longer has it.
NameAndCommand ValueOfText(RunValueMover& mover, const std::string& text) {
  NameAndCommand value = SplitNameAndCommand(text);
  if (!mover.RunKeyHolds(value)) {
    if (auto stored = mover.Stored(value.name))
      value.command = std::move(*stored);
  }
  return value;
}

void DropDelayed(MoveSession& session, const RunScope& scope, const std::string& name) {
  const StoreTables& tables = session.context.Store;
  const StoreIndex program = DelayedRecordOf(tables, scope, name);
  if (program != kNoIndex)
    session.store.RemoveProgramFromGroup(tables.StartupGroupIndex, program);
}

void RecordDelayed(MoveSession& session, const RunScope& scope, const std::string& name,
                   const PathAndParameters& split) {
  session.store.AddProgramToGroup(kNoIndex, scope.command, split.path, split.parameters, 0, name);
}

// Opens a backup file holding the scope's key line, or nothing.
std::optional<RegistryBackup> OpenBackup(MoveSession& session, const RunScope& scope) {
  const auto now = session.Now();
  if (!now)
    return std::nullopt;
  RegistryBackup backup(session.context.platform, session.context.ProgramFolder);
  if (!backup.Open(*now))
    return std::nullopt;
  if (!backup.WriteKeyLine(scope.currentUser, scope.view == kKeyWow64_32Key)) {
    backup.Discard(session.owner);
    return std::nullopt;
  }
  return backup;
}

// A value that came back is in Windows' hands already, with the program's
// own command, which stays: Vantrel only lets go of it. Its older copy
// leaves the store for a backup file, so that nothing records it again.
bool LetGoOfReturned(MoveSession& session, RunValueMover& mover, const RunScope& scope,
                     const std::string& name) {
  const auto stored = mover.Stored(name);
  if (!stored)
    return true;
  const RegistryText copy{mover.TypeIn(scope.store, name).value_or(kRegSz), *stored};
  auto backup = OpenBackup(session, scope);
  if (!backup || !backup->WriteValue(name, copy.text, copy.type))
    return mover.Fail(name, reason::BackupNotWritten());
  Platform& platform = session.context.platform;
  CRegistry(platform, scope.view).DeleteValue(scope.root, scope.store, name);
  session.Moved([&platform, scope, name, copy] {
    CRegistry(platform, scope.view).SaveSettingText(scope.root, scope.store, name, copy);
  });
  return true;
}

// Puts a delayed or stopped value back where Windows starts it: into the
// Run key, or, when it came back there, Vantrel only lets go of it. Its
// switch in Windows' startup settings is turned on first; a value whose
// switch cannot be turned on stays where it is.
bool PutBack(MoveSession& session, RunValueMover& mover, const RunScope& scope,
             const NameAndCommand& value) {
  Platform& platform = session.context.platform;
  PutBackSwitch turnOn(session, scope.kind, value.name, [&platform, scope, name = value.name] {
    return ListedValue(platform, scope, kRunKeyPath, name).has_value();
  });
  if (!turnOn.TurnOn())
    return false;
  if (!(mover.InRunKey(value.name) ? LetGoOfReturned(session, mover, scope, value.name)
                                   : mover.IntoRunKey(value)))
    return false;
  turnOn.PutBack();
  return true;
}

} // namespace

RunScope RunScopeOf(ItemKind kind) {
  RunScope scope;
  scope.kind = kind;
  scope.currentUser = IsCurrentUserRunValue(kind);
  scope.root = scope.currentUser ? kHkeyCurrentUser : kHkeyLocalMachine;
  scope.view = kind == kAllUsersRunValue32 ? kKeyWow64_32Key : 0;
  scope.store = scope.currentUser ? kCurrentUserRunStore : kAllUsersRunStore;
  scope.command = std::string(scope.currentUser ? kCommandExecuteReg : kCommandExecuteRegAU);
  return scope;
}

bool DelayRegistryItem(MoveSession& session, const std::string& text, ItemKind kind, MoveTo to,
                       From from) {
  if (text.empty())
    return false;
  const RunScope scope = RunScopeOf(kind);
  RunValueMover mover(session, scope);

  const bool fromStoppedNode = from == From::kStopped;
  NameAndCommand value;
  if (fromStoppedNode) {
    auto found = StoredValueContaining(session, scope, text);
    if (!found)
      return mover.Fail(text, reason::NoStoredData());
    value = std::move(*found);
  } else {
    value = ValueOfText(mover, text);
  }

  // Where the value is now, by the model: a stopped value has its entry in
  // the stopped list. Several values may share that entry's text (one
  // program, other arguments), so an entry goes only with its own value.
  const bool wasDelayed = RecordedAsDelayed(session.context.Store, scope, value.name);
  const bool fromWindows = mover.RunKeyHolds(value);
  const bool wasStopped = !wasDelayed && !mover.RunKeyHolds(value) && mover.Stored(value.name);

  // A value Windows does not start is not Vantrel's to move.
  const std::uint32_t type = mover.TypeOf(value.name);
  if (!IsTextType(type))
    return mover.Fail(value.name, reason::NotAProgramValue());
  if (mover.InRunKey(value.name) && OtherViewHolds(session.context.platform, scope, value.name))
    return mover.Fail(value.name, reason::NameTakenInOtherView());

  // The backup comes before any change to the registry.
  auto backup = OpenBackup(session, scope);
  if (!backup || !backup->WriteValue(value.name, value.command, type))
    return mover.Fail(value.name, reason::BackupNotWritten());
  if (!mover.IntoStore(value))
    return false;

  const PathAndParameters split = SplitCommandLine(value.command);
  // The stopped entry is the node's own text, whatever the split gives.
  const std::string stoppedEntry = fromStoppedNode ? text : split.path;
  if (to == MoveTo::kStopped) {
    if (!wasStopped)
      session.store.AddStoppedProgram(split.path, kind);
    DropDelayed(session, scope, value.name);
  } else {
    // Delaying a delayed value again starts its own delay at 0.
    DropDelayed(session, scope, value.name);
    RecordDelayed(session, scope, value.name, split);
    if (wasStopped)
      session.store.RemoveStoppedProgram(stoppedEntry, kind);
    if (fromWindows)
      NoteDelayedWhileSwitchedOff(session, kind, {value.name});
  }
  session.SaveModel();
  return true;
}

void RestoreRegistryItem(MoveSession& session, const std::string& text, ItemKind kind, From from) {
  if (text.empty())
    return;
  const RunScope scope = RunScopeOf(kind);
  RunValueMover mover(session, scope);
  if (from == From::kListed) {
    const NameAndCommand value = ValueOfText(mover, text);
    if (PutBack(session, mover, scope, value))
      DropDelayed(session, scope, value.name);
    return;
  }
  const auto found = StoredValueContaining(session, scope, text);
  if (!found) {
    mover.Fail(text, reason::NoStoredData());
    return;
  }
  if (PutBack(session, mover, scope, *found))
    session.store.RemoveStoppedProgram(text, kind);
}

bool ApplyCheckedRegistryItems(MoveSession& session, const CheckedItems& checked, MoveTo to,
                               CheckedStopped stopped) {
  const bool stop = to == MoveTo::kStopped;
  const RunScope scope = RunScopeOf(kCurrentUserRunValue);
  RunValueMover mover(session, scope);
  CDelayLoad& store = session.store;
  const StoreTables& tables = session.context.Store;
  // One file for the whole command; it goes again when no value was moved.
  auto backup = OpenBackup(session, scope);
  for (const std::string& text : checked.windows) {
    const NameAndCommand value = SplitNameAndCommand(text);
    // Gone from the Run key since the tree was built: the refresh after
    // the command shows where it is.
    if (!mover.InRunKey(value.name))
      continue;
    const std::uint32_t type = mover.TypeOf(value.name);
    if (!IsTextType(type)) {
      mover.Fail(value.name, reason::NotAProgramValue());
      continue;
    }
    if (!backup || !backup->WriteValue(value.name, value.command, type)) {
      mover.Fail(value.name, reason::BackupNotWritten());
      continue;
    }
    if (!mover.IntoStore(value))
      continue;
    const PathAndParameters split = SplitCommandLine(value.command);
    if (stop) {
      store.AddStoppedProgram(split.path, scope.kind);
    } else {
      RecordDelayed(session, scope, value.name, split);
      NoteDelayedWhileSwitchedOff(session, scope.kind, {value.name});
    }
  }
  if (stop) {
    for (const std::string& text : checked.delayed) {
      const NameAndCommand value = SplitNameAndCommand(text);
      const StoreIndex program = DelayedRecordOf(tables, scope, value.name);
      if (program == kNoIndex)
        continue;
      // The value itself stays in the store.
      store.AddStoppedProgram(
          StartupGroup(tables)->Programs[static_cast<std::size_t>(program)].Path, scope.kind);
      store.RemoveProgramFromGroup(tables.StartupGroupIndex, program);
    }
  } else if (stopped == CheckedStopped::kDelayToo) {
    for (const std::string& text : checked.stopped) {
      const auto found = StoredValueContaining(session, scope, text);
      if (!found) {
        mover.Fail(text, reason::NoStoredData());
        continue;
      }
      PathAndParameters split = SplitCommandLine(TrimBlanks(found->command));
      split.path = TrimBlanks(split.path);
      RecordDelayed(session, scope, found->name, split);
      store.RemoveStoppedProgram(text, scope.kind);
    }
  }
  if (backup && backup->ValueCount() == 0)
    backup->Discard(session.owner);
  return session.SaveModel();
}

bool RestoreCheckedRegistryItems(MoveSession& session, const CheckedItems& checked) {
  const RunScope scope = RunScopeOf(kCurrentUserRunValue);
  RunValueMover mover(session, scope);
  // As for one item: a value that came back keeps the program's command.
  for (const std::string& text : checked.delayed) {
    const NameAndCommand value = ValueOfText(mover, text);
    if (PutBack(session, mover, scope, value))
      DropDelayed(session, scope, value.name);
  }
  for (const std::string& text : checked.stopped) {
    const auto found = StoredValueContaining(session, scope, text);
    if (found && !PutBack(session, mover, scope, *found))
      continue;
    // An entry whose value is gone from the store has nothing to put
    // back; it goes all the same.
    session.store.RemoveStoppedProgram(text, scope.kind);
  }
  return session.SaveModel();
}

} // namespace vantrel::items
