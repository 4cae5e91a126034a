// A simulated machine with Vantrel installed for the tests of the item
// moves and commands: the process context with the folders start-up sets,
// the window's store object, a move session owned by a pretend window, and
// helpers that look at the eight locations afterwards.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/platform/sim/sim_platform.h"
#include "common/platform/sim/sim_world.h"
#include "common/store/delay_load.h"
#include "native/installed_machine.h"
#include "vantrel/app/app_context.h"
#include "vantrel/moves/item_move_session.h"

namespace vantrel::moves_test {

using namespace installed;

inline const std::string kUserStore = "Software\\Korvane\\Vantrel\\HKCU";
inline const std::string kMachineStore = "Software\\Korvane\\Vantrel\\HKLM";
inline const std::string kBackupDay = kFolder + "\\Delayed Registry\\2026-06-12";
constexpr WindowHandle kWindow = 0x4242;

// The messages the boxes start with (the English texts of entries 1 and 2).
inline const std::string kRunValuesFailed = "Some Run values could not be moved.";

struct MovesMachine {
  MovesMachine() {
    SetUpInstalledContext(context);
    context.Text.Messages[1] = kRunValuesFailed;
    context.Text.Messages[2] = "Some shortcuts could not be moved.";
    world.clock().SetStartTimeOfDay(14, 5, 9);
  }

  // The model as the window holds it after a refresh: written, then read.
  void SetModel(std::vector<ProgramEntry> startup, std::vector<std::string> stopped) {
    context.Store.ProgramGroups = {ProgramGroup{"Startup", std::move(startup)}};
    context.Store.StartupGroupIndex = 0;
    context.Store.StoppedPrograms = std::move(stopped);
    // Through the session, which then knows the model as saved.
    ASSERT_TRUE(session.SaveModel());
    ASSERT_TRUE(store.LoadItems());
  }
  // Reads proggroup.c again, as the refresh after every command does.
  void Reload() { ASSERT_TRUE(store.LoadItems()); }

  // The programs of the group "Startup" that are not free slots.
  std::vector<ProgramEntry> Delayed() const {
    std::vector<ProgramEntry> programs;
    for (const auto& group : context.Store.ProgramGroups) {
      if (group.Name != "Startup")
        continue;
      for (ProgramEntry program : group.Programs) {
        if (!program.Path.empty()) {
          program.MenuId = 0;
          programs.push_back(program);
        }
      }
    }
    return programs;
  }
  std::vector<std::string> Stopped() const {
    std::vector<std::string> entries;
    for (const auto& entry : context.Store.StoppedPrograms) {
      if (!entry.empty())
        entries.push_back(entry);
    }
    return entries;
  }

  void AddRunValue(RegKey root, const std::string& name, const std::string& data) {
    world.RegSetString(root, kRunKey, name, data);
  }
  std::optional<std::string> RunValue(RegKey root, const std::string& name) const {
    return world.RegGetString(root, kRunKey, name);
  }
  std::optional<std::string> StoredValue(RegKey root, const std::string& name) const {
    return world.RegGetString(root, root == kHkeyCurrentUser ? kUserStore : kMachineStore, name);
  }
  std::vector<std::string> BackupFiles() const {
    return world.IsFolder(kBackupDay) ? world.List(kBackupDay) : std::vector<std::string>{};
  }
  std::string BackupText(const std::string& fileName) const {
    return world.ReadFile(kBackupDay + "\\" + fileName).value_or("<missing>");
  }

  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : platform.messageBoxes())
      texts.push_back(box.text);
    return texts;
  }

  sim::SimWorld world;
  sim::SimPlatform platform{world};
  AppContext context{platform};
  CDelayLoad store{context.NewDelayLoad()};
  items::MoveSession session{context, store, kWindow};
};

} // namespace vantrel::moves_test
