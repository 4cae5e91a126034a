#include "vantrel/tree/found_items_branch.h"

#include <string>
#include <vector>

#include "common/text.h"
#include "vantrel/tree/startup_tree.h"

namespace vantrel {

namespace {

namespace st = startup_tree;

struct FoundCategory {
  std::string_view key;
  std::string_view parent;
  std::string_view caption;
  int image;
  const std::vector<std::string>* items; // null: a node above the items
};

TreeModel::NodeId AddCategory(TreeModel& tree, const FoundCategory& category, int count) {
  const TreeModel::NodeId parent =
      category.parent.empty() ? TreeModel::kNoNode : tree.Find(category.parent);
  const auto node = tree.Add(parent, std::string(category.key),
                             std::string(category.caption) + std::to_string(count) + ")");
  if (!node)
    return TreeModel::kNoNode;
  tree.At(*node).image = category.image;
  tree.At(*node).expanded = true;
  return *node;
}

} // namespace

void AddFoundItemsBranch(TreeModel& tree, const store::UnrecordedItems& found) {
  if (found.empty())
    return;
  const int currentStartup = static_cast<int>(found.CurrentUserShortcuts.size());
  const int currentRegistry = static_cast<int>(found.CurrentUserRunValues.size());
  const int allStartup = static_cast<int>(found.AllUsersShortcuts.size());
  const int allRegistry = static_cast<int>(found.AllUsersRunValues.size());
  namespace image = st::image;
  const FoundCategory categories[] = {
      {st::kFoundItemsRoot, "", st::kFoundItemsCaption, image::kStopped, nullptr},
      {st::kFoundCurrent, st::kFoundItemsRoot, "Current User (", image::kUser, nullptr},
      {st::kFoundAll, st::kFoundItemsRoot, "All Users (", image::kGroup, nullptr},
      {st::kFoundCurrentStartup, st::kFoundCurrent, "Startup Folder (", image::kStartup,
       &found.CurrentUserShortcuts},
      {st::kFoundCurrentRegistry, st::kFoundCurrent, "Registry Run (", image::kRegistry,
       &found.CurrentUserRunValues},
      {st::kFoundAllStartup, st::kFoundAll, "Startup Folder (", image::kStartup,
       &found.AllUsersShortcuts},
      {st::kFoundAllRegistry, st::kFoundAll, "Registry Run (", image::kRegistry,
       &found.AllUsersRunValues},
  };
  const int counts[] = {currentStartup + currentRegistry + allStartup + allRegistry,
                        currentStartup + currentRegistry,
                        allStartup + allRegistry,
                        currentStartup,
                        currentRegistry,
                        allStartup,
                        allRegistry};
  unsigned serial = 0;
  for (std::size_t i = 0; i < std::size(categories); ++i) {
    const TreeModel::NodeId category = AddCategory(tree, categories[i], counts[i]);
    if (category == TreeModel::kNoNode || categories[i].items == nullptr)
      continue;
    for (const std::string& text : *categories[i].items) {
      std::string key = "#" + std::to_string(++serial);
      key += st::kFoundItemMarker;
      key += text;
      if (const auto node = tree.Add(category, std::move(key), text))
        tree.At(*node).tag = st::kPopupTag;
    }
  }
}

bool IsFoundItemPath(std::string_view fullPath) {
  return StartsWith(fullPath, startup_tree::kFoundItemsCaption);
}

} // namespace vantrel
