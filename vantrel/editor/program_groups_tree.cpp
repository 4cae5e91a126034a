#include "vantrel/editor/program_groups_tree.h"

#include <vector>

namespace vantrel {

namespace {

using NodeId = TreeModel::NodeId;

int Depth(const TreeModel& tree, NodeId node) {
  int depth = 0;
  for (NodeId at = tree.At(node).parent; at != TreeModel::kNoNode; at = tree.At(at).parent)
    ++depth;
  return depth;
}

std::string ChildText(const TreeModel& tree, NodeId node, std::size_t index) {
  const auto& children = tree.At(node).children;
  return index < children.size() ? tree.At(children[index]).text : std::string();
}

} // namespace

GroupNodeKind KindOfGroupNode(const TreeModel& tree, NodeId node) {
  if (!tree.Contains(node))
    return GroupNodeKind::kNone;
  switch (Depth(tree, node)) {
  case 0:
    return GroupNodeKind::kRoot;
  case 1:
    return GroupNodeKind::kGroup;
  case 2:
    return GroupNodeKind::kPath;
  default: {
    const auto& siblings = tree.At(tree.At(node).parent).children;
    return !siblings.empty() && siblings.front() == node ? GroupNodeKind::kParameters
                                                         : GroupNodeKind::kDelay;
  }
  }
}

std::string NodeFullPath(const TreeModel& tree, NodeId node) {
  if (!tree.Contains(node))
    return {};
  std::string path = tree.At(node).text;
  for (NodeId at = tree.At(node).parent; at != TreeModel::kNoNode; at = tree.At(at).parent)
    path = tree.At(at).text + "\\" + path;
  return path;
}

GroupNodeTexts TextsOfGroupNode(const TreeModel& tree, NodeId node) {
  GroupNodeTexts texts;
  switch (KindOfGroupNode(tree, node)) {
  case GroupNodeKind::kGroup:
    texts.group = tree.At(node).text;
    return texts;
  case GroupNodeKind::kPath:
    texts.pathNode = node;
    break;
  case GroupNodeKind::kParameters:
  case GroupNodeKind::kDelay:
    texts.pathNode = tree.At(node).parent;
    break;
  default:
    return texts;
  }
  const TreeModel::Node& pathNode = tree.At(texts.pathNode);
  texts.path = pathNode.text;
  texts.parameters = ChildText(tree, texts.pathNode, 0);
  texts.delay = ChildText(tree, texts.pathNode, 1);
  texts.group = tree.At(pathNode.parent).text;
  return texts;
}

NodeId FindGroupNode(const TreeModel& tree, std::string_view name) {
  for (const NodeId root : tree.Roots()) {
    for (const NodeId group : tree.At(root).children) {
      if (tree.At(group).text == name)
        return group;
    }
  }
  return TreeModel::kNoNode;
}

NodeId FindPropertiesNode(const TreeModel& tree, std::string_view itemText) {
  for (const NodeId root : tree.Roots()) {
    for (const NodeId group : tree.At(root).children) {
      for (const NodeId program : tree.At(group).children) {
        const std::string& text = tree.At(program).text;
        if (!text.empty() && itemText.find(text) != std::string_view::npos)
          return program;
      }
    }
  }
  return TreeModel::kNoNode;
}

} // namespace vantrel
