#include "vantrel/win32ui/tree_view_mirror.h"

#include <commctrl.h>

namespace vantrel::win32ui {

namespace {

using NodeId = TreeModel::NodeId;

HTREEITEM Next(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(
      ::SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

} // namespace

void TreeViewMirror::Rebuild(const TreeModel& model, NodeId selected) {
  ::SendMessageA(treeView_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageA(treeView_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  HTREEITEM selectedItem = nullptr;
  for (const NodeId root : model.Roots())
    Insert(model, root, TVI_ROOT, selected, &selectedItem);
  ::SendMessageA(treeView_, WM_SETREDRAW, TRUE, 0);
  if (selectedItem != nullptr)
    ::SendMessageA(treeView_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selectedItem));
  ::InvalidateRect(treeView_, nullptr, TRUE);
}

HTREEITEM TreeViewMirror::Insert(const TreeModel& model, NodeId node, HTREEITEM parent,
                                 NodeId selected, HTREEITEM* selectedItem) {
  const TreeModel::Node& data = model.At(node);
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = const_cast<char*>(data.text.c_str());
  insert.item.lParam = node;
  auto item = reinterpret_cast<HTREEITEM>(
      ::SendMessageA(treeView_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  if (item == nullptr)
    return nullptr;
  if (node == selected)
    *selectedItem = item;
  for (const NodeId child : data.children)
    Insert(model, child, item, selected, selectedItem);
  if (data.expanded)
    ::SendMessageA(treeView_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
  return item;
}

void TreeViewMirror::Select(NodeId node) {
  HTREEITEM item =
      node == TreeModel::kNoNode ? nullptr : Find(Next(treeView_, nullptr, TVGN_ROOT), node);
  ::SendMessageA(treeView_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

HTREEITEM TreeViewMirror::Find(HTREEITEM first, NodeId node) const {
  for (HTREEITEM item = first; item != nullptr; item = Next(treeView_, item, TVGN_NEXT)) {
    if (NodeOf(item) == node)
      return item;
    if (HTREEITEM found = Find(Next(treeView_, item, TVGN_CHILD), node))
      return found;
  }
  return nullptr;
}

NodeId TreeViewMirror::NodeOf(HTREEITEM item) const {
  if (item == nullptr)
    return TreeModel::kNoNode;
  TVITEMA data{};
  data.mask = TVIF_PARAM;
  data.hItem = item;
  if (::SendMessageA(treeView_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data)) == FALSE)
    return TreeModel::kNoNode;
  return static_cast<NodeId>(data.lParam);
}

NodeId TreeViewMirror::NodeAt(POINT screen) const {
  TVHITTESTINFO hit{};
  hit.pt = screen;
  ::ScreenToClient(treeView_, &hit.pt);
  auto item = reinterpret_cast<HTREEITEM>(
      ::SendMessageA(treeView_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & TVHT_ONITEM) != 0 ? NodeOf(item) : TreeModel::kNoNode;
}

NodeId TreeViewMirror::SelectedNode() const {
  return NodeOf(Next(treeView_, nullptr, TVGN_CARET));
}

} // namespace vantrel::win32ui
