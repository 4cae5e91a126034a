// Shows a TreeModel in a TreeView control. Each item carries its node's id
// in its lParam; the model never sees an HTREEITEM.
#pragma once

#include "common/platform/win32/win32_api.h"
#include "common/tree_model.h"

namespace vantrel::win32ui {

class TreeViewMirror {
public:
  explicit TreeViewMirror(HWND treeView) : treeView_(treeView) {}

  // Empties the control and fills it from the model: expanded nodes are
  // expanded, and the selected node (if any) is selected and visible.
  void Rebuild(const TreeModel& model, TreeModel::NodeId selected);
  // Selects the node's item; kNoNode clears the selection.
  void Select(TreeModel::NodeId node);

  TreeModel::NodeId NodeOf(HTREEITEM item) const;
  // The node of the item at a point of the screen; kNoNode for none.
  TreeModel::NodeId NodeAt(POINT screen) const;
  TreeModel::NodeId SelectedNode() const;

private:
  HTREEITEM Insert(const TreeModel& model, TreeModel::NodeId node, HTREEITEM parent,
                   TreeModel::NodeId selected, HTREEITEM* selectedItem);
  HTREEITEM Find(HTREEITEM first, TreeModel::NodeId node) const;

  HWND treeView_;
};

} // namespace vantrel::win32ui
