// Items that came back: a program that Vantrel holds as delayed or stopped
// wrote its Run value or its Startup shortcut again (many do so whenever
// they run or save their settings). Such an item is back in Windows'
// hands: Windows starts it at login, and a delayed one would start a
// second time from Vantrel. The tree marks these items, the Take Back
// command and the login run act on them; all three find them here.
//
// An item is back when a Windows location holds it and Vantrel's model
// records it under the same name in the same scope: a Run value of that
// name (compared without regard to case, as Windows compares value names)
// with an "ExecuteReg"/"ExecuteRegAU" record or a stopped entry whose
// stored value has that name, or a shortcut of that file name with an
// "Execute"/"ExecuteAU" record or a stopped entry.
#pragma once

#include <string>
#include <vector>

#include "common/item_kind.h"
#include "common/platform/platform.h"
#include "common/store/store_tables.h"
#include "vantrel/tree/startup_tree.h"

namespace vantrel {

struct ReturnedItem {
  ItemKind kind = ItemKind::kCurrentUserRunValue;
  bool delayed = true; // held as delayed; otherwise as stopped
  std::string name;    // the value name or file name as Windows holds it now
  std::string command; // a Run value's data as the Run key holds it now
  // A Run value as Vantrel's store holds it (name and data); for a stopped
  // Run value this is the value its stopped entry stands for.
  std::string storedName;
  std::string storedCommand;
  // A stopped item's entry in the stopped list, without its prefix.
  std::string stoppedEntry;

  bool RunValue() const {
    return kind == ItemKind::kAllUsersRunValue || kind == ItemKind::kCurrentUserRunValue ||
           kind == ItemKind::kAllUsersRunValue32;
  }
  bool CurrentUser() const {
    return kind == ItemKind::kCurrentUserRunValue || kind == ItemKind::kCurrentUserShortcut;
  }
  // The text of its node under Windows' items: "name=command" or the name.
  std::string Text() const { return RunValue() ? name + "=" + command : name; }
  // A name for the log: the Run key or Startup folder, then the item.
  std::string Where(const std::string& currentUserStartupFolder,
                    const std::string& allUsersStartupFolder) const;
  // One item whatever the letter case: kind and lower-case name. A value of
  // the 32-bit view shares the records of all users' values, and so their
  // identity.
  std::string Identity() const;
};

// The identity (kind and lower-case name) a "Startup" program has when it
// comes back: its value name for a delayed Run value, the file name of its
// path for a delayed shortcut; empty for any other command word.
std::string ReturnedIdentityOf(const ProgramEntry& program);

// The returned items, in the order of the lists (current user's Startup
// folder, current user's Run key, all users' folder, all users' Run key,
// its 32-bit view).
// The stores are read through the platform; lists are the Windows locations
// as a refresh read them.
std::vector<ReturnedItem> FindReturnedItems(Platform& platform, const StoreTables& tables,
                                            const StartupItemLists& lists);

} // namespace vantrel

namespace vantrel {

// Marks the nodes of the returned items under Windows' items: the tag that
// gives them the Take Back popup (all users' items too) and the picture of
// the branch Vantrel holds them in (delayed or stopped).
void MarkReturnedItems(TreeModel& tree, const std::vector<ReturnedItem>& returned);

} // namespace vantrel
