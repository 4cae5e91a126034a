// What an item node of the main window's tree stands for, read back from
// the fixed captions of the tree's category nodes, and which item nodes are
// checked.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/tree_model.h"
#include "vantrel/moves/item_move_session.h"
#include "vantrel/tree/startup_item_kind.h"

namespace vantrel::items {

struct ItemNode {
  std::string text;
  std::string fullPath;
  // Its parent's caption begins with "Registry"; otherwise a shortcut.
  bool runValue = false;
  // Its full path contains "Current User"; otherwise all users.
  bool currentUser = false;
  // A Run value whose parent's caption names the 32-bit view.
  bool view32 = false;
  // Its full path contains "Stopped Items".
  bool stopped = false;
  // Its full path contains "Stopped Item" in any letter case (what Run
  // passes as "from stopped").
  bool stoppedForRun = false;
  // It carries the "#POP#" tag that makes it an item the commands act on.
  bool actionable = false;
  // It came back to Windows' startup (the returned-item tag); Take Back is
  // its command.
  bool returned = false;

  // The kind the commands pass: a Run value of the current user or all
  // users (kAllUsersRunValue32 in the 32-bit view), or a shortcut.
  ItemKind Kind() const;
};

// kNoNode (or a node that is gone) gives an ItemNode that is not
// actionable.
ItemNode ClassifyItemNode(const TreeModel& tree, TreeModel::NodeId node);

// True when any node of the tree, category nodes included, is checked.
bool AnyNodeChecked(const TreeModel& tree);

// The texts of the checked children of the current user's three shortcut
// or Run-value categories ("CurrentUserStartup", "DelayedItemsStartup
// CurrentUser", "StoppedItemsCurrentStartup", or the three "Registry" ones).
CheckedItems CheckedCurrentUserShortcuts(const TreeModel& tree);
CheckedItems CheckedCurrentUserRunValues(const TreeModel& tree);

// The texts of the checked children of a category node; none when the
// category is missing.
std::vector<std::string> CheckedChildren(const TreeModel& tree, std::string_view categoryKey);

} // namespace vantrel::items
