// Ticking a category node of the item tree ticks what lies below it.
#pragma once

#include "common/tree_model.h"

namespace vantrel::items {

// When node is a category node (no "#POP#" tag) with children, gives its
// children, grandchildren and great-grandchildren its check state, depth
// first with siblings in order; nothing deeper (the tree has no deeper
// items). True when a check mark changed.
bool PropagateCheck(TreeModel& tree, TreeModel::NodeId node);

} // namespace vantrel::items
