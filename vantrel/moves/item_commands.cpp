#include "vantrel/moves/item_commands.h"

#include "common/event_log.h"
#include "vantrel/moves/check_propagation.h"
#include "vantrel/moves/found_item_moves.h"
#include "vantrel/moves/popup_menu.h"
#include "vantrel/moves/registry_moves.h"
#include "vantrel/moves/shortcut_moves.h"
#include "vantrel/moves/take_back.h"
#include "vantrel/tree/found_items_branch.h"
#include "vantrel/tree/item_node.h"
#include "vantrel/tree/refresh_startup_items.h"
#include "vantrel/tree/returned_items.h"
#include "vantrel/tree/startup_tree.h"
#include "vantrel/tree/switched_off_items.h"

namespace vantrel::items {

namespace {

// The checked current-user entries of the branch of what a crash left in
// the store; Save and Run put them back, Delay and Stop record them.
void ActOnCheckedFound(MoveSession& session, const TreeModel& tree, FoundItemAction action) {
  const CheckedFoundItems checked{CheckedChildren(tree, startup_tree::kFoundCurrentStartup),
                                  CheckedChildren(tree, startup_tree::kFoundCurrentRegistry)};
  ActOnCheckedFoundItems(session, checked, action);
}

// The returned item a node of Windows' items stands for, as the locations
// hold it now; false when it is no longer back.
bool FindReturned(AppContext& context, const ItemNode& node, ReturnedItem& found) {
  StartupItemLists lists = ReadStartupLocations(context);
  for (ReturnedItem& item : FindReturnedItems(context.platform, context.Store, lists)) {
    if (item.kind == node.Kind() && item.Text() == node.text) {
      found = std::move(item);
      return true;
    }
  }
  return false;
}

// Takes back the checked current-user items that came back, and leaves
// them out of the lists the batch moves.
void TakeBackChecked(MoveSession& session, const TreeModel& tree, CheckedItems& runValues,
                     CheckedItems& shortcuts) {
  for (const TreeModel::NodeId node : NodesInIndexOrder(tree)) {
    const TreeModel::Node& at = tree.At(node);
    if (!at.checked || at.tag != startup_tree::kReturnedTag)
      continue;
    const ItemNode item = ClassifyItemNode(tree, node);
    if (!item.currentUser)
      continue;
    std::vector<std::string>& windows = item.runValue ? runValues.windows : shortcuts.windows;
    std::erase(windows, item.text);
    ReturnedItem returned;
    if (FindReturned(session.context, item, returned))
      TakeBackItem(session, returned);
  }
}

} // namespace

void ItemCommands::RunBatch(Batch batch) {
  MainWindowHost& window = host();
  const TreeModel& tree = window.Tree();
  if (!AnyNodeChecked(tree))
    return;
  CheckedItems runValues = CheckedCurrentUserRunValues(tree);
  CheckedItems shortcuts = CheckedCurrentUserShortcuts(tree);
  MoveSession session(window.Context(), window.Store(), window.Handle(), services_.localTime);
  // A checked item that came back goes back as it was, whatever the
  // button: it is Vantrel's already.
  if (batch != Batch::kRun)
    TakeBackChecked(session, tree, runValues, shortcuts);
  switch (batch) {
  case Batch::kSave:
    ApplyCheckedRegistryItems(session, runValues, MoveTo::kDelayed, CheckedStopped::kLeave);
    ApplyCheckedShortcutItems(session, shortcuts, MoveTo::kDelayed, CheckedStopped::kLeave);
    RestoreCheckedRegistryItems(session, runValues);
    RestoreCheckedShortcutItems(session, shortcuts);
    ActOnCheckedFound(session, tree, FoundItemAction::kPutBack);
    break;
  case Batch::kDelay:
    ApplyCheckedRegistryItems(session, runValues, MoveTo::kDelayed, CheckedStopped::kDelayToo);
    ApplyCheckedShortcutItems(session, shortcuts, MoveTo::kDelayed, CheckedStopped::kDelayToo);
    ActOnCheckedFound(session, tree, FoundItemAction::kDelay);
    break;
  case Batch::kStop:
    // Checked stopped items stay as they are (the procedures skip them).
    ApplyCheckedRegistryItems(session, runValues, MoveTo::kStopped, CheckedStopped::kLeave);
    ApplyCheckedShortcutItems(session, shortcuts, MoveTo::kStopped, CheckedStopped::kLeave);
    ActOnCheckedFound(session, tree, FoundItemAction::kStop);
    break;
  case Batch::kRun:
    RestoreCheckedRegistryItems(session, runValues);
    RestoreCheckedShortcutItems(session, shortcuts);
    ActOnCheckedFound(session, tree, FoundItemAction::kPutBack);
    break;
  }
  window.RefreshData();
  session.failures.Show(window.Context(), window.Handle());
}

void ItemCommands::ToolbarButtonClick(std::string_view key) {
  if (key == toolbar_key::kSave)
    RunBatch(Batch::kSave);
  else if (key == toolbar_key::kDelay)
    RunBatch(Batch::kDelay);
  else if (key == toolbar_key::kStop)
    RunBatch(Batch::kStop);
  else if (key == toolbar_key::kRun)
    RunBatch(Batch::kRun);
  else if (key == toolbar_key::kRefresh)
    host().RefreshData();
  else if (key == toolbar_key::kProperties && services_.showProgramGroups)
    services_.showProgramGroups(std::string());
  host().CheckForOptions();
}

void ItemCommands::FileSave() {
  MainWindowHost& window = host();
  if (!AnyNodeChecked(window.Tree()))
    return;
  MoveSession session(window.Context(), window.Store(), window.Handle(), services_.localTime);
  CheckedItems runValues = CheckedCurrentUserRunValues(window.Tree());
  CheckedItems shortcuts = CheckedCurrentUserShortcuts(window.Tree());
  TakeBackChecked(session, window.Tree(), runValues, shortcuts);
  ApplyCheckedRegistryItems(session, runValues, MoveTo::kDelayed, CheckedStopped::kLeave);
  ApplyCheckedShortcutItems(session, shortcuts, MoveTo::kDelayed, CheckedStopped::kLeave);
  RestoreCheckedRegistryItems(session, runValues);
  RestoreCheckedShortcutItems(session, shortcuts);
  ActOnCheckedFound(session, window.Tree(), FoundItemAction::kPutBack);
  session.SaveModel();
  window.RefreshData();
  session.failures.Show(window.Context(), window.Handle());
}

void ItemCommands::TreeNodeCheck(TreeModel::NodeId node) {
  TreeClick();
  if (PropagateCheck(host().Tree(), node))
    host().ChecksChanged();
  host().CheckForOptions();
}

void ItemCommands::TreeMouseUp(int button) {
  if (button == kRightButton) {
    const ItemNode item = ClassifyItemNode(host().Tree(), host().SelectedNode());
    if (item.actionable)
      host().ShowItemPopup(item.returned ? ReturnedItemPopupState() : PopupStateFor(item.fullPath));
  }
  host().CheckForOptions();
}

void ItemCommands::ItemPopupCommand(ItemPopupEntry entry) {
  MainWindowHost& window = host();
  const ItemNode item = ClassifyItemNode(window.Tree(), window.SelectedNode());
  const ItemPopupState state =
      item.returned ? ReturnedItemPopupState() : PopupStateFor(item.fullPath);
  if (!item.actionable || !IsEnabled(state, entry))
    return;
  AppContext& context = window.Context();
  switch (entry) {
  case ItemPopupEntry::kTakeBack: {
    MoveSession session(context, window.Store(), window.Handle(), services_.localTime);
    ReturnedItem returned;
    if (FindReturned(context, item, returned))
      TakeBackItem(session, returned);
    window.RefreshData();
    session.failures.Show(context, window.Handle());
    break;
  }
  case ItemPopupEntry::kDelay:
  case ItemPopupEntry::kStop:
  case ItemPopupEntry::kRun: {
    MoveSession session(context, window.Store(), window.Handle(), services_.localTime);
    const bool stop = entry == ItemPopupEntry::kStop;
    const MoveTo to = stop ? MoveTo::kStopped : MoveTo::kDelayed;
    const From restoreFrom = item.stoppedForRun ? From::kStopped : From::kListed;
    if (IsFoundItemPath(item.fullPath))
      ActOnFoundItem(session, item.text, item.Kind(),
                     entry == ItemPopupEntry::kRun ? FoundItemAction::kPutBack
                     : stop                        ? FoundItemAction::kStop
                                                   : FoundItemAction::kDelay);
    else if (entry == ItemPopupEntry::kRun && item.runValue)
      RestoreRegistryItem(session, item.text, item.Kind(), restoreFrom);
    else if (entry == ItemPopupEntry::kRun)
      RestoreShortcutItem(session, item.text, item.Kind(), restoreFrom);
    else if (item.runValue)
      DelayRegistryItem(session, item.text, item.Kind(), to,
                        item.stopped ? From::kStopped : From::kListed);
    else
      DelayShortcutItem(session, item.text, item.Kind(), to);
    session.SaveModel();
    window.RefreshData();
    session.failures.Show(context, window.Handle());
    break;
  }
  case ItemPopupEntry::kProperties:
    if (services_.showProgramGroups)
      services_.showProgramGroups(item.text);
    break;
  case ItemPopupEntry::kSearchOnline:
    SearchOnline(context.platform, window.Handle(), context.Text.OnlineSearchText, item.text);
    break;
  }
}

void ItemCommands::TreeMouseMove(TreeModel::NodeId node) {
  const TreeModel& tree = host().Tree();
  if (tree.Contains(node) && tree.At(node).tag == startup_tree::kReturnedTag)
    host().SetItemTip(ReturnedItemTip(host().Context().Text));
  else if (tree.Contains(node) && tree.At(node).image == startup_tree::image::kSwitchedOff)
    host().SetItemTip(SwitchedOffItemTip(host().Context().Text));
  else if (tree.Contains(node))
    host().ShowItemTip(tree.At(node).text);
  else if (services_.clearItemTip)
    services_.clearItemTip();
  else
    host().ClearItemTip();
}

} // namespace vantrel::items
