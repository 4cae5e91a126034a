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

} // namespace vantrel::startup_test
