#include "vantrel/moves/check_propagation.h"

#include "vantrel/tree/startup_tree.h"

namespace vantrel::items {

namespace {

constexpr int kLevels = 3;

bool SetBelow(TreeModel& tree, TreeModel::NodeId node, bool checked, int levelsLeft) {
  bool changed = false;
  if (levelsLeft == 0)
    return changed;
  // A copy: the children do not change, but the node reference might move.
  const std::vector<TreeModel::NodeId> children = tree.At(node).children;
  for (const TreeModel::NodeId child : children) {
    TreeModel::Node& at = tree.At(child);
    changed = changed || at.checked != checked;
    at.checked = checked;
    changed = SetBelow(tree, child, checked, levelsLeft - 1) || changed;
  }
  return changed;
}

} // namespace

bool PropagateCheck(TreeModel& tree, TreeModel::NodeId node) {
  if (!tree.Contains(node))
    return false;
  const TreeModel::Node& at = tree.At(node);
  if (at.tag == startup_tree::kPopupTag || at.children.empty())
    return false;
  return SetBelow(tree, node, at.checked, kLevels);
}

} // namespace vantrel::items
