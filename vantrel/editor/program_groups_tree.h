// The program-group editor's tree as LoadItems builds it: the root
// "Program Groups", one node per group, and under each program's path node
// its parameters node and its delay node. These helpers read that shape.
#pragma once

#include <string>
#include <string_view>

#include "common/tree_model.h"

namespace vantrel {

enum class GroupNodeKind { kNone, kRoot, kGroup, kPath, kParameters, kDelay };

// A node's kind by its place in the tree. Keys are not used for this: a
// group's key is its name, and a group called "Path tools" must still be a
// group.
GroupNodeKind KindOfGroupNode(const TreeModel& tree, TreeModel::NodeId node);

// The texts from the root down to the node, joined by backslashes, as a
// TreeView control gives a node's full path.
std::string NodeFullPath(const TreeModel& tree, TreeModel::NodeId node);

// What the editor shows for a node other than the root: the group's name,
// and for a program's nodes its path node with the program's texts.
struct GroupNodeTexts {
  TreeModel::NodeId pathNode = TreeModel::kNoNode; // kNoNode for a group node
  std::string group;
  std::string path;
  std::string parameters;
  std::string delay;
};
GroupNodeTexts TextsOfGroupNode(const TreeModel& tree, TreeModel::NodeId node);

// The first group node with exactly this text; kNoNode when none has it.
TreeModel::NodeId FindGroupNode(const TreeModel& tree, std::string_view name);

// The node the main window's Properties command opens the editor on: the
// first program path node, in tree order, whose text equals itemText or
// occurs within it (a delayed Run value's item text holds its name, "=",
// path and parameters). kNoNode when there is none.
TreeModel::NodeId FindPropertiesNode(const TreeModel& tree, std::string_view itemText);

} // namespace vantrel
