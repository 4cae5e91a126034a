// Refreshing the main window's item tree on the simulated machine with
// 1,000 items in each of the eight startup locations: both Startup folders,
// both Run keys, and Vantrel's four stores (the items folders and the two
// stored-value keys), each holding 500 delayed and 500 stopped items. The
// whole refresh is measured (own Run value, re-reading proggroup.c, listing
// the folders and keys, building the model, expanded states, known
// programs), and the model's build on its own.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/platform/sim/sim_platform.h"
#include "common/platform/sim/sim_world.h"
#include "common/store/delay_load.h"
#include "common/tree_model.h"
#include "tests/native/installed_machine.h"
#include "vantrel/app/app_context.h"
#include "vantrel/tree/refresh_startup_items.h"
#include "vantrel/tree/startup_tree.h"

namespace {

using namespace vantrel;

constexpr int kPerLocation = 1000;
using namespace vantrel::installed;

struct Machine {
  sim::SimWorld world;
  sim::SimPlatform platform{world};
  AppContext context{platform};
  CDelayLoad store{context.NewDelayLoad()};
  TreeModel tree;
  StartupItemLists lists;

  Machine() {
    SetUpInstalledContext(context);
    context.Text.SafeList = {{"OneDrive.exe", "OneDrive"}, {"item 7", "A known item"}};
    std::vector<ProgramEntry> delayed;
    for (int i = 0; i < kPerLocation; ++i) {
      const std::string n = std::to_string(i);
      world.AddFile(kUserStartup + "\\User item " + n + ".lnk", "lnk");
      world.AddFile(kCommonStartup + "\\Common item " + n + ".lnk", "lnk");
      world.RegSetString(kHkeyCurrentUser, kRunKey, "User" + n,
                         "\"C:\\Programs\\User " + n + "\\user.exe\" -tray");
      world.RegSetString(kHkeyLocalMachine, kRunKey, "Machine" + n,
                         "C:\\Programs\\machine" + n + ".exe");
      // Each store: half delayed, half stopped.
      const bool isDelayed = i % 2 == 0;
      world.AddFile(context.Store.CurrentUserItemsFolder + "Moved user " + n + ".lnk", "lnk");
      world.AddFile(context.Store.AllUsersItemsFolder + "Moved common " + n + ".lnk", "lnk");
      world.RegSetString(kHkeyCurrentUser, "Software\\Korvane\\Vantrel\\HKCU", "StoredUser" + n,
                         "C:\\Stored\\u" + n + ".exe -q");
      world.RegSetString(kHkeyLocalMachine, "Software\\Korvane\\Vantrel\\HKLM", "StoredMachine" + n,
                         "C:\\Stored\\m" + n + ".exe");
      if (isDelayed) {
        delayed.push_back(Program("Execute", "Moved user " + n + ".lnk", "", ""));
        delayed.push_back(Program("ExecuteAU", "Moved common " + n + ".lnk", "", ""));
        delayed.push_back(
            Program("ExecuteReg", "C:\\Stored\\u" + n + ".exe", "-q", "StoredUser" + n));
        delayed.push_back(
            Program("ExecuteRegAU", "C:\\Stored\\m" + n + ".exe", "", "StoredMachine" + n));
      } else {
        context.Store.StoppedPrograms.push_back("_STPCU_Moved user " + n + ".lnk");
        context.Store.StoppedPrograms.push_back("_STPAU_Moved common " + n + ".lnk");
        context.Store.StoppedPrograms.push_back("_REGCU_C:\\Stored\\u" + n + ".exe");
        context.Store.StoppedPrograms.push_back("_REGAU_C:\\Stored\\m" + n + ".exe");
      }
    }
    context.Store.ProgramGroups = {ProgramGroup{"Startup", std::move(delayed)}};
    context.Store.StartupGroupIndex = 0;
    context.Store.StartupType = 2;
    store.WriteItems();
  }
};

void BM_RefreshData(benchmark::State& state) {
  Machine machine;
  for (auto _ : state)
    RefreshStartupItems(machine.context, machine.store, machine.tree, machine.lists);
  if (machine.tree.Count() < 20 + 8 * kPerLocation)
    state.SkipWithError("the tree misses items");
  state.counters["nodes"] = static_cast<double>(machine.tree.Count());
}
BENCHMARK(BM_RefreshData)->Unit(benchmark::kMillisecond);

void BM_BuildStartupTree(benchmark::State& state) {
  Machine machine;
  RefreshStartupItems(machine.context, machine.store, machine.tree, machine.lists);
  const std::string own = OwnRunValueText(machine.context.OwnRunCommand);
  for (auto _ : state) {
    StartupItemLists lists = machine.lists;
    const StartupItemCounts counts = CountStartupItems(lists, own, machine.context.Store);
    BuildStartupTree(machine.tree, lists, counts, own, machine.context.Store);
  }
  state.counters["nodes"] = static_cast<double>(machine.tree.Count());
}
BENCHMARK(BM_BuildStartupTree)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
