// The process ends after every changing call of every command, one crash
// point after another: the simulated process makes its first k changes and
// then is gone (every later change fails and changes nothing), for each k
// from 1 until the command finishes. After each crash a fresh process on
// the same machine loads proggroup.c and every startup entry the machine
// had must be in exactly one place, and the login run start only what is
// delayed.
//
// The commands: the toolbar's Delay, Stop, Run and Save on
// the checked items of every kind and both scopes at once; saving from the
// program-group editor; a changed registration at login in the options
// window; VantrelSync sync and upgrade. Each command's number of crash
// points is printed.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "common/store/startup_group.h"
#include "common/text.h"
#include "login_test_support.h"
#include "moves_test_support.h"
#include "native/fake_main_window.h"
#include "native/sync_sim_machine.h"
#include "vantrel/dialogs/options_logic.h"
#include "vantrel/editor/program_groups_logic.h"
#include "vantrel/login/start_delay.h"
#include "vantrel/moves/item_commands.h"
#include "vantrel/tree/found_items_branch.h"
#include "vantrelsync/run_vantrel_sync.h"

namespace vantrel::moves_test {
namespace {

namespace st = startup_tree;

const std::string kProgGroup = kFolder + "\\Tester\\proggroup.c";
const std::string kOldUserItems = "C:\\Users\\Tester\\AppData\\Roaming\\Microsoft\\Windows\\Start "
                                  "Menu\\Programs\\KRV Vantrel\\Current User\\";

enum class Where { kWindows, kDelayed, kStopped, kFound, kOldLayout };

// A startup entry the machine had before the command.
struct Entry {
  bool runValue = false;
  bool currentUser = false;
  std::string name;    // the shortcut's file name or the value's name
  std::string content; // the shortcut's bytes or the value's command
  Where start = Where::kWindows;
};

// Vantrel installed with entries in every place, both scopes, the main
// window's tree built; old-layout shortcuts wait for the upgrade.
struct CrashMachine {
  CrashMachine() {
    std::vector<ProgramEntry> delayed;
    std::vector<std::string> stopped;
    for (const bool cu : {true, false}) {
      const std::string u = cu ? "u" : "m";
      const RegKey root = cu ? kHkeyCurrentUser : kHkeyLocalMachine;
      const std::string startup = (cu ? kUserStartup : kCommonStartup) + "\\";
      const std::string items = cu ? kCurrentUserItems : kAllUsersItems;
      const std::string store = cu ? kUserStore : kMachineStore;
      const auto add = [&](bool run, Where where, const std::string& name,
                           const std::string& path = "", const std::string& parameters = "") {
        Entry e{run, cu, name,
                run ? path + (parameters.empty() ? "" : " " + parameters) : "link " + name, where};
        if (run)
          m.world.RegSetString(root, where == Where::kWindows ? kRunKey : store, name, e.content);
        else
          m.world.AddFile((where == Where::kWindows ? startup : items) + name, e.content);
        if (where == Where::kDelayed)
          delayed.push_back(
              run ? Program(cu ? "ExecuteReg" : "ExecuteRegAU", path + " ", parameters, name)
                  : Program(cu ? "Execute" : "ExecuteAU", name));
        if (where == Where::kStopped)
          stopped.push_back(std::string(run ? "_REG" : "_STP") + (cu ? "CU_" : "AU_") +
                            (run ? path : name));
        entries.push_back(e);
      };
      add(false, Where::kWindows, u + "Win A.lnk");
      add(false, Where::kWindows, u + "Win B.lnk");
      add(false, Where::kDelayed, u + "Later.lnk");
      add(false, Where::kStopped, u + "Stopped.lnk");
      add(false, Where::kFound, u + "Found.lnk");
      add(true, Where::kWindows, u + "WinA", "C:\\Apps\\" + u + "wa.exe", "/q");
      add(true, Where::kWindows, u + "WinB", "\"C:\\Program Files\\B\\" + u + "b.exe\"", "-min");
      add(true, Where::kDelayed, u + "Later", "C:\\Apps\\" + u + "d.exe", "/x");
      add(true, Where::kStopped, u + "Stopped", "C:\\Apps\\" + u + "s.exe", "");
      add(true, Where::kFound, u + "Found", "C:\\Apps\\" + u + "f.exe", "/f");
    }
    for (const std::string name : {"Old A.lnk", "Old B.lnk"}) {
      entries.push_back(Entry{false, true, name, "old " + std::string(name), Where::kOldLayout});
      m.world.AddFile(kOldUserItems + name, entries.back().content);
    }
    m.context.Store.StartupType = 1;
    m.SetModel(delayed, stopped);
    m.context.Store.ProgramGroups.push_back(
        ProgramGroup{"Tools", {Program("Execute", "C:\\Apps\\tool.exe", "-x")}});
    m.store.WriteItems();
    window.RefreshData();
  }

