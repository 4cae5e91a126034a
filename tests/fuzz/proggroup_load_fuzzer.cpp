// libFuzzer target: CDelayLoad::LoadItems over arbitrary bytes as the
// user's proggroup.c on a simulated machine, with a tree bound, followed by
// the operations that run on whatever was loaded and a save and reload.
// Any crash, hang or sanitizer report is a finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/platform/sim/sim_platform.h"
#include "common/platform/sim/sim_world.h"
#include "common/store/delay_load.h"

namespace {

const std::vector<vantrel::LanguageEntry> kLanguages{
    {"English", "en"}, {"Deutsch", "de"}, {"", ""}, {"Dup", "en"}};

void Exercise(vantrel::CDelayLoad& store, vantrel::StoreTables& tables) {
  std::vector<std::string> removed;
  store.RemoveDisallowed(removed);
  store.AreUserDelays();
  store.AreAllUserDelays();
  std::string path, parameters;
  for (std::size_t i = 0; i < tables.StoppedPrograms.size() && i < 8; ++i)
    store.GetStoppedInfo(static_cast<vantrel::StoreIndex>(i), path, parameters);
  for (std::size_t g = 0; g < tables.ProgramGroups.size() && g < 8; ++g) {
    const auto group = static_cast<vantrel::StoreIndex>(g);
    const auto& programs = tables.ProgramGroups[g].Programs;
    if (!programs.empty())
      store.GetProgramID(programs.back().Path + " " + programs.back().Parameters, group);
    store.GetGroupID(tables.ProgramGroups[g].Name);
  }
  store.AddProgramToGroup(vantrel::kNoIndex, "Execute", "C:\\x.exe", "", 1, "");
  store.RemoveProgramFromGroup(0, 0);
  store.RemoveProgramGroup(static_cast<vantrel::StoreIndex>(tables.ProgramGroups.size() - 1));
  store.AddStoppedProgram("Tool.lnk", vantrel::ItemKind::kCurrentUserShortcut);
  store.RemoveStoppedProgram("Tool.lnk", vantrel::ItemKind::kCurrentUserShortcut);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vantrel::sim::SimWorld world;
  vantrel::sim::SimPlatform platform(world);
  world.RegSetString(vantrel::kHkeyCurrentUser, "Software\\Korvane\\Vantrel\\HKCU", "Agent",
                     "C:\\Tools\\agent.exe -q");

  vantrel::StoreTables tables;
  tables.CurrentUserItemsFolder = "C:\\Program Files\\Vantrel\\Vantrel Items\\Current User\\";
  tables.AllUsersItemsFolder = "C:\\Program Files\\Vantrel\\Vantrel Items\\All Users\\";
  const vantrel::StoreHost host{&kLanguages, [] {}, [](int) { return std::string("failed"); }};

  vantrel::CDelayLoad store(platform, tables, host);
  world.AddFile(store.FilePath(), std::string(reinterpret_cast<const char*>(data), size));
  vantrel::TreeModel tree;
  store.SetBoundTreeView(&tree);
  store.LoadItems();
  Exercise(store, tables);

  store.SetBoundTreeView(nullptr);
  store.WriteItems();
  store.LoadItems();
  return 0;
}
