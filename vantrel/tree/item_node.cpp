#include "vantrel/tree/item_node.h"

#include "common/text.h"
#include "vantrel/tree/startup_item_kind.h"
#include "vantrel/tree/startup_tree.h"

namespace vantrel::items {

namespace {

namespace st = startup_tree;

} // namespace

std::vector<std::string> CheckedChildren(const TreeModel& tree, std::string_view categoryKey) {
  std::vector<std::string> texts;
  const TreeModel::NodeId category = tree.Find(categoryKey);
  if (category == TreeModel::kNoNode)
    return texts;
  for (const TreeModel::NodeId child : tree.At(category).children) {
    if (tree.At(child).checked)
      texts.push_back(tree.At(child).text);
  }
  return texts;
}

ItemKind ItemNode::Kind() const {
  if (runValue && view32 && !currentUser)
    return kAllUsersRunValue32;
  if (runValue)
    return currentUser ? kCurrentUserRunValue : kAllUsersRunValue;
  return currentUser ? kCurrentUserShortcut : kAllUsersShortcut;
}

ItemNode ClassifyItemNode(const TreeModel& tree, TreeModel::NodeId node) {
  ItemNode item;
  if (!tree.Contains(node))
    return item;
  const TreeModel::Node& at = tree.At(node);
  item.text = at.text;
  item.fullPath = FullPath(tree, node);
  item.runValue = tree.Contains(at.parent) && StartsWith(tree.At(at.parent).text, "Registry");
  item.currentUser = item.fullPath.find("Current User") != std::string::npos;
  item.view32 =
      item.runValue && tree.At(at.parent).text.find(st::kView32Caption) != std::string::npos;
  item.stopped = item.fullPath.find("Stopped Items") != std::string::npos;
  item.stoppedForRun = ToLowerAscii(item.fullPath).find("stopped item") != std::string::npos;
  item.returned = at.tag == st::kReturnedTag;
  item.actionable = at.tag == st::kPopupTag || item.returned;
  return item;
}

bool AnyNodeChecked(const TreeModel& tree) {
  for (const TreeModel::NodeId node : NodesInIndexOrder(tree)) {
    if (tree.At(node).checked)
      return true;
  }
  return false;
}

CheckedItems CheckedCurrentUserShortcuts(const TreeModel& tree) {
  return {CheckedChildren(tree, st::kCurrentUserStartup),
          CheckedChildren(tree, st::kDelayedStartupCurrentUser),
          CheckedChildren(tree, st::kStoppedCurrentStartup)};
}

CheckedItems CheckedCurrentUserRunValues(const TreeModel& tree) {
  return {CheckedChildren(tree, st::kCurrentUserRegistry),
          CheckedChildren(tree, st::kDelayedRegistryCurrentUser),
          CheckedChildren(tree, st::kStoppedCurrentRegistry)};
}

} // namespace vantrel::items
