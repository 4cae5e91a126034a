// The main window's item tree as a portable model: twenty category nodes
// (one branch per startup location) and one item node per startup item.
//
// The keys, captions and tags fixed here are what the item commands read
// back to decide what an item is and where it lives: a node whose parent's
// caption begins with "Registry" is a Run value, a full path (captions from
// the root joined by "\") that contains "Current User" is a current-user
// item, and one that begins with "Delayed Items", "Stopped Items" or
// "All Users" places the item in that branch. The captions are fixed English
// text and never come from the language files.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/store/store_tables.h"
#include "common/tree_model.h"

namespace vantrel {

namespace startup_tree {

// Category node keys, in the order they are added.
inline constexpr std::string_view kCurrentUserRoot = "CurrentUserRoot";
inline constexpr std::string_view kCurrentUserStartup = "CurrentUserStartup";
inline constexpr std::string_view kCurrentUserRegistry = "CurrentUserRegistry";
inline constexpr std::string_view kAllUsersRoot = "AllUsersRoot";
inline constexpr std::string_view kAllUsersStartup = "AllUsersStartup";
inline constexpr std::string_view kAllUsersRegistry = "AllUsersRegistry";
inline constexpr std::string_view kAllUsersRegistry32 = "AllUsersRegistry32";
inline constexpr std::string_view kDelayedItemsRoot = "DelayedItemsRoot";
inline constexpr std::string_view kDelayedCurrentUser = "DIR_CurrentUser";
inline constexpr std::string_view kDelayedAllUsers = "DIR_AllUsers";
inline constexpr std::string_view kDelayedStartupCurrentUser = "DelayedItemsStartupCurrentUser";
inline constexpr std::string_view kDelayedRegistryCurrentUser = "DelayedItemsRegistryCurrentUser";
inline constexpr std::string_view kDelayedStartupAllUsers = "DelayedItemsStartupAllUsers";
inline constexpr std::string_view kDelayedRegistryAllUsers = "DelayedItemsRegistryAllUsers";
inline constexpr std::string_view kDelayedRegistryAllUsers32 = "DelayedItemsRegistryAllUsers32";
inline constexpr std::string_view kStoppedItemsRoot = "StoppedItemsRoot";
inline constexpr std::string_view kStoppedCurrent = "StoppedItemsCurrent";
inline constexpr std::string_view kStoppedAll = "StoppedItemsAll";
inline constexpr std::string_view kStoppedCurrentStartup = "StoppedItemsCurrentStartup";
inline constexpr std::string_view kStoppedCurrentRegistry = "StoppedItemsCurrentReg";
inline constexpr std::string_view kStoppedAllStartup = "StoppedItemsAllStartup";
inline constexpr std::string_view kStoppedAllRegistry = "StoppedItemsAllReg";
inline constexpr std::string_view kStoppedAllRegistry32 = "StoppedItemsAllReg32";

// What the captions of the 32-bit view's branches hold after "Registry",
// and so what tells their items apart.
inline constexpr std::string_view kView32Caption = "32-bit";

// The tag of an item node that the popup menu and the item commands act on.
// All-users items in Windows' own locations carry no tag.
inline constexpr std::string_view kPopupTag = "#POP#";
// The tag of an item in Windows' locations that came back while Vantrel
// holds it as delayed or stopped; its only command is Take Back.
inline constexpr std::string_view kReturnedTag = "#POP#BACK#";

// Item node keys: "#", a number unique within the refresh, then this marker,
// then the item's text (for a stopped item the whole entry, prefix
// included). Keys change with every refresh; nothing may keep one.
inline constexpr std::string_view kWindowsItemMarker = "#";
inline constexpr std::string_view kDelayedItemMarker = "#DELAYED";
inline constexpr std::string_view kStoppedItemMarker = "#STOPPED";

// The separator of a node's full path.
inline constexpr std::string_view kPathSeparator = "\\";

// Pictures of the tree's image list, as TreeModel::Node::image values. The
// list holds them in this order; 0 is "no picture" (every item node).
namespace image {
constexpr int kNone = 0;
constexpr int kRegistry = 1;
constexpr int kStartup = 2;
constexpr int kStopped = 3;
constexpr int kDelay = 4;
constexpr int kUser = 5;
constexpr int kGroup = 6;
// An item that Windows' startup settings have switched off.
constexpr int kSwitchedOff = 7;
// The pictures' names, by value - 1.
inline constexpr std::array<std::string_view, 7> kNames = {
    "Registry", "Startup", "Stopped", "Delay", "User", "Group", "Off"};
} // namespace image

// One category node as the tree shows it.
struct Category {
  std::string_view key;
  std::string_view parent;  // empty: a root node
  std::string_view caption; // the count and ")" follow
  int image;
  // A branch of the machine's 32-bit registry view, shown only on a system
  // that has one.
  bool view32 = false;
};

// The twenty category nodes, and the three of the 32-bit view beside their
// 64-bit siblings, in the order they are added.
extern const std::array<Category, 23> kCategories;

// The category nodes whose expanded state survives a refresh. The stopped
// root is expanded again when one of its two children was; the stopped
// leaves are always collapsed.
extern const std::array<std::string_view, 17> kRememberedCategories;

} // namespace startup_tree

// What a refresh read from the four Windows locations. Each list holds at
// least one element; a list whose only element is empty means "none". The
// entry of Vantrel's own Run value is blanked in the Run lists.
struct StartupItemLists {
  std::vector<std::string> CurrentUserStartupFiles{std::string()};
  std::vector<std::string> AllUsersStartupFiles{std::string()};
  std::vector<std::string> CurrentUserRunValues{std::string()}; // "name=data"
  std::vector<std::string> AllUsersRunValues{std::string()};
  // The 32-bit view of the machine's Run key, read only on a system that
  // has that view; and the records whose values lie in the 32-bit view of
  // the all-users store: "ExecuteRegAU" programs by value name, "_REGAU_"
  // stopped entries whole.
  bool Has32BitView = false;
  std::vector<std::string> AllUsersRunValues32{std::string()};
  std::vector<std::string> Delayed32Names;
  std::vector<std::string> Stopped32Entries;
};

// The twelve counts that the category captions show (a-l in the order of
// the window's branches).
struct StartupItemCounts {
  int currentUserStartup = 0;         // a
  int currentUserRegistry = 0;        // b
  int allUsersStartup = 0;            // c
  int allUsersRegistry = 0;           // d
  int delayedStartupCurrentUser = 0;  // e: "Execute"
  int delayedStartupAllUsers = 0;     // f: "ExecuteAU"
  int delayedRegistryCurrentUser = 0; // g: "ExecuteReg"
  int delayedRegistryAllUsers = 0;    // h: "ExecuteRegAU"
  int stoppedRegistryAllUsers = 0;    // i: "_REGAU_"
  int stoppedStartupAllUsers = 0;     // j: "_STPAU_"
  int stoppedRegistryCurrentUser = 0; // k: "_REGCU_"
  int stoppedStartupCurrentUser = 0;  // l: "_STPCU_"
  // The 32-bit view's share, counted apart from d, h and i.
  int allUsersRegistry32 = 0;
  int delayedRegistryAllUsers32 = 0;
  int stoppedRegistryAllUsers32 = 0;
};

// The text under which EnumKey lists Vantrel's own Run value.
std::string OwnRunValueText(const std::string& ownRunCommand);

// Blanks the first entry of a Run list that equals ownValueText exactly;
// true when one was found.
bool BlankOwnRunValue(std::vector<std::string>& runValues, const std::string& ownValueText);

// Counts the items of the lists as read and of the program-group tables,
// and blanks Vantrel's own value in each Run list, which then counts one
// less. Only the "Startup" group's four command words and the stopped
// list's four prefixes count; empty entries count nowhere.
StartupItemCounts CountStartupItems(StartupItemLists& lists, const std::string& ownValueText,
                                    const StoreTables& tables);

// Called with the share of the tree built so far, in percent.
using RefreshProgress = std::function<void(float percent)>;

// Rebuilds the tree from scratch: the twenty category nodes with their
// captions and pictures, then the item nodes by location. Check marks and
// expanded states are not kept (see RememberExpandedCategories).
// progress, when set, is told 0, 33 1/3, 66 2/3, 75 and 95 along the way.
void BuildStartupTree(TreeModel& tree, const StartupItemLists& lists,
                      const StartupItemCounts& counts, const std::string& ownValueText,
                      const StoreTables& tables, const RefreshProgress& progress = {});

// The expanded states of kRememberedCategories (all false for an empty tree),
// and putting them back after a rebuild.
std::array<bool, 17> RememberExpandedCategories(const TreeModel& tree);
void RestoreExpandedCategories(TreeModel& tree, const std::array<bool, 17>& expanded);

// The captions from the root down to the node, joined by "\".
std::string FullPath(const TreeModel& tree, TreeModel::NodeId node);

// Every node in the order it was added (the tree's index order).
std::vector<TreeModel::NodeId> NodesInIndexOrder(const TreeModel& tree);

} // namespace vantrel
