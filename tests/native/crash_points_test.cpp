// The process ends after every changing call of every command, one crash
// point after another: the simulated process makes its first k changes and
// then is gone (every later change fails and changes nothing), for each k
// from 1 until the command finishes. After each crash a fresh process on
// the same machine loads proggroup.c, builds the tree, and every startup
// entry the machine had must be in exactly one of: where it was; where it
// went, with its record; in Vantrel's store without a record, then shown
// in the branch "Found in Vantrel's Store (". A Run value put back before
// its record went (the record is left over) may show as delayed too, but
// the login run does not start it a second time.
//
// The commands: the toolbar's Delay, Stop, Run and Save and File > Save on
// the checked items of every kind and both scopes at once; saving from the
// program-group editor; a changed registration at login in the options
// window; VantrelSync sync and upgrade. Each command's number of crash
// points is printed.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
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
#include "vantrel/tree/refresh_startup_items.h"
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

std::string Describe(const Entry& e) {
  return std::string(e.currentUser ? "current user " : "all users ") +
         (e.runValue ? "Run value " : "shortcut ") + e.name;
}

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
      const auto shortcut = [&](Where where, const std::string& name) {
        Entry e{false, cu, name, "link " + name, where};
        m.world.AddFile((where == Where::kWindows ? startup : items) + name, e.content);
        if (where == Where::kDelayed)
          delayed.push_back(Program(cu ? "Execute" : "ExecuteAU", name));
        if (where == Where::kStopped)
          stopped.push_back((cu ? "_STPCU_" : "_STPAU_") + name);
        entries.push_back(e);
      };
      const auto value = [&](Where where, const std::string& name, const std::string& path,
                             const std::string& parameters) {
        Entry e{true, cu, name, parameters.empty() ? path : path + " " + parameters, where};
        m.world.RegSetString(root, where == Where::kWindows ? kRunKey : store, name, e.content);
        if (where == Where::kDelayed)
          delayed.push_back(
              Program(cu ? "ExecuteReg" : "ExecuteRegAU", path + " ", parameters, name));
        if (where == Where::kStopped)
          stopped.push_back((cu ? "_REGCU_" : "_REGAU_") + path);
        entries.push_back(e);
      };
      shortcut(Where::kWindows, u + "Win A.lnk");
      shortcut(Where::kWindows, u + "Win B.lnk");
      shortcut(Where::kDelayed, u + "Later.lnk");
      shortcut(Where::kStopped, u + "Stopped.lnk");
      shortcut(Where::kFound, u + "Found.lnk");
      value(Where::kWindows, u + "WinA", "C:\\Apps\\" + u + "wa.exe", "/q");
      value(Where::kWindows, u + "WinB", "\"C:\\Program Files\\B\\" + u + "b.exe\"", "-min");
      value(Where::kDelayed, u + "Later", "C:\\Apps\\" + u + "d.exe", "/x");
      value(Where::kStopped, u + "Stopped", "C:\\Apps\\" + u + "s.exe", "");
      value(Where::kFound, u + "Found", "C:\\Apps\\" + u + "f.exe", "/f");
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
  act();
  return c.m.platform.crashed();
}

