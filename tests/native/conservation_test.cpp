// Random sessions of a user on random machines while the machine fails at
// random, one kind of call at a time or two kinds together (a save fails and
// so does the undo's registry delete): whatever the user does and whatever
// fails, every startup entry the machine had at the start stays in exactly
// one place (Windows' own, Vantrel's store with the record that starts it or
// lists it as stopped, or Vantrel's store without a record, where the tree's
// found branch shows it), a Run value that left all of them is at least in
// a .reg backup, and proggroup.c always loads.
//
// Each machine runs from its own seed. The base seed and the number of steps
// come from VANTREL_CONSERVATION_SEED and VANTREL_CONSERVATION_STEPS; a
// failure prints the machine's seed and the steps that led to it, and
//   VANTREL_CONSERVATION_SEED=<seed> VANTREL_CONSERVATION_STEPS=<steps>
// runs that machine again first (with VANTREL_CONSERVATION_MACHINE_STEPS
// when the run that failed set it; 60 by default).

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "common/store/stopped_programs.h"
#include "common/store/unrecorded_items.h"
#include "common/text.h"
#include "moves_test_support.h"
#include "native/fake_main_window.h"
#include "native/sync_sim_machine.h"
#include "vantrel/item_commands.h"
#include "vantrel/item_node.h"
#include "vantrel/program_groups_logic.h"
#include "vantrel/program_groups_tree.h"
#include "vantrel/startup_tree.h"
#include "vantrelsync/run_vantrel_sync.h"

namespace vantrel::moves_test {
namespace {

const std::string kProgGroup = kFolder + "\\Tester\\proggroup.c";
const std::string kLog = kFolder + "\\log.txt";
const std::string kBackupRoot = kFolder + "\\Delayed Registry";

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

// A startup entry the machine had at the start.
struct Entry {
  bool runValue = false;
  bool currentUser = false;
  std::string name;    // the shortcut's file name or the value's name
  std::string content; // the shortcut's bytes or the value's command
};

std::string Describe(const Entry& e) {
  return std::string(e.currentUser ? "current user " : "all users ") +
         (e.runValue ? "Run value " : "shortcut ") + e.name + " [" + e.content + "]";
}

// What the .reg text of a value looks like.
std::string RegEscaped(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '\\' || c == '"')
      escaped += '\\';
    escaped += c;
  }
  return escaped;
}

class ConservationRun {
public:
  explicit ConservationRun(std::uint64_t seed) : seed_(seed), random_(seed) {}

  // Runs the machine for steps steps; false after the first broken rule.
  bool Run(int steps) {
    BuildMachine();
    if (!Check("the machine as built"))
      return false;
    for (int step = 1; step <= steps; ++step) {
      trace_.push_back(std::to_string(step) + ":");
      ArmFaults();
      Act();
      Disarm();
      if (!Check("step " + std::to_string(step)))
        return false;
    }
    return true;
  }

  std::string Report() const {
    std::string text = "seed " + std::to_string(seed_) + ": " + failure_ + "\nsteps:";
    for (const std::string& line : trace_)
      text += (line.back() == ':' ? "\n  " : " ") + line;
    return text;
  }

private:
  // --- The machine.

  bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  template <class T> const T& PickOf(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(Pick(static_cast<int>(items.size())))];
  }

  std::string NewShortcutName() {
    static const std::vector<std::string> stems = {"App",    "My Tool", "Sync & Go",
                                                   "update", "Agent",   "x"};
    return PickOf(stems) + std::to_string(++serial_) + (Chance(0.9) ? ".lnk" : ".url");
  }
  std::string NewRunValue(std::string& name) {
    static const std::vector<std::string> names = {"Tool", "Agent", "My Updater", "x", "Helper"};
    name = PickOf(names) + std::to_string(++serial_);
    const std::string n = std::to_string(serial_);
    switch (Pick(10)) {
    case 0:
      return "C:\\Apps\\t" + n + ".exe /q";
    case 1:
      return "\"C:\\Program Files\\App " + n + "\\app.exe\" -min";
    case 2:
      return "C:\\Apps\\t" + n + ".exe";
    case 3:
      return "C:\\Apps\\script" + n + ".bat";
    case 4:
      // Several values may start the same program with other switches.
      return "C:\\Apps\\shared.exe /n" + n;
    case 5:
      return "C:\\Windows\\rundll32.exe C:\\Apps\\lib" + n + ".dll,Start";
    case 6:
      // Quoted arguments, as many installers write them.
      return "\"C:\\Apps\\up " + n +
             "\\Update.exe\" --processStart \"App.exe\" "
             "--process-start-args \"--system-initiated\"";
    case 7:
      return "C:\\Apps\\q" + n + ".exe \"a b\" }";
    case 8:
      return "C:\\Apps\\p" + n + ".exe \"x,(y)\"//z=1\t";
    default:
      return "\"C:\\Apps\\quoted" + n + ".exe\"";
    }
  }

  // The name of a value Windows holds, in other letters: a stored value
  // that differs from it only in case. Each name clashes once at most.
  std::string CaseClash(std::vector<std::string>& runKeyNames) {
    const auto at = runKeyNames.begin() + Pick(static_cast<int>(runKeyNames.size()));
    std::string name = *at;
    runKeyNames.erase(at);
    for (char& c : name)
      c = static_cast<char>(std::isupper(static_cast<unsigned char>(c)) ? std::tolower(c)
                                                                       : std::toupper(c));
    return name;
  }

  void BuildMachine() {
    Store().StartupType = 1;
    m_.world.SetAdmin(Chance(0.8));
    std::vector<ProgramEntry> delayed;
    std::vector<std::string> stopped;
    for (const bool currentUser : {true, false}) {
      const std::string startup = currentUser ? kUserStartup : kCommonStartup;
      const std::string items = currentUser ? kCurrentUserItems : kAllUsersItems;
      const RegKey root = currentUser ? kHkeyCurrentUser : kHkeyLocalMachine;
      const std::string storeKey = currentUser ? kUserStore : kMachineStore;
      std::vector<std::string> runKeyNames;
      // 0 in Windows' hands, 1 delayed, 2 stopped.
      for (int place = 0; place < 3; ++place) {
        for (int i = Pick(4); i > 0; --i) {
          Entry shortcut{false, currentUser, NewShortcutName(), ""};
          shortcut.content = "link " + shortcut.name;
          m_.world.AddFile((place == 0 ? startup + "\\" : items) + shortcut.name, shortcut.content);
          if (place == 1)
            delayed.push_back(Program(currentUser ? "Execute" : "ExecuteAU", shortcut.name, "", "",
                                      static_cast<float>(Pick(3))));
          if (place == 2)
            stopped.push_back((currentUser ? "_STPCU_" : "_STPAU_") + shortcut.name);
          entries_.push_back(shortcut);
        }
        for (int i = Pick(4); i > 0; --i) {
          Entry value{true, currentUser, "", ""};
          value.content = NewRunValue(value.name);
          if (place == 0) {
            m_.world.RegSetString(root, kRunKey, value.name, value.content);
            runKeyNames.push_back(value.name);
          } else {
            if (!runKeyNames.empty() && Chance(0.3))
              value.name = CaseClash(runKeyNames);
            m_.world.RegSetString(root, storeKey, value.name, value.content);
            std::string path, parameters;
            store::SplitStoredCommand(value.content, path, parameters);
            if (place == 1)
              delayed.push_back(Program(currentUser ? "ExecuteReg" : "ExecuteRegAU", path,
                                        parameters, value.name));
            else
              stopped.push_back((currentUser ? "_REGCU_" : "_REGAU_") + path);
          }
          entries_.push_back(value);
        }
      }
    }
    m_.SetModel(delayed, stopped);
    if (Chance(0.5)) {
      // A second group, for the editor to work on.
      Store().ProgramGroups.push_back(
          ProgramGroup{"Tools", {Program("Execute", "C:\\Apps\\tool.exe", "-x")}});
      m_.store.WriteItems();
    }
    window_.RefreshData();
  }

  StoreTables& Store() { return m_.context.Store; }

  // --- Faults: each step may arm one, for the whole step.

  // One fault at a time, which may repeat for the rest of the step, and
  // now and then a log file held open by another program besides.
  void ArmFaults() {
    if (Chance(0.1)) {
      trace_.push_back("[log locked]");
      m_.world.LockFile(kLog);
    }
    if (Chance(0.4))
      return;
    if (Chance(0.08)) {
      trace_.push_back("[disk full]");
      m_.world.SetDiskLimit(0);
      return;
    }
    using sim::SimOp;
    static const std::vector<SimOp> ops = {
        SimOp::kRegCreateKey, SimOp::kRegSetValue,     SimOp::kRegDeleteValue, SimOp::kFileRead,
        SimOp::kFileWrite,    SimOp::kFileAppend,      SimOp::kFileReplace,    SimOp::kFileCopy,
        SimOp::kFileDelete,   SimOp::kCreateDirectory, SimOp::kShFileOperation};
    static const std::vector<std::string> subjects = {"",
                                                      "\\Run\\",
                                                      "Korvane",
                                                      "Startup",
                                                      "Vantrel Items",
                                                      "proggroup.c",
                                                      "proggroup.c.tmp",
                                                      "Delayed Registry",
                                                      "log.txt"};
    static const char* const opNames[] = {
        "RegCreateKey",    "RegSetValue",     "RegDeleteValue", "RegDeleteKey", "FileRead",
        "FileWrite",       "FileAppend",      "FileReplace",    "FileCopy",     "FileDelete",
        "CreateDirectory", "RemoveDirectory", "ShFileOperation"};
    // One kind of call fails, or now and then two kinds together, each
    // counting its own calls: only the nth matching call, or every one from
    // the nth on.
    struct Fault {
      SimOp op;
      std::string subject;
      int nth;
      bool thenAll;
      int calls = 0;
    };
    std::vector<Fault> faults;
    const int kinds = Chance(0.3) ? 2 : 1;
    twoFaultSteps_ += kinds == 2;
    for (int i = 0; i < kinds; ++i) {
      Fault fault{PickOf(ops), PickOf(subjects), 1 + Pick(4), Chance(0.5)};
      trace_.push_back(std::string("[") + opNames[static_cast<int>(fault.op)] + " fails on '" +
                       fault.subject + "' from call " + std::to_string(fault.nth) +
                       (fault.thenAll ? " on]" : " once]"));
      faults.push_back(fault);
    }
    m_.world.faults = [faults](SimOp asked, const std::string& what) mutable {
      bool fails = false;
      for (Fault& f : faults) {
        if (asked != f.op || what.find(f.subject) == std::string::npos)
          continue;
        ++f.calls;
        fails = fails || f.calls == f.nth || (f.thenAll && f.calls > f.nth);
      }
      return fails;
    };
  }

  void Disarm() {
    m_.world.faults = nullptr;
    m_.world.LockFile(kLog, false);
    m_.world.SetDiskLimit(std::nullopt);
  }

  // --- The user's commands.

  std::vector<TreeModel::NodeId> ItemNodes() const {
    std::vector<TreeModel::NodeId> nodes;
    for (const TreeModel::NodeId node : NodesInIndexOrder(window_.tree)) {
      if (items::ClassifyItemNode(window_.tree, node).actionable)
        nodes.push_back(node);
    }
    return nodes;
  }

  void Act() {
    window_.events.clear();
    const int what = Pick(100);
    if (what < 30)
      Popup();
    else if (what < 65)
      Batch();
    else if (what < 75)
      Refresh();
    else if (what < 87)
      EditorEdit();
    else if (what < 93)
      Sync();
    else {
      const bool admin = Chance(0.7);
      trace_.push_back(admin ? "admin" : "not-admin");
      m_.world.SetAdmin(admin);
    }
  }

  void Refresh() {
    trace_.push_back("refresh");
    commands_.ToolbarButtonClick(toolbar_key::kRefresh);
  }

  void Popup() {
    const auto nodes = ItemNodes();
    if (nodes.empty())
      return Refresh();
    const TreeModel::NodeId node = PickOf(nodes);
    static const std::vector<ItemPopupEntry> entries = {
        ItemPopupEntry::kDelay, ItemPopupEntry::kStop, ItemPopupEntry::kRun};
    const ItemPopupEntry entry = PickOf(entries);
    static const char* const names[] = {"Delay", "Stop", "Run"};
    trace_.push_back(std::string("popup ") + names[static_cast<int>(entry)] + " '" +
                     window_.tree.At(node).text + "' in " +
                     window_.tree.At(window_.tree.At(node).parent).key);
    window_.selected = node;
    commands_.TreeMouseUp(kRightButton);
    commands_.ItemPopupCommand(entry);
  }

  void Batch() {
    const auto all = NodesInIndexOrder(window_.tree);
    if (all.empty())
      return Refresh();
    for (const TreeModel::NodeId node : all)
      window_.tree.At(node).checked = false;
    std::string checked;
    for (int i = 1 + Pick(4); i > 0; --i) {
      const TreeModel::NodeId node = PickOf(all);
      window_.tree.At(node).checked = true;
      commands_.TreeNodeCheck(node);
      checked += " '" + window_.tree.At(node).text + "'";
    }
    static const std::vector<std::string_view> buttons = {toolbar_key::kSave, toolbar_key::kDelay,
                                                          toolbar_key::kStop, toolbar_key::kRun};
    if (Chance(0.15)) {
      trace_.push_back("File>Save on" + checked);
      commands_.FileSave();
      return;
    }
    const std::string_view button = PickOf(buttons);
    trace_.push_back("toolbar " + std::string(button) + " on" + checked);
    commands_.ToolbarButtonClick(button);
  }

  void EditorEdit() {
    ProgramGroupsEditor editor(m_.context);
    editor.SetOwner(kWindow);
    editor.Load();
    ProgramGroupsFields& fields = editor.Fields();
    const auto nodes = NodesInIndexOrder(editor.Tree());
    switch (Pick(4)) {
    case 0: {
      // Another delay for a program, wherever it is.
      if (nodes.empty())
        return;
      const TreeModel::NodeId node = PickOf(nodes);
      editor.NodeClicked(node);
      editor.ModeChosen(false);
      fields.Delay = std::to_string(Pick(20));
      trace_.push_back("editor delay " + fields.Delay + " for '" + editor.Tree().At(node).text +
                       "'");
      editor.AddClicked();
      break;
    }
    case 1: {
      fields.GroupName = Chance(0.5) ? "Tools" : "Games";
      editor.GroupNameChanged();
      fields.Path = "C:\\Apps\\new" + std::to_string(++serial_) + ".exe";
      editor.PathChanged();
      editor.ModeChosen(true);
      trace_.push_back("editor add " + fields.Path + " to " + fields.GroupName);
      editor.AddClicked();
      break;
    }
    case 2: {
      if (nodes.empty())
        return;
      const TreeModel::NodeId node = PickOf(nodes);
      editor.NodeClicked(node);
      m_.platform.QueueMessageBoxAnswer(Chance(0.5) ? kIdYes : kIdNo);
      trace_.push_back("editor remove '" + editor.Tree().At(node).text + "'");
      editor.RemoveClicked();
      break;
    }
    default:
      trace_.push_back("editor OK");
      editor.OkClicked();
      break;
    }
  }

  void Sync() {
    trace_.push_back("VantrelSync sync");
    sim::SimPlatform process(m_.world, sync_test::SyncProcess());
    sync::RunVantrelSync(process, "sync");
  }

  // --- The rules.

  bool Fail(const std::string& where, const std::string& what) {
    failure_ = where + ": " + what;
    // The bookkeeping as the file holds it, to read the failure by.
    const std::string file = m_.world.ReadFile(kProgGroup).value_or("");
    const auto body = file.find("char StoppedPrograms");
    failure_ += "\nproggroup.c from its stopped list:\n" +
                (body == std::string::npos ? file : file.substr(body)) + "files:\n";
    for (const std::string& folder :
         {kUserStartup, kCommonStartup, kCurrentUserItems, kAllUsersItems}) {
      if (m_.world.IsFolder(folder)) {
        for (const std::string& name : m_.world.List(folder))
          failure_ += "  " + folder + (EndsWith(folder, "\\") ? "" : "\\") + name + "\n";
      }
    }
    return false;
  }

  bool Check(const std::string& where) {
    if (!m_.world.Exists(kProgGroup))
      return Fail(where, "proggroup.c is gone");
    // proggroup.c as a new process would read it.
    AppContext fresh(m_.platform);
    fresh.Store.CurrentUserItemsFolder = kCurrentUserItems;
    fresh.Store.AllUsersItemsFolder = kAllUsersItems;
    CDelayLoad file = fresh.NewDelayLoad();
    if (!file.LoadItems())
      return Fail(where, "proggroup.c does not load");
    const StoreTables& tables = fresh.Store;
    const std::vector<ProgramEntry> noPrograms;
    const std::vector<ProgramEntry>& startup =
        tables.StartupGroupIndex >= 0 &&
                static_cast<std::size_t>(tables.StartupGroupIndex) < tables.ProgramGroups.size()
            ? tables.ProgramGroups[static_cast<std::size_t>(tables.StartupGroupIndex)].Programs
            : noPrograms;
    const std::string backups = AllBackupText();
    // In the store without a record: the tree's found branch shows these.
    const store::UnrecordedItems found = store::FindUnrecordedItems(m_.platform, tables);
    const auto isFound = [](const std::vector<std::string>& list, const std::string& text) {
      return std::find(list.begin(), list.end(), text) != list.end();
    };

    // Which stored values the stopped entries lead to, as putting one back
    // finds it: the first value of its scope, neither recorded as delayed
    // nor a copy of the Run key's value, whose text holds the entry's path
    // and that no other entry led to already.
    std::set<std::string> reachedByStopped;
    for (const bool currentUser : {true, false}) {
      const RegKey root = currentUser ? kHkeyCurrentUser : kHkeyLocalMachine;
      const std::string key = currentUser ? kUserStore : kMachineStore;
      const std::string prefix = currentUser ? "_REGCU_" : "_REGAU_";
      const std::string command = currentUser ? "ExecuteReg" : "ExecuteRegAU";
      std::vector<std::string> names;
      for (const std::string& name : m_.world.RegValueNames(root, key)) {
        bool delayed = false;
        for (const ProgramEntry& p : startup)
          delayed = delayed || (p.Command == command && EqualsIgnoreCase(p.RegistryName, name));
        // A copy of a value the Run key holds unchanged is no stopped item.
        const bool copy =
            m_.world.RegGetString(root, kRunKey, name).has_value() &&
            m_.world.RegGetString(root, kRunKey, name) == m_.world.RegGetString(root, key, name);
        if (!delayed && !copy)
          names.push_back(name);
      }
      for (const std::string& entry : tables.StoppedPrograms) {
        if (!StartsWith(entry, prefix) || entry.size() == prefix.size())
          continue;
        const std::string path = entry.substr(prefix.size());
        for (const std::string& name : names) {
          const std::string id = prefix + name;
          const auto data = m_.world.RegGetString(root, key, name);
          if (data && (name + "=" + *data).find(path) != std::string::npos &&
              reachedByStopped.insert(id).second)
            break;
        }
      }
    }

    for (const Entry& e : entries_) {
      std::vector<std::string> places;
      if (e.runValue) {
        const RegKey root = e.currentUser ? kHkeyCurrentUser : kHkeyLocalMachine;
        const std::string key = e.currentUser ? kUserStore : kMachineStore;
        const std::string command = e.currentUser ? "ExecuteReg" : "ExecuteRegAU";
        const auto inRun = m_.world.RegGetString(root, kRunKey, e.name);
        const auto stored = m_.world.RegGetString(root, key, e.name);
        if (inRun == e.content)
          places.push_back("Run key");
        int records = 0;
        for (const ProgramEntry& p : startup)
          records += p.Command == command && EqualsIgnoreCase(p.RegistryName, e.name);
        if (records > 0 && stored == e.content)
          places.push_back("delayed");
        if (records > 1)
          places.push_back("delayed again");
        // A record whose value the store lacks starts its own path at login.
        if (records > 0 && !stored && inRun == e.content)
          places.push_back("delayed record");
        if (stored == e.content &&
            reachedByStopped.count((e.currentUser ? "_REGCU_" : "_REGAU_") + e.name) != 0)
          places.push_back("stopped");
        if (stored == e.content &&
            isFound(e.currentUser ? found.CurrentUserRunValues : found.AllUsersRunValues,
                    e.name + "=" + e.content))
          places.push_back("found");
        if (places.empty() && RecoverableFromBackup(backups, e)) {
          ++onlyInBackup_;
          continue;
        }
      } else {
        const std::string startupFile =
            (e.currentUser ? kUserStartup : kCommonStartup) + "\\" + e.name;
        const std::string itemsFile = (e.currentUser ? kCurrentUserItems : kAllUsersItems) + e.name;
        const std::string command = e.currentUser ? "Execute" : "ExecuteAU";
        for (const std::string& file : {startupFile, itemsFile}) {
          const auto bytes = m_.world.ReadFile(file);
          if (bytes && *bytes != e.content)
            return Fail(where, Describe(e) + " changed in " + file);
        }
        if (m_.world.Exists(startupFile))
          places.push_back("Startup folder");
        if (m_.world.Exists(itemsFile)) {
          int records = 0;
          for (const ProgramEntry& p : startup)
            records += p.Command == command && EqualsIgnoreCase(FileNameOf(p.Path), e.name);
          if (records > 0)
            places.push_back("delayed");
          if (records > 1)
            places.push_back("delayed again");
          const std::string stoppedEntry = (e.currentUser ? "_STPCU_" : "_STPAU_") + e.name;
          for (const std::string& entry : tables.StoppedPrograms) {
            if (entry == stoppedEntry)
              places.push_back("stopped");
          }
          if (isFound(e.currentUser ? found.CurrentUserShortcuts : found.AllUsersShortcuts, e.name))
            places.push_back("found");
        }
      }
      if (places.size() != 1) {
        std::string list;
        for (const std::string& place : places)
          list += " " + place;
        return Fail(where, Describe(e) + (places.empty() ? " is lost" : " is in:" + list));
      }
    }
    return true;
  }

  std::string AllBackupText() const {
    std::string text;
    for (const std::string& path : m_.world.ListAll()) {
      if (StartsWith(ToLowerAscii(path), ToLowerAscii(kBackupRoot)) && EndsWith(path, ".reg"))
        text += m_.world.ReadFile(path).value_or("") + "\n";
    }
    return text;
  }

  static bool RecoverableFromBackup(const std::string& backups, const Entry& e) {
    const std::string keyLine =
        std::string(e.currentUser ? "[HKEY_CURRENT_USER\\" : "[HKEY_LOCAL_MACHINE\\") +
        "Software\\Microsoft\\Windows\\CurrentVersion\\Run]";
    const std::string valueLine =
        "\"" + RegEscaped(e.name) + "\"=\"" + RegEscaped(e.content) + "\"";
    // The value line must follow its key line in the same file.
    std::size_t at = 0;
    while ((at = backups.find(keyLine, at)) != std::string::npos) {
      const auto fileEnd = backups.find("Windows Registry Editor", at);
      const auto value = backups.find(valueLine, at);
      if (value != std::string::npos && (fileEnd == std::string::npos || value < fileEnd))
        return true;
      at += keyLine.size();
    }
    return false;
  }

  std::uint64_t seed_;
  std::mt19937_64 random_;
  MovesMachine m_;
  FakeWindow window_{m_};
  items::ItemCommands commands_{window_};
  std::vector<Entry> entries_;
  std::vector<std::string> trace_;
  std::string failure_;
  int serial_ = 0;

