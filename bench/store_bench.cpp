// Loading and saving proggroup.c with many programs, through CDelayLoad on
// the simulated machine. The load is measured at several sizes so that its
// growth with the file shows (it should be linear).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/platform/sim/sim_platform.h"
#include "common/platform/sim/sim_world.h"
#include "common/store/delay_load.h"
#include "common/store/proggroup_writer.h"

namespace {

using namespace vantrel;

constexpr int kGroups = 50;
const std::vector<LanguageEntry> kLanguages{{"English", "en"}};

// Tables with the programs spread evenly over the groups.
StoreTables MakeTables(int programs) {
  StoreTables tables;
  SetDefaultTables(tables);
  tables.ProgramGroups.clear();
  for (int g = 0; g < kGroups; ++g) {
    ProgramGroup group{g == 0 ? "Startup" : "Group Number " + std::to_string(g), {}};
    for (int p = g; p < programs; p += kGroups) {
      group.Programs.push_back(ProgramEntry{
          "C:\\Program Files\\Vendor " + std::to_string(p) + "\\Application\\program.exe",
          p % 3 ? "-minimized --config=default" : "", p % 4 ? "Execute" : "ExecuteReg",
          static_cast<float>((p * 7) % 120) / 2.0f, p % 4 ? "" : "Value" + std::to_string(p), 0});
    }
    tables.ProgramGroups.push_back(std::move(group));
  }
  return tables;
}

struct Machine {
  sim::SimWorld world;
  sim::SimPlatform platform{world};
  StoreTables tables;
  CDelayLoad store{platform, tables, StoreHost{&kLanguages, [] {}, [](int) { return ""; }}};

  explicit Machine(int programs) {
    StoreTables source = MakeTables(programs);
    world.AddFile(store.FilePath(), store::FormatProgGroup(source, &kLanguages));
  }
};

void BM_LoadItems(benchmark::State& state) {
  Machine machine(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    if (!machine.store.LoadItems())
      state.SkipWithError("load failed");
  }
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadItems)
    ->RangeMultiplier(2)
    ->Range(1250, 40000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_LoadItemsWithTree(benchmark::State& state) {
  Machine machine(static_cast<int>(state.range(0)));
  TreeModel tree;
  machine.store.SetBoundTreeView(&tree);
  for (auto _ : state) {
    if (!machine.store.LoadItems())
      state.SkipWithError("load failed");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadItemsWithTree)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_WriteItems(benchmark::State& state) {
  Machine machine(static_cast<int>(state.range(0)));
  machine.store.LoadItems();
  for (auto _ : state) {
    if (!machine.store.WriteItems())
      state.SkipWithError("save failed");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteItems)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
