// What the item commands do with an entry found in Vantrel's store without
// a record (vantrel/tree/found_items_branch.h). Delay and Stop give it the record
// it lacks, in place; Run puts it back where Windows starts it, through the
// same moves as a delayed item. An entry that has a record again since the
// tree was built is left alone, and a Run value whose name the Run key
// holds already is not written over it.
#pragma once

#include <string>
#include <vector>

#include "vantrel/moves/item_move_session.h"
#include "vantrel/tree/startup_item_kind.h"

namespace vantrel::items {

enum class FoundItemAction { kDelay, kStop, kPutBack };

// One item: text is the node's text (a file name, or "name=data"), kind its
// ItemKind. Writes the model.
void ActOnFoundItem(MoveSession& session, const std::string& text, ItemKind kind,
                    FoundItemAction action);

// The checked found items of the current user, as the toolbar acts on
// them: shortcuts and Run values, each as its node text.
struct CheckedFoundItems {
  std::vector<std::string> shortcuts;
  std::vector<std::string> runValues;
};
void ActOnCheckedFoundItems(MoveSession& session, const CheckedFoundItems& checked,
                            FoundItemAction action);

} // namespace vantrel::items
