// The main window as the item commands see it, for the tests that drive
// those commands on a simulated machine: the real tree built by the real
// refresh, and a record of what the commands asked of the window.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "native/moves_test_support.h"
#include "vantrel/moves/popup_menu.h"
#include "vantrel/tree/refresh_startup_items.h"
#include "vantrel/tree/startup_tree.h"
#include "vantrel/window/check_for_options.h"
#include "vantrel/window/main_window_commands.h"

namespace vantrel::moves_test {

inline std::string StateText(const ItemPopupState& s) {
  std::string text = s.takeBack ? "back:" : "";
  for (const bool on : {s.delay, s.stop, s.run, s.properties, s.searchOnline})
    text += on ? '1' : '0';
  return text;
}

class FakeWindow : public MainWindowHost {
public:
  explicit FakeWindow(MovesMachine& machine) : m_(machine) {}

  AppContext& Context() override { return m_.context; }
  TreeModel& Tree() override { return tree; }
  CDelayLoad& Store() override { return m_.store; }
  TreeModel::NodeId SelectedNode() const override { return selected; }
  WindowHandle Handle() const override { return kWindow; }
  void RefreshData() override {
    RefreshStartupItems(m_.context, m_.store, tree, lists);
    selected = TreeModel::kNoNode;
    events.push_back("refresh");
  }
  void CheckForOptions() override {
    buttons = vantrel::CheckForOptions(tree);
    events.push_back("options");
  }
  void ShowItemTip(const std::string& text) override { events.push_back("tip:" + text); }
  void ClearItemTip() override { events.push_back("no tip"); }
  void SetItemTip(const std::string& tip) override { events.push_back("tip:" + tip); }
  void ChecksChanged() override { events.push_back("checks"); }
  void ShowItemPopup(const ItemPopupState& state) override {
    events.push_back("popup:" + StateText(state));
  }

  // The item node with this text under the category.
  TreeModel::NodeId Item(std::string_view category, const std::string& text) const {
    for (const TreeModel::NodeId child : tree.At(tree.Find(category)).children)
      if (tree.At(child).text == text)
        return child;
    ADD_FAILURE() << "no item " << text << " under " << category;
    return TreeModel::kNoNode;
  }
  std::vector<std::string> Items(std::string_view category) const {
    std::vector<std::string> texts;
    for (const TreeModel::NodeId child : tree.At(tree.Find(category)).children)
      texts.push_back(tree.At(child).text);
    return texts;
  }
  std::vector<std::string> Checked() const {
    std::vector<std::string> texts;
    for (const TreeModel::NodeId node : NodesInIndexOrder(tree))
      if (tree.At(node).checked)
        texts.push_back(tree.At(node).text);
    return texts;
  }
  void Check(TreeModel::NodeId node, bool checked = true) { tree.At(node).checked = checked; }

  TreeModel tree;
  StartupItemLists lists;
  TreeModel::NodeId selected = TreeModel::kNoNode;
  std::vector<std::string> events;
  ItemButtons buttons;

private:
  MovesMachine& m_;
};

} // namespace vantrel::moves_test
