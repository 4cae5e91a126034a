// The tree branch of the entries Vantrel's stores hold without a record
// (common/store/unrecorded_items.h): "Found in Vantrel's Store (", with
// "Current User (" and "All Users (" below it and "Startup Folder (" and
// "Registry Run (" below each, built like the stopped items' branch so that
// the item commands read its nodes the same way (a parent caption that
// begins with "Registry" is a Run value, a full path that contains
// "Current User" a current-user item). The branch is there only while
// something is found, and it is added expanded, so that it is seen.
#pragma once

#include <string_view>

#include "common/store/unrecorded_items.h"
#include "common/tree_model.h"

namespace vantrel {

namespace startup_tree {

inline constexpr std::string_view kFoundItemsRoot = "FoundItemsRoot";
inline constexpr std::string_view kFoundCurrent = "FoundItemsCurrent";
inline constexpr std::string_view kFoundAll = "FoundItemsAll";
inline constexpr std::string_view kFoundCurrentStartup = "FoundItemsCurrentStartup";
inline constexpr std::string_view kFoundCurrentRegistry = "FoundItemsCurrentReg";
inline constexpr std::string_view kFoundAllStartup = "FoundItemsAllStartup";
inline constexpr std::string_view kFoundAllRegistry = "FoundItemsAllReg";
inline constexpr std::string_view kFoundItemsCaption = "Found in Vantrel's Store (";
inline constexpr std::string_view kFoundItemMarker = "#FOUND";

} // namespace startup_tree

// Adds the branch after the other categories; nothing when nothing is
// found. Item nodes show a shortcut's file name or a value's name=data and
// carry the popup tag.
void AddFoundItemsBranch(TreeModel& tree, const store::UnrecordedItems& found);

// Whether a node's full path lies in the branch.
bool IsFoundItemPath(std::string_view fullPath);

} // namespace vantrel
