// The moves machine with the main window on it: the real tree from the real
// refresh, the item commands a user chooses from it, and the login run that
// follows, for the tests that chain what a user does.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "common/text.h"
#include "native/fake_main_window.h"
#include "native/login_test_support.h"
#include "vantrel/login/start_delay.h"
#include "vantrel/moves/item_commands.h"

namespace vantrel::moves_test {

inline const std::string kWowRunKey =
    "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::string kWowMachineStore = "Software\\WOW6432Node\\Korvane\\Vantrel\\HKLM";

struct WindowMachine : MovesMachine {
  WindowMachine() {
    context.Store.StartupType = 1;
    context.Store.MainStartupDelay = 0;
  }
  // Chooses the popup entry on the first item of the category whose text
  // begins with start.
  void Popup(std::string_view category, const std::string& start, ItemPopupEntry entry) {
    window.selected = TreeModel::kNoNode;
    for (const TreeModel::NodeId child : window.tree.At(window.tree.Find(category)).children)
      if (window.selected == TreeModel::kNoNode && StartsWith(window.tree.At(child).text, start))
        window.selected = child;
    ASSERT_NE(TreeModel::kNoNode, window.selected) << start;
    items::ItemCommands(window).ItemPopupCommand(entry);
  }
  std::string Caption(std::string_view category) const {
    const TreeModel::NodeId node = window.tree.Find(category);
    return node == TreeModel::kNoNode ? "<none>" : window.tree.At(node).text;
  }
  // The login run on the file as saved: "file|parameters" per start.
  std::vector<std::string> LoginRun() {
    login_test::FakeMainWindow main(context, world);
    main.Load();
    const std::size_t before = platform.shellExecutes().size();
    Reload();
    StartDelay(context, main);
    std::vector<std::string> started;
    for (const auto& run : std::span(platform.shellExecutes()).subspan(before))
      started.push_back(run.file + "|" + run.parameters);
    return started;
  }
  std::optional<std::uint32_t> Type(RegKey root, const std::string& key, const std::string& name) {
    const auto value = world.RegGetValue(root, key, name);
    return value ? std::optional<std::uint32_t>(value->type) : std::nullopt;
  }
  std::string Log() const { return world.ReadFile(kFolder + "\\log.txt").value_or(""); }
  FakeWindow window{*this};
};

} // namespace vantrel::moves_test
