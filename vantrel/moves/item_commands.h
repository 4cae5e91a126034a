// The main window's commands on startup items: the toolbar's Save, Delay,
// Stop, Run, Refresh and Properties, File > Save, the item popup menu, and
// the tree's check marks, right clicks and tool tips. The window forwards
// its events here (MainWindowCommands) and this class acts on the portable
// item tree through the moves of shortcuts and Run values; every command
// that changes a location writes the model, has the window refresh, and
// then shows in one box what could not be moved.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "vantrel/login/local_time.h"
#include "vantrel/window/main_window_commands.h"
#include "vantrel/window/online_search.h"

namespace vantrel::items {

// What the commands need beyond the platform seam; the Win32 window hands
// in the real ones (win32ui/item_command_services.h). Each may be empty:
// the backups then read the time from the platform's clock text, and
// Properties does nothing.
struct ItemCommandServices {
  LocalTimeSource localTime;
  // Shows the program-group editor modally; with a delayed item's text it
  // opens on that item's program.
  std::function<void(const std::string& itemText)> showProgramGroups;
  // Empties the tree's tool tip; without it the window's own ClearItemTip
  // does.
  std::function<void()> clearItemTip;
};

class ItemCommands : public MainWindowCommands {
public:
  explicit ItemCommands(MainWindowHost& host, ItemCommandServices services = {})
      : MainWindowCommands(host), services_(std::move(services)) {}

  // Save, Delay, Stop and Run act on the checked items and do nothing when
  // no node is checked; Refresh rebuilds the tree; Properties shows the
  // editor. Every click ends with the toolbar state.
  void ToolbarButtonClick(std::string_view key) override;
  // With a checked node: checked Windows items become delayed, checked
  // delayed and stopped items go back to Windows.
  void FileSave() override;
  // As a click; then a category node passes its check state three levels
  // down, and the toolbar state follows.
  void TreeNodeCheck(TreeModel::NodeId node) override;
  // The right button on an item node shows the popup with the entries its
  // branch allows; every button then updates the toolbar state.
  void TreeMouseUp(int button) override;
  // Acts on the selected node, when it is an item node that allows the
  // entry.
  void ItemPopupCommand(ItemPopupEntry entry) override;
  // The pointer moved over the tree: the tool tip of the node under it
  // (kNoNode: none, and the tip is emptied).
  void TreeMouseMove(TreeModel::NodeId node) override;

private:
  enum class Batch { kSave, kDelay, kStop, kRun };
  void RunBatch(Batch batch);

  ItemCommandServices services_;
};

} // namespace vantrel::items
