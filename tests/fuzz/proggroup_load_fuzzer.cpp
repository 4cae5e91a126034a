// libFuzzer target: CDelayLoad::LoadItems over arbitrary bytes as the
// user's proggroup.c on a simulated machine, with a tree bound, followed by
// the operations that run on whatever was loaded and a save and reload.
// Any crash, hang or sanitizer report is a finding.
#include <cstdint>
#include <string>

#include "common/platform/sim/sim_platform.h"
#include "common/store/delay_load.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<LanguageEntry> languages{{"English", "en"}, {"", ""}, {"Dup", "en"}};
  sim::SimWorld world;
  sim::SimPlatform platform(world);
  world.RegSetString(kHkeyCurrentUser, "Software\\Korvane\\Vantrel\\HKCU", "Agent", "C:\\a.exe");
  StoreTables tables;
  tables.CurrentUserItemsFolder = "C:\\Program Files\\Vantrel\\Vantrel Items\\Current User\\";
  tables.AllUsersItemsFolder = "C:\\Program Files\\Vantrel\\Vantrel Items\\All Users\\";
  CDelayLoad store(platform, tables, StoreHost{&languages, [] {}, [](int) { return "failed"; }});
  world.AddFile(store.FilePath(), std::string(reinterpret_cast<const char*>(data), size));
  TreeModel tree;
  store.SetBoundTreeView(&tree);
  store.LoadItems();

  std::vector<std::string> removed;
  store.RemoveDisallowed(removed);
  store.AreUserDelays();
  store.AreAllUserDelays();
  std::string path, parameters;
  for (std::size_t i = 0; i < tables.StoppedPrograms.size() && i < 8; ++i)
    store.GetStoppedInfo(static_cast<StoreIndex>(i), path, parameters);
  for (std::size_t g = 0; g < tables.ProgramGroups.size() && g < 8; ++g) {
    const auto& programs = tables.ProgramGroups[g].Programs;
    if (!programs.empty())
      store.GetProgramID(programs.back().Path + " " + programs.back().Parameters,
                         static_cast<StoreIndex>(g));
    store.GetGroupID(tables.ProgramGroups[g].Name);
  }
  store.AddProgramToGroup(kNoIndex, "Execute", "C:\\x.exe", "", 1, "");
  store.RemoveProgramFromGroup(0, 0);
  store.RemoveProgramGroup(static_cast<StoreIndex>(tables.ProgramGroups.size() - 1));
  store.AddStoppedProgram("Tool.lnk", ItemKind::kCurrentUserShortcut);
  store.RemoveStoppedProgram("Tool.lnk", ItemKind::kCurrentUserShortcut);
  store.SetBoundTreeView(nullptr);
  store.WriteItems();
  store.LoadItems();
  return 0;
}
