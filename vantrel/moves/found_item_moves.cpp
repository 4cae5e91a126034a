#include "vantrel/moves/found_item_moves.h"

#include <algorithm>

#include "common/command_split.h"
#include "common/registry.h"
#include "common/run_keys.h"
#include "common/store/store_tables.h"
#include "common/store/unrecorded_items.h"
#include "common/text.h"
#include "vantrel/moves/registry_moves.h"
#include "vantrel/moves/shortcut_moves.h"
#include "vantrel/tree/startup_item_kind.h"

namespace vantrel::items {

namespace {

MoveTo MoveToFor(FoundItemAction action) {
  return action == FoundItemAction::kStop ? MoveTo::kStopped : MoveTo::kDelayed;
}

bool IsShortcutKind(ItemKind kind) {
  return kind == kCurrentUserShortcut || kind == kAllUsersShortcut;
}

// Whether the store still holds the entry without a record: a second
// command on a tree built before the first must not record it twice.
bool StillUnrecorded(MoveSession& session, const std::string& text, ItemKind kind) {
  const store::UnrecordedItems found =
      store::FindUnrecordedItems(session.context.platform, session.context.Store);
  const std::vector<std::string>& list = kind == kCurrentUserShortcut   ? found.CurrentUserShortcuts
                                         : kind == kAllUsersShortcut    ? found.AllUsersShortcuts
                                         : kind == kCurrentUserRunValue ? found.CurrentUserRunValues
                                                                        : found.AllUsersRunValues;
  return std::find(list.begin(), list.end(), text) != list.end();
}

bool InRunKey(MoveSession& session, const RunScope& scope, const std::string& name) {
  std::vector<std::string> values;
  CRegistry(session.context.platform).EnumKey(scope.root, kRunKeyPath, values);
  return std::any_of(values.begin(), values.end(),
                     [&](const std::string& listed) { return StartsWith(listed, name + "="); });
}

void RecordRunValue(MoveSession& session, const RunScope& scope, const NameAndCommand& value,
                    MoveTo to) {
  const PathAndParameters split = SplitCommandLine(value.command);
  if (to == MoveTo::kStopped)
    session.store.AddStoppedProgram(split.path, scope.kind);
  else
    session.store.AddProgramToGroup(kNoIndex, scope.command, split.path, split.parameters, 0,
                                    value.name);
  session.SaveModel();
}

void ActOnRunValue(MoveSession& session, const std::string& text, ItemKind kind,
                   FoundItemAction action) {
  const RunScope scope = RunScopeOf(kind);
  const NameAndCommand value = SplitNameAndCommand(text);
  if (action != FoundItemAction::kPutBack) {
    RecordRunValue(session, scope, value, MoveToFor(action));
    return;
  }
  // The Run key's own value of that name stays; the stored one waits
  // where it is for the user to decide.
  if (InRunKey(session, scope, value.name)) {
    session.failures.Add(ItemType::kRunValue, value.name, reason::AlreadyThere(kRunKeyPath));
    return;
  }
  RestoreRegistryItem(session, text, kind, From::kListed);
  session.SaveModel();
}

void ActOnShortcut(MoveSession& session, const std::string& name, ItemKind kind,
                   FoundItemAction action) {
  if (action == FoundItemAction::kPutBack) {
    RestoreShortcutItem(session, name, kind, From::kListed);
    session.SaveModel();
  } else {
    DelayShortcutItem(session, name, kind, MoveToFor(action));
  }
}

} // namespace

void ActOnFoundItem(MoveSession& session, const std::string& text, ItemKind kind,
                    FoundItemAction action) {
  if (text.empty() || !StillUnrecorded(session, text, kind))
    return;
  if (IsShortcutKind(kind))
    ActOnShortcut(session, text, kind, action);
  else
    ActOnRunValue(session, text, kind, action);
}

void ActOnCheckedFoundItems(MoveSession& session, const CheckedFoundItems& checked,
                            FoundItemAction action) {
  for (const std::string& name : checked.shortcuts)
    ActOnFoundItem(session, name, kCurrentUserShortcut, action);
  for (const std::string& text : checked.runValues)
    ActOnFoundItem(session, text, kCurrentUserRunValue, action);
}

} // namespace vantrel::items