  MovesMachine m;
  FakeWindow window{m};
  items::ItemCommands commands{window};
  std::vector<Entry> entries;
};

// Runs the command on the machine with the process that acts ending after
// k changes; true when it ended before the command was done.
using Command = std::function<bool(CrashMachine& c, int k)>;

bool VantrelCommand(CrashMachine& c, int k, const std::function<void()>& act) {
  c.m.platform.CrashAfterChanges(k);
  return act(), c.m.platform.crashed();
}

// Checks every item of the categories and clicks.
Command Checked(std::vector<std::string_view> categories, std::string_view button) {
  return [categories, button](CrashMachine& c, int k) {
    for (const std::string_view category : categories) {
      const TreeModel::NodeId node = c.window.tree.Find(category);
      for (std::size_t i = 0;
           node != TreeModel::kNoNode && i < c.window.tree.At(node).children.size(); ++i)
        c.window.Check(c.window.tree.At(node).children[i]);
    }
    return VantrelCommand(c, k, [&] { c.commands.ToolbarButtonClick(button); });
  };
}

Command Sync(const char* command) {
  return [command](CrashMachine& c, int k) {
    sim::SimPlatform process(c.m.world, sync_test::SyncProcess());
    process.CrashAfterChanges(k);
    sync::RunVantrelSync(process, command);
    return process.crashed();
  };
}

using NamedCommand = std::pair<std::string, Command>;

// The toolbar's commands on the checked items of both scopes (the popup
// menu's Delay, Stop and Run call the same moves one item at a time).
std::vector<NamedCommand> AllCommands() {
  // The categories, four by letter: Windows', delayed, stopped, found.
  static const std::string_view keys[] = {
      st::kCurrentUserStartup,     st::kCurrentUserRegistry,       st::kAllUsersStartup,
      st::kAllUsersRegistry,       st::kDelayedStartupCurrentUser, st::kDelayedRegistryCurrentUser,
      st::kDelayedStartupAllUsers, st::kDelayedRegistryAllUsers,   st::kStoppedCurrentStartup,
      st::kStoppedCurrentRegistry, st::kStoppedAllStartup,         st::kStoppedAllRegistry,
      st::kFoundCurrentStartup,    st::kFoundCurrentRegistry,      st::kFoundAllStartup,
      st::kFoundAllRegistry};
  const auto categories = [](std::string_view letters) {
    std::vector<std::string_view> chosen;
    for (std::size_t i = 0; i < std::size(keys); ++i) {
      if (letters.find("wdsf"[i / 4]) != std::string_view::npos)
        chosen.push_back(keys[i]);
    }
    return chosen;
  };
  std::vector<NamedCommand> commands;
  for (const auto& [name, letters, button] :
       std::vector<std::tuple<std::string, std::string_view, std::string_view>>{
           {"toolbar Delay on Windows, stopped and found items", "wsf", toolbar_key::kDelay},
           {"toolbar Stop on Windows, delayed and found items", "wdf", toolbar_key::kStop},
           {"toolbar Run on delayed, stopped and found items", "dsf", toolbar_key::kRun},
           {"toolbar Save on every item", "wdsf", toolbar_key::kSave}})
    commands.push_back({name, Checked(categories(letters), button)});
  commands.push_back({"editor: another delay, OK", [](CrashMachine& c, int k) {
                        ProgramGroupsEditor editor(c.m.context);
                        editor.SetOwner(kWindow);
                        editor.Load();
                        editor.NodeClicked(NodesInIndexOrder(editor.Tree()).at(1));
                        editor.ModeChosen(false);
                        editor.Fields().Delay = "12";
                        editor.AddClicked();
                        return VantrelCommand(c, k, [&] { editor.OkClicked(); });
                      }});
  commands.push_back(
      {"options: registration for the current user only", [](CrashMachine& c, int k) {
         OptionsForm form = OptionsFormFor(c.m.context.Store);
         form.RunAtLogin = 2;
         return VantrelCommand(c, k, [&] { ConfirmOptions(c.m.context, form); });
       }});
  commands.push_back({"VantrelSync sync", Sync("sync")});
  commands.push_back({"VantrelSync upgrade", Sync("upgrade")});
  return commands;
}

// --- What a fresh process finds: each entry's bytes unchanged in exactly
// one of where Windows starts it (Startup folder or Run key) and Vantrel's
// store (with its record, or without one: stopped or found), and the login
// run starting each delayed entry once and nothing else.

std::string Check(sim::SimWorld& world, const std::vector<Entry>& entries) {
  sim::SimPlatform process(world);
  AppContext context(process);
  SetUpInstalledContext(context);
  CDelayLoad store = context.NewDelayLoad();
  if (!world.Exists(kProgGroup) || !store.LoadItems())
    return "proggroup.c is gone or does not load";
  const ProgramGroup* group = StartupGroup(context.Store);
  std::string problems;
  std::size_t delayed = 0;
  for (const Entry& e : entries) {
    const RegKey root = e.currentUser ? kHkeyCurrentUser : kHkeyLocalMachine;
    const std::string windowsFile =
        e.start == Where::kOldLayout
            ? kOldUserItems + e.name
            : (e.currentUser ? kUserStartup : kCommonStartup) + "\\" + e.name;
    const std::string storeFile = (e.currentUser ? kCurrentUserItems : kAllUsersItems) + e.name;
    const std::optional<std::string> copies[] = {
        e.runValue ? world.RegGetString(root, kRunKey, e.name) : world.ReadFile(windowsFile),
        e.runValue ? world.RegGetString(root, e.currentUser ? kUserStore : kMachineStore, e.name)
                   : world.ReadFile(storeFile)};
    const std::string command =
        std::string(e.runValue ? "ExecuteReg" : "Execute") + (e.currentUser ? "" : "AU");
    int records = 0;
    for (const ProgramEntry& p : group ? group->Programs : std::vector<ProgramEntry>{})
      records +=
          p.Command == command &&
          (e.runValue ? p.RegistryName == e.name : EqualsIgnoreCase(FileNameOf(p.Path), e.name));
    // A Run value Windows starts makes a copy left in the store unused.
    const bool run = e.runValue && copies[0] == e.content;
    std::string places;
    for (int i = 0; i < (run ? 1 : 2); ++i) {
      if (copies[i])
        places += std::string(*copies[i] == e.content ? "" : "changed ") +
                  (i == 0 ? "where Windows starts it;" : "in the store;");
    }
    // A record left by a put back cut short is not started again.
    delayed += copies[1] && !copies[0] && records == 1;
    if (records > 1)
      places += " delayed twice;";
    if (places != "where Windows starts it;" && places != "in the store;")
      problems += e.name + (e.currentUser ? " (current user): " : " (all users): ") +
                  (places.empty() ? "lost" : places) + "\n";
  }
  context.GuiMode = false;
  login_test::FakeMainWindow window(context, world);
  window.Load();
  StartDelay(context, window);
  if (process.shellExecutes().size() != delayed)
    problems += "the login run started " + std::to_string(process.shellExecutes().size()) +
                " programs for " + std::to_string(delayed) + " delayed entries\n";
  return problems;
}

TEST(CrashPoints, EveryEntryStaysReachableWhereverTheProcessEnds) {
  for (const auto& [name, run] : AllCommands()) {
    int points = 0;
    for (int k = 1;; ++k) {
      ASSERT_LT(k, 400) << name << " never finishes";
      CrashMachine c;
      const bool crashed = run(c, k);
      const std::string problems = Check(c.m.world, c.entries);
      ASSERT_EQ(problems, "") << name << ", "
                              << (crashed ? "process ended after change " + std::to_string(k)
                                          : std::string("finished"))
                              << "\nproggroup.c:\n"
                              << c.m.world.ReadFile(kProgGroup).value_or("<missing>");
      if (!crashed)
        break;
      ++points;
    }
    // A command that changes nothing would test nothing.
    EXPECT_GT(points, 0) << name;
    std::printf("[ crash points ] %3d  %s\n", points, name.c_str());
  }
}

} // namespace
} // namespace vantrel::moves_test
