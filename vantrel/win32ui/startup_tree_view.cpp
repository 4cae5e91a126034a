#include "vantrel/win32ui/startup_tree_view.h"

#include <commctrl.h>

#include "common/exception_policy.h"
#include "vantrel/tree/startup_tree.h"

namespace vantrel::win32ui {

namespace {

// State image 1 is the empty box, 2 the ticked one.
constexpr UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(2);

int PictureIndex(int image) {
  // Node pictures count from 1; 0 is none, which the control shows as no
  // picture at all.
  return image == startup_tree::image::kNone ? I_IMAGENONE : image - 1;
}

UINT WantedState(const TreeModel::Node& node) {
  return (node.checked ? kChecked : kUnchecked) | (node.bold ? TVIS_BOLD : 0u);
}

} // namespace

StartupTreeView::~StartupTreeView() {
  if (tree_ != nullptr && ::IsWindow(tree_)) {
    ::SetWindowLongPtrA(tree_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc_));
    ::SetWindowLongPtrA(tree_, GWLP_USERDATA, 0);
  }
  if (tip_ != nullptr)
    ::DestroyWindow(tip_);
}

bool StartupTreeView::Create(HWND parent, HINSTANCE instance, int id, HIMAGELIST pictures) {
  parent_ = parent;
  tree_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                                TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS,
                            0, 0, 100, 100, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (tree_ == nullptr)
    return false;
  // Check boxes are set after creation, as the control's documentation asks:
  // https://learn.microsoft.com/windows/win32/controls/tree-view-control-window-styles
  ::SetWindowLongPtrA(tree_, GWL_STYLE, ::GetWindowLongPtrA(tree_, GWL_STYLE) | TVS_CHECKBOXES);
  if (pictures != nullptr)
    ::SendMessageA(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(pictures));
  // Replaced directly rather than through SetWindowSubclass: that keeps its
  // bookkeeping in a window property, which Wine fetches from its server on
  // every message, and a refresh sends the control thousands.
  ::SetWindowLongPtrA(tree_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  controlProc_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
      tree_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StartupTreeView::TreeProc)));

  // The tree's own tool tip: one tool covering the whole control, whose text
  // follows the node under the pointer. The tree's procedure passes it the
  // mouse messages (for the same reason, rather than TTF_SUBCLASS).
  tip_ = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent,
                           nullptr, instance, nullptr);
  if (tip_ != nullptr) {
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = parent;
    tool.uId = reinterpret_cast<UINT_PTR>(tree_);
    tool.lpszText = const_cast<char*>("");
    ::SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  return true;
}

void StartupTreeView::Clear() {
  updating_ = true;
  ::SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  updating_ = false;
  items_.clear();
  order_.clear();
  shown_ = 0;
}

