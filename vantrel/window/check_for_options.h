// Which of the toolbar's item buttons the checked tree nodes allow: a
// checked Windows item can be stopped or delayed, a checked delayed item
// stopped or run normally, a checked stopped item delayed or run normally.
// Windows' own all-users items cannot be acted on: their check marks are
// taken away here.
#pragma once

#include "common/platform/platform.h"
#include "common/tree_model.h"

namespace vantrel {

// The enabled state of toolbar buttons 5 (Stop), 6 (Delay) and 7 (Run).
struct ItemButtons {
  bool stop = false;
  bool delay = false;
  bool run = false;

  bool operator==(const ItemButtons&) const = default;
};

// Walks the nodes in index order. Every checked node whose full path begins
// with "All Users" is unchecked, including those after the point where all
// three buttons are already enabled, so that no check mark is left where no
// command would act.
ItemButtons CheckForOptions(TreeModel& tree);

} // namespace vantrel
