#include "vantrel/window/main_window_commands.h"

namespace vantrel {

void MainWindowCommands::ToolbarButtonClick(std::string_view key) {
  if (key == toolbar_key::kRefresh)
    host_.RefreshData();
  host_.CheckForOptions();
}

void MainWindowCommands::TreeClick() {
  host_.CheckForOptions();
  host_.ShowItemTip(std::string());
}

void MainWindowCommands::TreeNodeCheck(TreeModel::NodeId) {
  TreeClick();
}

void MainWindowCommands::TreeMouseUp(int) {
  host_.CheckForOptions();
}

void MainWindowCommands::TreeMouseMove(TreeModel::NodeId node) {
  const TreeModel& tree = host_.Tree();
  if (tree.Contains(node))
    host_.ShowItemTip(tree.At(node).text);
  else
    host_.ClearItemTip();
}

} // namespace vantrel