// Checks every item of the categories and clicks.
Command Checked(std::vector<std::string_view> categories, std::string_view button) {
  return [categories, button](CrashMachine& c, int k) {
    for (const std::string_view category : categories) {
      const TreeModel::NodeId node = c.window.tree.Find(category);
      for (const TreeModel::NodeId child : node == TreeModel::kNoNode
                                               ? std::vector<TreeModel::NodeId>{}
                                               : c.window.tree.At(node).children)
        c.window.Check(child);
    }
    return VantrelCommand(c, k, [&] {
      if (button.empty())
        c.commands.FileSave();
      else
        c.commands.ToolbarButtonClick(button);
    });
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

struct NamedCommand {
  std::string name;
  Command run;
};

// The toolbar's commands on the checked items of both scopes (the popup
// menu's Delay, Stop and Run call the same moves one item at a time).
std::vector<NamedCommand> AllCommands() {
  // The categories by letter: Windows', delayed, stopped, found.
  const auto categories = [](std::string_view letters) {
    const std::pair<char, std::vector<std::string_view>> all[] = {
        {'w',
         {st::kCurrentUserStartup, st::kCurrentUserRegistry, st::kAllUsersStartup,
          st::kAllUsersRegistry}},
        {'d',
         {st::kDelayedStartupCurrentUser, st::kDelayedRegistryCurrentUser,
          st::kDelayedStartupAllUsers, st::kDelayedRegistryAllUsers}},
        {'s',
         {st::kStoppedCurrentStartup, st::kStoppedCurrentRegistry, st::kStoppedAllStartup,
          st::kStoppedAllRegistry}},
        {'f',
         {st::kFoundCurrentStartup, st::kFoundCurrentRegistry, st::kFoundAllStartup,
          st::kFoundAllRegistry}}};
    std::vector<std::string_view> chosen;
    for (const auto& [letter, keys] : all) {
      if (letters.find(letter) != std::string_view::npos)
        chosen.insert(chosen.end(), keys.begin(), keys.end());
    }
    return chosen;
  };
  std::vector<NamedCommand> commands;
  for (const auto& [name, letters, button] :
       std::vector<std::tuple<std::string, std::string_view, std::string_view>>{
           {"toolbar Delay on Windows, stopped and found items", "wsf", toolbar_key::kDelay},
           {"toolbar Stop on Windows, delayed and found items", "wdf", toolbar_key::kStop},
           {"toolbar Run on delayed, stopped and found items", "dsf", toolbar_key::kRun},
           {"toolbar Save on every item", "wdsf", toolbar_key::kSave},
           {"File > Save on every item", "wdsf", ""}})
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

// --- What a fresh process finds.

class Inspection {
public:
  explicit Inspection(sim::SimWorld& world) : world_(world) {}

  // Empty when every entry is where it may be.
  std::string Check(const std::vector<Entry>& entries) {
    if (!world_.Exists(kProgGroup))
      return "proggroup.c is gone";
    SetUpInstalledContext(context_);
    if (!store_.LoadItems())
      return "proggroup.c does not load";
    TreeModel tree;
    StartupItemLists lists;
    RefreshStartupItems(context_, store_, tree, lists);
    for (const std::string_view key : {st::kFoundCurrentStartup, st::kFoundCurrentRegistry,
                                       st::kFoundAllStartup, st::kFoundAllRegistry}) {
      const TreeModel::NodeId category = tree.Find(key);
      if (category == TreeModel::kNoNode)
        continue;
      for (const TreeModel::NodeId child : tree.At(category).children)
        found_.push_back(std::string(key) + "|" + tree.At(child).text);
    }
    std::string problems;
    std::size_t delayed = 0;
    for (const Entry& e : entries) {
      const std::vector<std::string> places = e.runValue ? ValuePlaces(e) : ShortcutPlaces(e);
      delayed += places == std::vector<std::string>{"delayed"};
      if (places.size() == 1)
        continue;
      problems += Describe(e) + (places.empty() ? " is lost;" : " is in:");
      for (const std::string& place : places)
        problems += " " + place;
      problems += "\n";
    }
    // The login run starts each delayed entry once and nothing else: not
    // what has no record, nor what Windows starts.
    context_.GuiMode = false;
    login_test::FakeMainWindow window(context_, world_);
    window.Load();
    StartDelay(context_, window);
    if (process_.shellExecutes().size() != delayed) {
      problems += "the login run started";
      for (const auto& call : process_.shellExecutes())
        problems += " '" + call.file + "'";
      problems += " for " + std::to_string(delayed) + " delayed entries\n";
    }
    return problems;
  }

  int leftoverRecords() const { return leftoverRecords_; }

private:
  const std::vector<ProgramEntry>& Startup() const {
    static const std::vector<ProgramEntry> none;
    const ProgramGroup* group = StartupGroup(context_.Store);
    return group ? group->Programs : none;
  }
  bool Found(std::string_view category, const std::string& text) const {
    return std::find(found_.begin(), found_.end(), std::string(category) + "|" + text) !=
           found_.end();
  }
  bool Stopped(const std::string& entry) const {
    for (const std::string& stopped : context_.Store.StoppedPrograms) {
      if (EqualsIgnoreCase(stopped, entry))
        return true;
    }
    return false;
  }

  std::vector<std::string> ShortcutPlaces(const Entry& e) {
    std::vector<std::string> places;
    const std::string startupFile =
        e.start == Where::kOldLayout
            ? kOldUserItems + e.name
            : (e.currentUser ? kUserStartup : kCommonStartup) + "\\" + e.name;
    const std::string itemsFile = (e.currentUser ? kCurrentUserItems : kAllUsersItems) + e.name;
    for (const std::string& file : {startupFile, itemsFile}) {
      const auto bytes = world_.ReadFile(file);
      if (bytes && *bytes != e.content)
        places.push_back("changed in " + file);
    }
    int records = 0;
    for (const ProgramEntry& p : Startup())
      records += p.Command == (e.currentUser ? "Execute" : "ExecuteAU") &&
                 EqualsIgnoreCase(FileNameOf(p.Path), e.name);
    const bool inItems = world_.Exists(itemsFile);
    if (world_.Exists(startupFile)) {
      places.push_back(e.start == Where::kOldLayout ? "old Start Menu folder" : "Startup folder");
      // A put back cut short before the record went: the login run finds no
      // file in the items folder and starts nothing.
      leftoverRecords_ += records > 0 && !inItems;
    }
    if (inItems) {
      if (records > 0)
        places.push_back(records > 1 ? "delayed twice" : "delayed");
      if (Stopped((e.currentUser ? "_STPCU_" : "_STPAU_") + e.name))
        places.push_back("stopped");
      if (Found(e.currentUser ? st::kFoundCurrentStartup : st::kFoundAllStartup, e.name))
        places.push_back("found");
    }
    return places;
  }

  std::vector<std::string> ValuePlaces(const Entry& e) {
    std::vector<std::string> places;
    const RegKey root = e.currentUser ? kHkeyCurrentUser : kHkeyLocalMachine;
    const auto run = world_.RegGetString(root, kRunKey, e.name);
    const auto stored =
        world_.RegGetString(root, e.currentUser ? kUserStore : kMachineStore, e.name);
    const bool inRun = run == e.content;
    const bool inStore = stored == e.content;
    int records = 0;
    for (const ProgramEntry& p : Startup())
      records +=
          p.Command == (e.currentUser ? "ExecuteReg" : "ExecuteRegAU") && p.RegistryName == e.name;
    if (run && !inRun)
      places.push_back("changed in the Run key");
    if (stored && !inStore)
      places.push_back("changed in the store");
    if (inRun) {
      places.push_back("Run key");
      // The login run leaves a delayed value the Run key holds to Windows.
      leftoverRecords_ += records > 0;
      return places;
    }
    if (records > 0)
      places.push_back(records > 1 ? "delayed twice" : inStore ? "delayed" : "record only");
    if (inStore && records == 0) {
      const bool found = Found(e.currentUser ? st::kFoundCurrentRegistry : st::kFoundAllRegistry,
                               e.name + "=" + e.content);
      if (found)
        places.push_back("found");
      // Neither delayed nor found: a stopped entry leads to it, if the
      // program's path has one.
      const std::string prefix = e.currentUser ? "_REGCU_" : "_REGAU_";
      bool entry = false;
      for (const std::string& stopped : context_.Store.StoppedPrograms)
        entry = entry || (StartsWith(stopped, prefix) && stopped.size() > prefix.size() &&
                          e.content.find(stopped.substr(prefix.size())) != std::string::npos);
      if (!found && entry)
        places.push_back("stopped");
    }
    return places;
  }

  sim::SimWorld& world_;
  sim::SimPlatform process_{world_};
  AppContext context_{process_};
  CDelayLoad store_{context_.NewDelayLoad()};
  std::vector<std::string> found_;
  int leftoverRecords_ = 0;
};

TEST(CrashPoints, EveryEntryStaysReachableWhereverTheProcessEnds) {
  const auto started = std::chrono::steady_clock::now();
  int total = 0;
  int leftovers = 0;
  for (const NamedCommand& command : AllCommands()) {
    int points = 0;
    for (int k = 1;; ++k) {
      ASSERT_LT(k, 400) << command.name << " never finishes";
      CrashMachine c;
      const bool crashed = command.run(c, k);
      Inspection inspection(c.m.world);
      const std::string problems = inspection.Check(c.entries);
      leftovers += inspection.leftoverRecords();
      ASSERT_EQ(problems, "") << command.name << ", "
                              << (crashed ? "process ended after change " + std::to_string(k)
                                          : std::string("finished"))
                              << "\nproggroup.c:\n"
                              << c.m.world.ReadFile(kProgGroup).value_or("<missing>");
      if (!crashed)
        break;
      ++points;
    }
    // A command that changes nothing would test nothing.
    EXPECT_GT(points, 0) << command.name;
    std::printf("[ crash points ] %3d  %s\n", points, command.name.c_str());
    total += points;
  }
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - started)
                      .count();
  std::printf("[ crash points ] %d crash points in %lld ms; %d leftover records not started "
              "again\n",
              total, static_cast<long long>(ms), leftovers);
}

} // namespace
} // namespace vantrel::moves_test
