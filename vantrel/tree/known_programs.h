// The safe list against the item tree: programs that data\safelist.dat
// does not name are shown bold, and a known program's description is the
// tree's tool tip while the pointer rests on it. Names are found by a
// case-sensitive substring test in the node's text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/platform/platform.h"
#include "common/tree_model.h"
#include "vantrel/text/text_tables.h"

namespace vantrel {

// Sets the bold flag of every node without children (empty category nodes
// included) whose text holds no non-empty safe-list name, and clears it on
// the others.
void MarkKnown(TreeModel& tree, const std::vector<SafeProgram>& safeList);

// The description of the first safe-list entry whose name occurs in text
// (an empty name occurs in every text); empty for an empty text or when
// nothing matches.
std::string ItemTip(const std::vector<SafeProgram>& safeList, std::string_view text);

} // namespace vantrel
