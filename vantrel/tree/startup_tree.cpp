#include "vantrel/tree/startup_tree.h"

#include <algorithm>

#include "common/store/startup_group.h"

namespace vantrel {

namespace startup_tree {

const std::array<Category, 23> kCategories = {{
    {kCurrentUserRoot, "", "Current User (", image::kUser},
    {kCurrentUserStartup, kCurrentUserRoot, "Startup Folder (", image::kStartup},
    {kCurrentUserRegistry, kCurrentUserRoot, "Registry Run (", image::kRegistry},
    {kAllUsersRoot, "", "All Users (", image::kGroup},
    {kAllUsersStartup, kAllUsersRoot, "Startup Folder (", image::kStartup},
    {kAllUsersRegistry, kAllUsersRoot, "Registry Run (", image::kRegistry},
    {kAllUsersRegistry32, kAllUsersRoot, "Registry Run 32-bit (", image::kRegistry, true},
    {kDelayedItemsRoot, "", "Delayed Items (", image::kDelay},
    {kDelayedCurrentUser, kDelayedItemsRoot, "Current User (", image::kUser},
    {kDelayedAllUsers, kDelayedItemsRoot, "All Users (", image::kGroup},
    {kDelayedStartupCurrentUser, kDelayedCurrentUser, "Startup Folder (", image::kStartup},
    {kDelayedRegistryCurrentUser, kDelayedCurrentUser, "Registry Run (", image::kRegistry},
    {kDelayedStartupAllUsers, kDelayedAllUsers, "Startup Folder (", image::kStartup},
    {kDelayedRegistryAllUsers, kDelayedAllUsers, "Registry Run (", image::kRegistry},
    {kDelayedRegistryAllUsers32, kDelayedAllUsers, "Registry Run 32-bit (", image::kRegistry, true},
    {kStoppedItemsRoot, "", "Stopped Items (", image::kStopped},
    {kStoppedCurrent, kStoppedItemsRoot, "Current User (", image::kUser},
    {kStoppedAll, kStoppedItemsRoot, "All Users (", image::kGroup},
    {kStoppedCurrentStartup, kStoppedCurrent, "Startup Folder (", image::kStartup},
    {kStoppedCurrentRegistry, kStoppedCurrent, "Registry (", image::kRegistry},
    {kStoppedAllStartup, kStoppedAll, "Startup Folder (", image::kStartup},
    {kStoppedAllRegistry, kStoppedAll, "Registry (", image::kRegistry},
    {kStoppedAllRegistry32, kStoppedAll, "Registry 32-bit (", image::kRegistry, true},
}};

const std::array<std::string_view, 17> kRememberedCategories = {
    kCurrentUserRoot,
    kAllUsersRoot,
    kDelayedItemsRoot,
    kCurrentUserStartup,
    kCurrentUserRegistry,
    kAllUsersStartup,
    kAllUsersRegistry,
    kAllUsersRegistry32,
    kDelayedRegistryAllUsers32,
    kDelayedCurrentUser,
    kDelayedAllUsers,
    kDelayedStartupCurrentUser,
    kDelayedRegistryCurrentUser,
    kDelayedStartupAllUsers,
    kDelayedRegistryAllUsers,
    kStoppedCurrent,
    kStoppedAll,
};

} // namespace startup_tree

namespace {

namespace st = startup_tree;

constexpr std::size_t kStoppedPrefixLength = 7;

// A list's entry count: 0 when its first element is empty.
int ListCount(const std::vector<std::string>& list) {
  return list.empty() || list.front().empty() ? 0 : static_cast<int>(list.size());
}

// The text a delayed item shows: a shortcut's bare file name, or a Run
// value's name=data rebuilt from the stored path and parameters.
std::string DelayedItemText(const ProgramEntry& program) {
  if (program.Command == kCommandExecuteReg || program.Command == kCommandExecuteRegAU)
    return program.RegistryName + "=" + program.Path + " " + program.Parameters;
  return program.Path;
}

bool Contains(const std::vector<std::string>& list, const std::string& text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

// A record of kind 0 whose value lies in the 32-bit view of the store
// belongs to the 32-bit branches.
bool DelayedIn32BitView(const StartupItemLists& lists, const ProgramEntry& program) {
  return lists.Has32BitView && program.Command == kCommandExecuteRegAU &&
         Contains(lists.Delayed32Names, program.RegistryName);
}
bool StoppedIn32BitView(const StartupItemLists& lists, const std::string& entry) {
  return lists.Has32BitView && Contains(lists.Stopped32Entries, entry);
}

std::string_view DelayedItemParent(std::string_view command) {
  if (command == kCommandExecute)
    return st::kDelayedStartupCurrentUser;
  if (command == kCommandExecuteAU)
    return st::kDelayedStartupAllUsers;
  if (command == kCommandExecuteReg)
    return st::kDelayedRegistryCurrentUser;
  if (command == kCommandExecuteRegAU)
    return st::kDelayedRegistryAllUsers;
  return {};
}

std::string_view StoppedItemParent(std::string_view entry) {
  const std::string_view prefix = entry.substr(0, kStoppedPrefixLength);
  if (prefix == "_STPCU_")
    return st::kStoppedCurrentStartup;
  if (prefix == "_REGCU_")
    return st::kStoppedCurrentRegistry;
  if (prefix == "_STPAU_")
    return st::kStoppedAllStartup;
  if (prefix == "_REGAU_")
    return st::kStoppedAllRegistry;
  return {};
}

// Adds item nodes under their category nodes. A running number stands in
// the key before the marker, so that two items with the same text (the same
// shortcut name in both Startup folders, a stopped entry listed twice) still
// get keys of their own.
class ItemAdder {
public:
  explicit ItemAdder(TreeModel& tree) : tree_(tree) {}

  void Add(std::string_view parentKey, std::string_view marker, const std::string& keyText,
           const std::string& text, std::string_view tag) {
    const TreeModel::NodeId parent = tree_.Find(parentKey);
    std::string key(1, '#');
    key += std::to_string(++serial_);
    key += marker;
    key += keyText;
    if (const auto node = tree_.Add(parent, std::move(key), text))
      tree_.At(*node).tag = tag;
  }

private:
  TreeModel& tree_;
  unsigned serial_ = 0;
};

void AddListItems(ItemAdder& adder, const std::vector<std::string>& list,
                  std::string_view parentKey, std::string_view tag,
                  const std::string& skipped = std::string()) {
  for (const std::string& entry : list) {
    if (!entry.empty() && (skipped.empty() || entry != skipped))
      adder.Add(parentKey, st::kWindowsItemMarker, entry, entry, tag);
  }
}

} // namespace

std::string OwnRunValueText(const std::string& ownRunCommand) {
  return "Tarrow=" + ownRunCommand;
}

bool BlankOwnRunValue(std::vector<std::string>& runValues, const std::string& ownValueText) {
  const auto own = std::find(runValues.begin(), runValues.end(), ownValueText);
  if (own == runValues.end())
    return false;
  own->clear();
  return true;
}

StartupItemCounts CountStartupItems(StartupItemLists& lists, const std::string& ownValueText,
                                    const StoreTables& tables) {
  StartupItemCounts counts;
  counts.currentUserStartup = ListCount(lists.CurrentUserStartupFiles);
  counts.allUsersStartup = ListCount(lists.AllUsersStartupFiles);
  counts.currentUserRegistry = ListCount(lists.CurrentUserRunValues);
  counts.allUsersRegistry = ListCount(lists.AllUsersRunValues);
  if (BlankOwnRunValue(lists.CurrentUserRunValues, ownValueText))
    --counts.currentUserRegistry;
  if (BlankOwnRunValue(lists.AllUsersRunValues, ownValueText))
    --counts.allUsersRegistry;
  if (lists.Has32BitView)
    counts.allUsersRegistry32 = ListCount(lists.AllUsersRunValues32);

  if (const ProgramGroup* group = StartupGroup(tables)) {
    for (const ProgramEntry& program : group->Programs) {
      const std::string_view command = program.Command;
      counts.delayedStartupCurrentUser += command == kCommandExecute;
      counts.delayedStartupAllUsers += command == kCommandExecuteAU;
      counts.delayedRegistryCurrentUser += command == kCommandExecuteReg;
      const bool view32 = DelayedIn32BitView(lists, program);
      counts.delayedRegistryAllUsers += command == kCommandExecuteRegAU && !view32;
      counts.delayedRegistryAllUsers32 += view32;
    }
  }

  for (const std::string& entry : tables.StoppedPrograms) {
    const std::string_view parent = entry.empty() ? std::string_view() : StoppedItemParent(entry);
    const bool view32 = parent == st::kStoppedAllRegistry && StoppedIn32BitView(lists, entry);
    counts.stoppedRegistryAllUsers += parent == st::kStoppedAllRegistry && !view32;
    counts.stoppedRegistryAllUsers32 += view32;
    counts.stoppedStartupAllUsers += parent == st::kStoppedAllStartup;
    counts.stoppedRegistryCurrentUser += parent == st::kStoppedCurrentRegistry;
    counts.stoppedStartupCurrentUser += parent == st::kStoppedCurrentStartup;
  }
  return counts;
}

void BuildStartupTree(TreeModel& tree, const StartupItemLists& lists,
                      const StartupItemCounts& counts, const std::string& ownValueText,
                      const StoreTables& tables, const RefreshProgress& progress) {
  const auto report = [&progress](float percent) {
    if (progress)
      progress(percent);
  };
  report(0);
  tree.Clear();

  const StartupItemCounts& n = counts;
  const int allUsersRegistry = n.allUsersRegistry + n.allUsersRegistry32;
  const int delayedAllUsersRegistry = n.delayedRegistryAllUsers + n.delayedRegistryAllUsers32;
  const int stoppedAllUsersRegistry = n.stoppedRegistryAllUsers + n.stoppedRegistryAllUsers32;
  const std::array<int, 23> categoryCounts = {
      n.currentUserStartup + n.currentUserRegistry,
      n.currentUserStartup,
      n.currentUserRegistry,
      allUsersRegistry + n.allUsersStartup,
      n.allUsersStartup,
      n.allUsersRegistry,
      n.allUsersRegistry32,
      n.delayedStartupCurrentUser + n.delayedStartupAllUsers + n.delayedRegistryCurrentUser +
          delayedAllUsersRegistry,
      n.delayedStartupCurrentUser + n.delayedRegistryCurrentUser,
      n.delayedStartupAllUsers + delayedAllUsersRegistry,
      n.delayedStartupCurrentUser,
      n.delayedRegistryCurrentUser,
      n.delayedStartupAllUsers,
      n.delayedRegistryAllUsers,
      n.delayedRegistryAllUsers32,
      (stoppedAllUsersRegistry + n.stoppedStartupAllUsers) +
          (n.stoppedRegistryCurrentUser + n.stoppedStartupCurrentUser),
      n.stoppedRegistryCurrentUser + n.stoppedStartupCurrentUser,
      stoppedAllUsersRegistry + n.stoppedStartupAllUsers,
      n.stoppedStartupCurrentUser,
      n.stoppedRegistryCurrentUser,
      n.stoppedStartupAllUsers,
      n.stoppedRegistryAllUsers,
      n.stoppedRegistryAllUsers32,
  };
  for (std::size_t i = 0; i < st::kCategories.size(); ++i) {
    const st::Category& category = st::kCategories[i];
    if (category.view32 && !lists.Has32BitView)
      continue;
    const TreeModel::NodeId parent =
        category.parent.empty() ? TreeModel::kNoNode : tree.Find(category.parent);
    std::string caption(category.caption);
    caption += std::to_string(categoryCounts[i]) + ")";
    if (const auto node = tree.Add(parent, std::string(category.key), std::move(caption)))
      tree.At(*node).image = category.image;
  }
  report(100.0f / 3);

  ItemAdder adder(tree);
  AddListItems(adder, lists.CurrentUserStartupFiles, st::kCurrentUserStartup, st::kPopupTag);
  AddListItems(adder, lists.CurrentUserRunValues, st::kCurrentUserRegistry, st::kPopupTag);
  report(200.0f / 3);
  AddListItems(adder, lists.AllUsersStartupFiles, st::kAllUsersStartup, {});
  AddListItems(adder, lists.AllUsersRunValues, st::kAllUsersRegistry, {}, ownValueText);
  if (lists.Has32BitView)
    AddListItems(adder, lists.AllUsersRunValues32, st::kAllUsersRegistry32, {});
  report(75);

  if (const ProgramGroup* group = StartupGroup(tables)) {
    for (const ProgramEntry& program : group->Programs) {
      const std::string_view parent = DelayedIn32BitView(lists, program)
                                          ? st::kDelayedRegistryAllUsers32
                                          : DelayedItemParent(program.Command);
      if (program.Path.empty() || parent.empty())
        continue;
      adder.Add(parent, st::kDelayedItemMarker, program.Path, DelayedItemText(program),
                st::kPopupTag);
    }
  }
  report(95);

  for (const std::string& entry : tables.StoppedPrograms) {
    std::string_view parent = entry.empty() ? std::string_view() : StoppedItemParent(entry);
    if (parent == st::kStoppedAllRegistry && StoppedIn32BitView(lists, entry))
      parent = st::kStoppedAllRegistry32;
    if (!parent.empty())
      adder.Add(parent, st::kStoppedItemMarker, entry, entry.substr(kStoppedPrefixLength),
                st::kPopupTag);
  }
}

std::array<bool, 17> RememberExpandedCategories(const TreeModel& tree) {
  std::array<bool, 17> expanded{};
  if (tree.Count() == 0)
    return expanded;
  for (std::size_t i = 0; i < expanded.size(); ++i) {
    const TreeModel::NodeId node = tree.Find(st::kRememberedCategories[i]);
    expanded[i] = node != TreeModel::kNoNode && tree.At(node).expanded;
  }
  return expanded;
}

void RestoreExpandedCategories(TreeModel& tree, const std::array<bool, 17>& expanded) {
  bool stoppedChildExpanded = false;
  for (std::size_t i = 0; i < expanded.size(); ++i) {
    const std::string_view key = st::kRememberedCategories[i];
    const TreeModel::NodeId node = tree.Find(key);
    if (node != TreeModel::kNoNode)
      tree.At(node).expanded = expanded[i];
    if (key == st::kStoppedCurrent || key == st::kStoppedAll)
      stoppedChildExpanded = stoppedChildExpanded || expanded[i];
  }
  const TreeModel::NodeId stoppedRoot = tree.Find(st::kStoppedItemsRoot);
  if (stoppedRoot != TreeModel::kNoNode)
    tree.At(stoppedRoot).expanded = stoppedChildExpanded;
}

std::string FullPath(const TreeModel& tree, TreeModel::NodeId node) {
  std::string path;
  for (TreeModel::NodeId at = node; tree.Contains(at); at = tree.At(at).parent) {
    path =
        at == node ? tree.At(at).text : tree.At(at).text + std::string(st::kPathSeparator) + path;
  }
  return path;
}

std::vector<TreeModel::NodeId> NodesInIndexOrder(const TreeModel& tree) {
  // Ids are handed out in the order nodes are added; removed ones leave gaps.
  std::vector<TreeModel::NodeId> nodes;
  nodes.reserve(tree.Count());
  for (TreeModel::NodeId id = 0; nodes.size() < tree.Count(); ++id) {
    if (tree.Contains(id))
      nodes.push_back(id);
  }
  return nodes;
}

} // namespace vantrel
