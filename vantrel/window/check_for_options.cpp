#include "vantrel/window/check_for_options.h"

#include <exception>
#include <string>

#include "common/event_log.h"
#include "common/text.h"
#include "vantrel/tree/found_items_branch.h"
#include "vantrel/tree/startup_tree.h"

namespace vantrel {

ItemButtons CheckForOptions(TreeModel& tree) {
  ItemButtons buttons;
  for (const TreeModel::NodeId id : NodesInIndexOrder(tree)) {
    TreeModel::Node& node = tree.At(id);
    if (!node.checked)
      continue;
    const std::string path = FullPath(tree, id);
    if (StartsWith(path, "All Users")) {
      node.checked = false;
    } else if (StartsWith(path, "Delayed Items")) {
      buttons.stop = buttons.run = true;
    } else if (StartsWith(path, "Stopped Items")) {
      buttons.delay = buttons.run = true;
    } else if (IsFoundItemPath(path)) {
      buttons.stop = buttons.delay = buttons.run = true;
    } else {
      buttons.stop = buttons.delay = true;
    }
  }
  return buttons;
}

} // namespace vantrel
