// A tree of captioned nodes that does not depend on any window: the
// program-group editor's tree and the main window's item tree are built
// here and mirrored into a TreeView control by the Win32 views. Nodes are
// addressed by id; a node may also carry a key, unique within the tree,
// by which it can be found again.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vantrel {

class TreeModel {
public:
  using NodeId = int;
  static constexpr NodeId kNoNode = -1;

  struct Node {
    std::string key; // empty: the node has no key
    std::string text;
    std::string tag;
    bool checked = false;
    bool bold = false;
    bool expanded = false;
    int image = 0;
    NodeId parent = kNoNode;
    std::vector<NodeId> children;
  };

  // Removes every node.
  void Clear();

  // Adds a node as the last child of parent (kNoNode: a top-level node).
  // Fails, adding nothing, when the key is already taken or the parent
  // does not exist.
  std::optional<NodeId> Add(NodeId parent, std::string key, std::string text);

  // Removes a node with everything below it.
  bool Remove(NodeId id);

  NodeId Find(std::string_view key) const;
  bool Contains(NodeId id) const;
  // The node must exist.
  const Node& At(NodeId id) const { return nodes_[static_cast<std::size_t>(id)]; }
  Node& At(NodeId id) { return nodes_[static_cast<std::size_t>(id)]; }

  const std::vector<NodeId>& Roots() const { return roots_; }
  std::size_t Count() const { return count_; }

private:
  std::vector<Node> nodes_;
  std::vector<bool> alive_;
  std::vector<NodeId> roots_;
  std::unordered_map<std::string, NodeId> byKey_;
  std::size_t count_ = 0;
};

} // namespace vantrel
