// The main window's item tree control: a TreeView with check boxes that
// mirrors the portable TreeModel. Items are added in the model's index
// order, so the control can be filled while the model is being built; each
// item carries its node's id in its lParam and the model never sees an
// HTREEITEM. Check boxes the user sets, expanded and collapsed branches,
// clicks, right clicks and the pointer's position flow back as callbacks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/platform/win32/win32_api.h"
#include "common/tree_model.h"

namespace vantrel::win32ui {

class StartupTreeView {
public:
  StartupTreeView() = default;
  ~StartupTreeView();
  StartupTreeView(const StartupTreeView&) = delete;
  StartupTreeView& operator=(const StartupTreeView&) = delete;

  // Creates the control as a child of parent, with the picture list (kept
  // by the caller) and its own tool tip. False when the control could not
  // be created.
  bool Create(HWND parent, HINSTANCE instance, int id, HIMAGELIST pictures);
  HWND hwnd() const { return tree_; }

  // Empties the control.
  void Clear();
  // Adds the model's nodes that the control does not hold yet, in index
  // order; a model that holds fewer nodes than the control was rebuilt, and
  // the control starts again from empty.
  void AddNewNodes(const TreeModel& model);
  // Puts every node's check mark, bold type and expanded state in place.
  void ShowStates(const TreeModel& model);
  // Puts the model's check marks in place where the control differs.
  void ShowChecks(const TreeModel& model);

  TreeModel::NodeId NodeOf(HTREEITEM item) const;
  HTREEITEM ItemOf(TreeModel::NodeId node) const;
  TreeModel::NodeId SelectedNode() const;
  // The node under a point of the control's client area; kNoNode for none.
  TreeModel::NodeId NodeAt(POINT client) const;

  // The tool tip shown while the pointer rests on the tree; empty: none.
  void SetToolTip(const std::string& text);
  const std::string& ToolTip() const { return tipText_; }

  // Handles a notification from the control (WM_NOTIFY to the parent);
  // false when it is not the tree's. The model learns check marks and
  // expanded states here.
  bool OnNotify(const NMHDR& header, TreeModel& model);
  // The parent passes on the message the view posted to itself after a
  // click or a key that may have toggled a check box.
  void OnCheckPosted(HTREEITEM item, TreeModel& model);

  // The user set or cleared a node's check box (the model holds it already).
  std::function<void(TreeModel::NodeId)> NodeChecked;
  // A click on the tree.
  std::function<void()> Clicked;
  // A mouse button went up over the tree (1 left, 2 right).
  std::function<void(int button)> MouseUp;
  // The pointer moved over the tree; the node under it, or kNoNode.
  std::function<void(TreeModel::NodeId)> PointerOver;
  // F1 went up while the tree had the focus.
  std::function<void()> HelpKey;

  // The message the view posts to its parent to read a check box after the
  // control toggled it; wParam 0, lParam the HTREEITEM.
  static constexpr UINT kCheckToggledMessage = WM_APP + 0x51;

private:
  // The tree's procedure in front of the control's own: the pointer, the F1
  // key and the tool tip's mouse messages.
  static LRESULT CALLBACK TreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HTREEITEM Insert(const TreeModel& model, TreeModel::NodeId node);
  void PostCheckRead(HTREEITEM item);
  bool IsChecked(HTREEITEM item) const;

  HWND tree_ = nullptr;
  HWND parent_ = nullptr;
  HWND tip_ = nullptr;
  WNDPROC controlProc_ = nullptr;
  std::string tipText_;
  // By node id; null where the node has no item (yet).
  std::vector<HTREEITEM> items_;
  // The nodes in the control, in index order.
  std::size_t shown_ = 0;
  std::vector<TreeModel::NodeId> order_;
  // Set while the view changes the control itself.
  bool updating_ = false;
};

} // namespace vantrel::win32ui
