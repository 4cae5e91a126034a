// Entries of Vantrel's stores that proggroup.c does not record: a shortcut
// in an items folder, or a value in a registry store, with neither a
// "Startup" program nor a stopped entry that leads to it. Nothing starts
// such an entry at login, and no branch of the tree would show it; a move
// cut short between taking an entry in and saving its record (the process
// ended: a crash, a logoff, End task) leaves one behind. The main window
// shows them in a branch of their own, the login run logs them, and
// VantrelSync's sync records every stored entry anyway.
#pragma once

#include <string>
#include <vector>

#include "common/platform/platform.h"
#include "common/store/store_tables.h"

namespace vantrel::store {

struct UnrecordedItems {
  std::vector<std::string> CurrentUserShortcuts; // file names, in folder order
  std::vector<std::string> AllUsersShortcuts;
  std::vector<std::string> CurrentUserRunValues; // "name=data", in store order
  std::vector<std::string> AllUsersRunValues;

  bool empty() const {
    return CurrentUserShortcuts.empty() && AllUsersShortcuts.empty() &&
           CurrentUserRunValues.empty() && AllUsersRunValues.empty();
  }
};

// Whether a shortcut of that file name in the items folder of the kind (3
// current user, 2 all users) has a record: a "Startup" program of its
// command word whose path ends in that name, or its stopped entry. File
// names are compared as Windows does, without regard to case.
bool ShortcutHasRecord(const StoreTables& tables, int kind, const std::string& fileName);

// What the two items folders and the two registry stores hold without a
// record. A stored value is recorded by a delayed program of its name, or
// by a stopped entry that leads to it: each stopped entry leads to the
// first value of its store, not yet led to by another entry, that is
// neither delayed nor a leftover copy of the Run key's value and whose
// listed text holds the entry's path (as putting stopped items back one
// after another finds them). A leftover copy is no entry of its own (the
// Run key's value is), and a value without a name is none Vantrel stored.
// A location that cannot be listed holds nothing here.
UnrecordedItems FindUnrecordedItems(Platform& platform, const StoreTables& tables);

// One line per entry, for the log, named as the tree's branch names it:
// "Current User, Startup Folder: " + file name, "All Users, Registry Run: "
// + name=data, and so on, current user's shortcuts first.
std::vector<std::string> DescribeUnrecordedItems(const UnrecordedItems& items);

} // namespace vantrel::store