public:
  int twoFaultSteps_ = 0;
  int onlyInBackup_ = 0; // checks that found a value only in a .reg backup
};

TEST(Conservation, NoStartupEntryIsLostOrDoubledUnderRandomCommandsAndFaults) {
  const auto clockSeed = static_cast<std::uint64_t>(
      std::chrono::system_clock::now().time_since_epoch().count() % 1000000007);
  const std::uint64_t base = FromEnvironment("VANTREL_CONSERVATION_SEED", clockSeed);
  const auto steps = static_cast<int>(FromEnvironment("VANTREL_CONSERVATION_STEPS", 20000));
  // Longer sessions reach states that short ones do not; many machines
  // reach more of the odd layouts.
  const auto perMachine =
      std::max(1, static_cast<int>(FromEnvironment("VANTREL_CONSERVATION_MACHINE_STEPS", 60)));
  std::printf("[ conservation ] base seed %llu, %d steps, %d per machine "
              "(VANTREL_CONSERVATION_SEED=%llu to repeat)\n",
              static_cast<unsigned long long>(base), steps, perMachine,
              static_cast<unsigned long long>(base));
  int done = 0;
  int twoFaults = 0;
  int onlyInBackup = 0;
  for (std::uint64_t seed = base; done < steps; ++seed) {
    const int machineSteps = std::min(perMachine, steps - done);
    ConservationRun run(seed);
    if (!run.Run(machineSteps)) {
      ADD_FAILURE() << run.Report();
      return;
    }
    done += machineSteps;
    twoFaults += run.twoFaultSteps_;
    onlyInBackup += run.onlyInBackup_;
  }
  std::printf("[ conservation ] %d steps green (%d with two kinds of call failing), 0 entries "
              "lost, %d times a Run value only in a .reg backup\n",
              done, twoFaults, onlyInBackup);
}

} // namespace
} // namespace vantrel::moves_test
