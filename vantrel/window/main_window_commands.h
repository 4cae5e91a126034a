// The seam between the main window and the commands that act on startup
// items. The window turns toolbar clicks, File > Save, tree clicks, check
// marks, right clicks and popup choices into calls on MainWindowCommands;
// the commands use MainWindowHost to read the tree and to have the window
// refresh, update its toolbar, show a tool tip or show the item popup.
//
// MainWindowCommands' own members do what the window needs while no item
// commands are installed: Refresh rebuilds the tree, clicks and check marks
// update the toolbar and the tool tip, and everything else does nothing. The
// item commands derive from it and replace what they handle.
#pragma once

#include <string>
#include <string_view>

#include "common/platform/platform.h"
#include "common/store/delay_load.h"
#include "common/tree_model.h"
#include "vantrel/app/app_context.h"

namespace vantrel {

// The entries of the item popup menu.
// Take Back is for items that came back to Windows' startup.
enum class ItemPopupEntry { kDelay, kStop, kRun, kProperties, kSearchOnline, kTakeBack };

// Which popup entries are enabled.
struct ItemPopupState {
  bool delay = false;
  bool stop = false;
  bool run = false;
  bool properties = false;
  bool searchOnline = false;
  bool takeBack = false;
};

// Mouse buttons as the tree reports them.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;

// Toolbar button keys, by button index 1, 3, 5, 6, 7 and 8 (2 and 4 are
// separators).
namespace toolbar_key {
inline constexpr std::string_view kSave = "Save";
inline constexpr std::string_view kRefresh = "Refresh";
inline constexpr std::string_view kStop = "Stop";
inline constexpr std::string_view kDelay = "Delay";
inline constexpr std::string_view kRun = "Run";
inline constexpr std::string_view kProperties = "Properties";
} // namespace toolbar_key

class MainWindowHost {
public:
  virtual ~MainWindowHost() = default;

  virtual AppContext& Context() = 0;
  // The item tree. Its check marks are those the user set in the control.
  virtual TreeModel& Tree() = 0;
  // The window's own store object, through which it writes proggroup.c.
  virtual CDelayLoad& Store() = 0;
  // The selected node, or TreeModel::kNoNode.
  virtual TreeModel::NodeId SelectedNode() const = 0;
  // The window, as owner of message boxes and shell calls.
  virtual WindowHandle Handle() const = 0;

  // Reads every location again and rebuilds the tree (check marks and the
  // selection are lost).
  virtual void RefreshData() = 0;
  // Sets the Stop, Delay and Run buttons from the checked nodes, clearing
  // the checks that no command would act on.
  virtual void CheckForOptions() = 0;
  // The tree's tool tip for a node text; the empty text means the selected
  // node.
  virtual void ShowItemTip(const std::string& text) = 0;
  // Empties the tree's tool tip.
  virtual void ClearItemTip() {}
  // Sets the tree's tool tip to this text (an item that came back).
  virtual void SetItemTip(const std::string&) {}
  // The model's check marks changed: the control shows them again.
  virtual void ChecksChanged() = 0;
  // Shows the item popup at the pointer with these entries enabled; a chosen
  // entry arrives as MainWindowCommands::ItemPopupCommand.
  virtual void ShowItemPopup(const ItemPopupState& state) = 0;
};

class MainWindowCommands {
public:
  explicit MainWindowCommands(MainWindowHost& host) : host_(host) {}
  virtual ~MainWindowCommands() = default;
  MainWindowCommands(const MainWindowCommands&) = delete;
  MainWindowCommands& operator=(const MainWindowCommands&) = delete;

  // A toolbar button, by its key (toolbar_key). Here: Refresh rebuilds the
  // tree; then the toolbar state is updated.
  virtual void ToolbarButtonClick(std::string_view key);
  // File > Save. Here: nothing.
  virtual void FileSave() {}
  // A click on the tree or on a node. Here: toolbar state, then the tool tip
  // of the selected node.
  virtual void TreeClick();
  // The user set or cleared a node's check box; the model already holds the
  // new state. Here: as a click.
  virtual void TreeNodeCheck(TreeModel::NodeId node);
  // A mouse button went up over the tree. Here: toolbar state.
  virtual void TreeMouseUp(int button);
  // The pointer moved onto another node of the tree (kNoNode: off every
  // node). Here: the node's tool tip, or none.
  virtual void TreeMouseMove(TreeModel::NodeId node);
  // An entry of the item popup was chosen. Here: nothing.
  virtual void ItemPopupCommand(ItemPopupEntry) {}

protected:
  MainWindowHost& host() { return host_; }

private:
  MainWindowHost& host_;
};

} // namespace vantrel