HTREEITEM StartupTreeView::Insert(const TreeModel& model, TreeModel::NodeId node) {
  const TreeModel::Node& data = model.At(node);
  TVINSERTSTRUCTA insert{};
  insert.hParent = data.parent == TreeModel::kNoNode ? TVI_ROOT : ItemOf(data.parent);
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
  insert.item.pszText = const_cast<char*>(data.text.c_str());
  insert.item.lParam = node;
  insert.item.iImage = insert.item.iSelectedImage = PictureIndex(data.image);
  insert.item.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD;
  insert.item.state = WantedState(data);
  if (insert.hParent == nullptr)
    return nullptr; // the parent never made it into the control
  return reinterpret_cast<HTREEITEM>(
      ::SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void StartupTreeView::AddNewNodes(const TreeModel& model) {
  if (model.Count() < shown_)
    Clear();
  const std::vector<TreeModel::NodeId> order = NodesInIndexOrder(model);
  updating_ = true;
  for (std::size_t i = shown_; i < order.size(); ++i) {
    const TreeModel::NodeId node = order[i];
    if (items_.size() <= static_cast<std::size_t>(node))
      items_.resize(static_cast<std::size_t>(node) + 1, nullptr);
    items_[static_cast<std::size_t>(node)] = Insert(model, node);
  }
  updating_ = false;
  order_ = order;
  shown_ = order.size();
}

void StartupTreeView::ShowStates(const TreeModel& model) {
  updating_ = true;
  for (const TreeModel::NodeId node : order_) {
    const HTREEITEM item = ItemOf(node);
    if (item == nullptr || !model.Contains(node))
      continue;
    const TreeModel::Node& data = model.At(node);
    const UINT mask = TVIS_STATEIMAGEMASK | TVIS_BOLD | TVIS_EXPANDED;
    const auto state = static_cast<UINT>(
        ::SendMessageA(tree_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
    const UINT wanted = WantedState(data);
    if ((state & (TVIS_STATEIMAGEMASK | TVIS_BOLD)) != wanted) {
      TVITEMA change{};
      change.mask = TVIF_STATE;
      change.hItem = item;
      change.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD;
      change.state = wanted;
      ::SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
    }
    if (((state & TVIS_EXPANDED) != 0) != data.expanded && !data.children.empty())
      ::SendMessageA(tree_, TVM_EXPAND, data.expanded ? TVE_EXPAND : TVE_COLLAPSE,
                     reinterpret_cast<LPARAM>(item));
  }
  updating_ = false;
}

void StartupTreeView::ShowChecks(const TreeModel& model) {
  for (const TreeModel::NodeId node : order_) {
    const HTREEITEM item = ItemOf(node);
    if (item == nullptr || !model.Contains(node) || IsChecked(item) == model.At(node).checked)
      continue;
    TVITEMA change{};
    change.mask = TVIF_STATE;
    change.hItem = item;
    change.stateMask = TVIS_STATEIMAGEMASK;
    change.state = model.At(node).checked ? kChecked : kUnchecked;
    ::SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
  }
}

bool StartupTreeView::IsChecked(HTREEITEM item) const {
  const auto state = static_cast<UINT>(
      ::SendMessageA(tree_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK));
  return (state & TVIS_STATEIMAGEMASK) == kChecked;
}

TreeModel::NodeId StartupTreeView::NodeOf(HTREEITEM item) const {
  if (item == nullptr)
    return TreeModel::kNoNode;
  TVITEMA data{};
  data.mask = TVIF_PARAM | TVIF_HANDLE;
  data.hItem = item;
  if (::SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data)) == FALSE)
    return TreeModel::kNoNode;
  return static_cast<TreeModel::NodeId>(data.lParam);
}

HTREEITEM StartupTreeView::ItemOf(TreeModel::NodeId node) const {
  if (node < 0 || static_cast<std::size_t>(node) >= items_.size())
    return nullptr;
  return items_[static_cast<std::size_t>(node)];
}

TreeModel::NodeId StartupTreeView::SelectedNode() const {
  return NodeOf(reinterpret_cast<HTREEITEM>(::SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

TreeModel::NodeId StartupTreeView::NodeAt(POINT client) const {
  TVHITTESTINFO hit{};
  hit.pt = client;
  ::SendMessageA(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if ((hit.flags & TVHT_ONITEM) == 0)
    return TreeModel::kNoNode;
  return NodeOf(hit.hItem);
}

void StartupTreeView::SetToolTip(const std::string& text) {
  if (text == tipText_)
    return;
  tipText_ = text;
  if (tip_ == nullptr)
    return;
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = parent_;
  tool.uId = reinterpret_cast<UINT_PTR>(tree_);
  tool.lpszText = const_cast<char*>(tipText_.c_str());
  ::SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void StartupTreeView::PostCheckRead(HTREEITEM item) {
  // The control toggles the box after it has told us of the click or key,
  // so the new state is read once the message has been handled.
  ::PostMessageA(parent_, kCheckToggledMessage, 0, reinterpret_cast<LPARAM>(item));
}

void StartupTreeView::OnCheckPosted(HTREEITEM item, TreeModel& model) {
  const TreeModel::NodeId node = NodeOf(item);
  // Wine highlights the item whose check box was clicked last and does not
  // repaint it when the focus moves on; drawing the tree again after every
  // click shows the true selection.
  ::InvalidateRect(tree_, nullptr, FALSE);
  if (item != nullptr && model.Contains(node) && ItemOf(node) == item) {
    const bool checked = IsChecked(item);
    if (model.At(node).checked != checked) {
      model.At(node).checked = checked;
      if (NodeChecked)
        NodeChecked(node);
      return;
    }
  }
  if (Clicked)
    Clicked();
}

bool StartupTreeView::OnNotify(const NMHDR& header, TreeModel& model) {
  if (header.hwndFrom != tree_)
    return false;
  switch (header.code) {
  case NM_CLICK: {
    const DWORD position = ::GetMessagePos();
    TVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ::ScreenToClient(tree_, &hit.pt);
    ::SendMessageA(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    PostCheckRead((hit.flags & TVHT_ONITEMSTATEICON) != 0 ? hit.hItem : nullptr);
    if (MouseUp)
      MouseUp(1);
    return true;
  }
  case NM_RCLICK:
    if (MouseUp)
      MouseUp(2);
    return true;
  case TVN_KEYDOWN:
    if (reinterpret_cast<const NMTVKEYDOWN&>(header).wVKey == VK_SPACE)
      PostCheckRead(
          reinterpret_cast<HTREEITEM>(::SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0)));
    return true;
  case TVN_ITEMEXPANDEDA:
  case TVN_ITEMEXPANDEDW: {
    // Both forms carry the item in the same place.
    const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
    const TreeModel::NodeId node = static_cast<TreeModel::NodeId>(change.itemNew.lParam);
    if (!updating_ && model.Contains(node) && ItemOf(node) == change.itemNew.hItem)
      model.At(node).expanded = (change.itemNew.state & TVIS_EXPANDED) != 0;
    return true;
  }
  default:
    return true;
  }
}

LRESULT CALLBACK StartupTreeView::TreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto handle = [&]() -> LRESULT {
    auto* view = reinterpret_cast<StartupTreeView*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (view == nullptr)
      return ::DefWindowProcA(hwnd, message, wParam, lParam);
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && view->tip_ != nullptr) {
      MSG relayed{hwnd, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
      const DWORD position = ::GetMessagePos();
      relayed.pt = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
      ::SendMessageA(view->tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    if (message == WM_MOUSEMOVE && view->PointerOver) {
      const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      view->PointerOver(view->NodeAt(point));
    } else if (message == WM_KEYUP && wParam == VK_F1 && view->HelpKey) {
      view->HelpKey();
    }
    return ::CallWindowProcA(view->controlProc_, hwnd, message, wParam, lParam);
  };
  return CatchAtWindowEntry(handle, [] { return LRESULT{0}; });
}

} // namespace vantrel::win32ui
