// A simulated machine with Vantrel installed, for the item-tree tests: the
// process context with its folders set as start-up sets them, and helpers
// that put items into the eight locations and write proggroup.c.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/platform/sim/sim_platform.h"
#include "common/platform/sim/sim_world.h"
#include "common/store/delay_load.h"
#include "common/tree_model.h"
#include "native/installed_machine.h"
#include "vantrel/app/app_context.h"
#include "vantrel/tree/startup_tree.h"

namespace vantrel::startup_test {

using namespace installed;

struct StartupItemsMachine {
  StartupItemsMachine() { SetUpInstalledContext(context); }

  void AddShortcut(const std::string& folder, const std::string& name) {
    world.AddFile(folder + "\\" + name, "shortcut");
  }
  void AddRunValue(RegKey root, const std::string& name, const std::string& data) {
    world.RegSetString(root, kRunKey, name, data);
  }
  // Writes proggroup.c with these delayed and stopped items; the next
  // refresh reads it back.
  void WriteProgramGroups(std::vector<ProgramEntry> startup, std::vector<std::string> stopped,
                          int startupType = 2) {
    context.Store.ProgramGroups = {ProgramGroup{"Startup", std::move(startup)}};
    context.Store.StartupGroupIndex = 0;
    context.Store.StoppedPrograms = std::move(stopped);
    context.Store.StartupType = startupType;
    ASSERT_TRUE(store.WriteItems());
  }

  sim::SimWorld world;
  sim::SimPlatform platform{world};
  AppContext context{platform};
  CDelayLoad store{context.NewDelayLoad()};
  TreeModel tree;
  StartupItemLists lists;
};

// One line per node in tree order: indent, text, then [picture], {tag},
// "b" for bold, "+" for expanded.
inline std::string Dump(const TreeModel& tree) {
  std::string out;
  const auto walk = [&](const auto& self, TreeModel::NodeId id, int depth) -> void {
    const TreeModel::Node& node = tree.At(id);
    out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + node.text;
    if (node.image != startup_tree::image::kNone)
      out += " [" +
             std::string(startup_tree::image::kNames[static_cast<std::size_t>(node.image - 1)]) +
             "]";
    if (!node.tag.empty())
      out += " {" + node.tag + "}";
    if (node.bold)
      out += " b";
    if (node.expanded)
      out += " +";
    out += "\n";
    for (const TreeModel::NodeId child : node.children)
      self(self, child, depth + 1);
  };
  for (const TreeModel::NodeId root : tree.Roots())
    walk(walk, root, 0);
  return out;
}

} // namespace vantrel::startup_test
