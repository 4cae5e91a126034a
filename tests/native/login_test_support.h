// Shared set-up of the start-up, launch engine and tray tests: a simulated
// machine with Vantrel installed, the process context, and a main window
// fake that closes through the real close logic.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/platform/sim/sim_platform.h"
#include "common/platform/sim/sim_world.h"
#include "native/crlf_text.h"
#include "native/installed_machine.h"
#include "vantrel/app/app_context.h"
#include "vantrel/window/main_window_close.h"
#include "vantrel/window/main_window_port.h"

namespace vantrel::login_test {

using installed::kAllUsersItems;
using installed::kCurrentUserItems;
using installed::kFolder;
using installed::kOwnRun;
using installed::kRunKey;

// The main window as far as start-up and the engine see it. Every call is
// recorded with the virtual time, as "what@ms".
class FakeMainWindow : public MainWindowPort {
public:
  FakeMainWindow(AppContext& context, sim::SimWorld& world) : context_(context), world_(world) {}

  void Load() override {
    loaded = true;
    Record("load");
    if (context_.GuiMode) {
      visible = true;
      Record("refresh");
    }
  }
  bool IsLoaded() const override { return loaded; }
  bool IsVisible() const override { return loaded && visible; }
  bool IsMinimized() const override { return loaded && minimized; }
  void Unload() override {
    if (loaded)
      Close(CloseReason::kProgram);
  }
  void Restore() override {
    minimized = false;
    Record("restore");
  }
  void ShowAndActivate() override {
    visible = true;
    Record("show");
  }
  void RefreshData() override { Record("refresh"); }
  void ShowTipOfTheDay() override { Record("tip"); }

  // The window is asked to close; true when it closed for good.
  bool Close(CloseReason reason) {
    const bool closed = QueryUnloadMainWindow(context_, reason, [this] {
      loaded = false;
      visible = false;
      Record("closed");
    });
    if (!closed) {
      visible = false;
      Record("hidden");
    }
    return closed;
  }

  bool loaded = false;
  bool visible = false;
  bool minimized = false;
  std::vector<std::string> events;

private:
  void Record(const std::string& what) {
    events.push_back(what + "@" + std::to_string(world_.Now()));
  }

  AppContext& context_;
  sim::SimWorld& world_;
};

inline ProgramEntry Program(const std::string& command, const std::string& path, float delay,
                            const std::string& parameters = "") {
  ProgramEntry entry;
  entry.Command = command;
  entry.Path = path;
  entry.Delay = delay;
  entry.Parameters = parameters;
  return entry;
}

// One simulated machine and Vantrel process; tables of cases make one per row.
struct LoginRig {
  LoginRig() {
    context.Store.CurrentUserItemsFolder = kCurrentUserItems;
    context.Store.AllUsersItemsFolder = kAllUsersItems;
    context.OwnRunCommand = kOwnRun;
    context.Store.StartupType = 1;
    context.Store.CloseType = 1;
    context.Store.MainStartupDelay = 30;
    context.Store.DisallowedPrograms = {"format", "fdisk", "del", "rmdir", "mkdir", "delete"};
  }

  // Makes the group "Startup" (at index 0) hold these programs.
  void SetStartup(std::vector<ProgramEntry> programs) {
    context.Store.ProgramGroups = {ProgramGroup{"Startup", std::move(programs)}};
    context.Store.StartupGroupIndex = 0;
  }

  // The login start as Main leaves it just before the run.
  void LoadHiddenWindow() {
    context.GuiMode = false;
    window.Load();
  }

  std::vector<std::string> LogLines() const {
    return test_text::CrLfLinesOf(world.ReadFile(kFolder + "\\log.txt").value_or(""));
  }

  // The programs the shell was asked to start, as "file|parameters@ms",
  // marked when not asked in the one way Vantrel starts programs.
  std::vector<std::string> Starts() const {
    std::vector<std::string> starts;
    for (const auto& call : platform.shellExecutes())
      starts.push_back(call.file + "|" + call.parameters + "@" + std::to_string(call.atMs) +
                       (call.extended && call.mask == 0x44Cu && call.verb.empty() &&
                                call.directory.empty() && call.show == 1 && call.hwnd == 0
                            ? ""
                            : " (not the usual ShellExecuteEx)"));
    return starts;
  }

  std::optional<std::string> RunValue(RegKey root) const {
    return world.RegGetString(root, kRunKey, "Tarrow");
  }

  sim::SimWorld world;
  sim::SimPlatform platform{world};
  AppContext context{platform};
  FakeMainWindow window{context, world};
};

class LoginTest : public ::testing::Test, public LoginRig {};

} // namespace vantrel::login_test
