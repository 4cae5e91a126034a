#include "common/tree_model.h"

#include <algorithm>

namespace vantrel {

void TreeModel::Clear() {
  nodes_.clear();
  alive_.clear();
  roots_.clear();
  byKey_.clear();
  count_ = 0;
}

bool TreeModel::Contains(NodeId id) const {
  return id >= 0 && static_cast<std::size_t>(id) < nodes_.size() &&
         alive_[static_cast<std::size_t>(id)];
}

std::optional<TreeModel::NodeId> TreeModel::Add(NodeId parent, std::string key, std::string text) {
  if (parent != kNoNode && !Contains(parent))
    return std::nullopt;
  const auto id = static_cast<NodeId>(nodes_.size());
  if (!key.empty() && !byKey_.try_emplace(key, id).second)
    return std::nullopt;
  Node node;
  node.key = std::move(key);
  node.text = std::move(text);
  node.parent = parent;
  nodes_.push_back(std::move(node));
  alive_.push_back(true);
  (parent == kNoNode ? roots_ : nodes_[static_cast<std::size_t>(parent)].children).push_back(id);
  ++count_;
  return id;
}

bool TreeModel::Remove(NodeId id) {
  if (!Contains(id))
    return false;
  const NodeId parent = At(id).parent;
  auto& siblings = parent == kNoNode ? roots_ : At(parent).children;
  siblings.erase(std::find(siblings.begin(), siblings.end(), id));
  std::vector<NodeId> pending{id};
  while (!pending.empty()) {
    const NodeId current = pending.back();
    pending.pop_back();
    Node& node = At(current);
    pending.insert(pending.end(), node.children.begin(), node.children.end());
    if (!node.key.empty())
      byKey_.erase(node.key);
    node = Node{};
    alive_[static_cast<std::size_t>(current)] = false;
    --count_;
  }
  return true;
}

TreeModel::NodeId TreeModel::Find(std::string_view key) const {
  if (key.empty())
    return kNoNode;
  const auto hit = byKey_.find(std::string(key));
  return hit == byKey_.end() ? kNoNode : hit->second;
}

} // namespace vantrel
