// Random sessions of a user on random machines while the machine fails at
// random, one kind of call at a time or two kinds together (a save fails and
// so does the undo's registry delete): whatever the user does and whatever
// fails, every startup entry the machine had at the start stays in exactly
// one place (Windows' own, Vantrel's store with the record that starts it or
// lists it as stopped, or Vantrel's store without a record, where the tree's
// found branch shows it), a Run value that left all of them is at least in
// a .reg backup, proggroup.c always loads, and an item that Vantrel put
// back is switched on in Windows' startup settings (Task Manager switches
// items off now and then).
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
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "common/command_split.h"
#include "common/store/startup_group.h"
#include "common/store/stopped_programs.h"
#include "common/store/unrecorded_items.h"
#include "common/text.h"
#include "moves_test_support.h"
#include "native/fake_main_window.h"
#include "native/sync_sim_machine.h"
#include "vantrel/editor/program_groups_logic.h"
#include "vantrel/editor/program_groups_tree.h"
#include "vantrel/moves/item_commands.h"
#include "vantrel/moves/registry_backup.h"
#include "vantrel/tree/item_node.h"
#include "vantrel/tree/refresh_startup_items.h"
#include "vantrel/tree/returned_items.h"
#include "vantrel/tree/startup_tree.h"
#include "vantrelsync/run_vantrel_sync.h"

namespace vantrel::moves_test {
namespace {

const std::string kProgGroup = kFolder + "\\Tester\\proggroup.c";
const std::string kLog = kFolder + "\\log.txt";
const std::string kBackupRoot = kFolder + "\\Delayed Registry";
const std::string kWowRunKey = "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kWowMachineStore = "Software\\WOW6432Node\\Korvane\\Vantrel\\HKLM";
const std::string kApproved =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved";

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

// A startup entry the machine had at the start.
struct Entry {
  bool runValue = false;
  bool currentUser = false;
  std::string name = {};       // the shortcut's file name or the value's name
  std::string content = {};    // the shortcut's bytes or the value's command
  std::uint32_t type = kRegSz; // a value's type
  bool view32 = false;         // a value of the machine's 32-bit view
  // The program wrote its entry again while Vantrel held it; until it
  // settles in one place again, the contents it had before count too.
  bool rewritten = false;
  std::vector<std::string> before = {};
  // Once rewritten, a window that still holds the model from before a
  // VantrelSync run may record it again while it is back in Windows'
  // location: it is then marked for the user to take back, as before.
  bool everRewritten = false;
};

// Where a Run value of this scope lives: its Run key and Vantrel's store.
std::string RunKeyOf(bool view32) {
  return view32 ? kWowRunKey : kRunKey;
}
std::string StoreOf(bool currentUser, bool view32) {
  return currentUser ? kUserStore : view32 ? kWowMachineStore : kMachineStore;
}

std::string Describe(const Entry& e) {
  return std::string(e.currentUser ? "current user " : "all users ") + (e.view32 ? "32-bit " : "") +
         (e.runValue ? "Run value " : "shortcut ") + e.name + " [" + e.content + "]" +
         (e.type == kRegExpandSz ? " REG_EXPAND_SZ" : "");
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
      std::vector<bool> inWindows;
      for (const Entry& e : entries_)
        inWindows.push_back(InWindows(e));
      programMoved_ = false;
      ArmFaults();
      Act();
      Disarm();
      if (!Check("step " + std::to_string(step)) ||
          (!programMoved_ && !CheckPutBackIsOn("step " + std::to_string(step), inWindows)))
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
    // "#" stands for the serial. Several values may start shared.exe with
    // other switches; quoted arguments as many installers write them.
    static const std::vector<std::string> commands = {
        "C:\\Apps\\t#.exe /q",
        "\"C:\\Program Files\\App #\\app.exe\" -min",
        "C:\\Apps\\t#.exe",
        "C:\\Apps\\script#.bat",
        "C:\\Apps\\shared.exe /n#",
        "C:\\Windows\\rundll32.exe C:\\Apps\\lib#.dll,Start",
        "\"C:\\Apps\\up #\\Update.exe\" --processStart \"App.exe\" --process-start-args "
        "\"--system-initiated\"",
        "C:\\Apps\\q#.exe \"a b\" }",
        "C:\\Apps\\p#.exe \"x,(y)\"//z=1\t",
        "\"C:\\Apps\\quoted#.exe\""};
    std::string command = PickOf(commands);
    command.replace(command.find('#'), 1, std::to_string(serial_));
    return command;
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
    // 64-bit Windows: the machine's 32-bit view is there, and may hold values.
    m_.world.registry().MakeKey(kHkeyLocalMachine, "Software\\WOW6432Node");
    for (const bool view32 : {false, true})
      for (const bool currentUser : {true, false}) {
        if (view32 && currentUser)
          continue; // the user's Software key is one for both views
        const std::string startup = currentUser ? kUserStartup : kCommonStartup;
        const std::string items = currentUser ? kCurrentUserItems : kAllUsersItems;
        const RegKey root = currentUser ? kHkeyCurrentUser : kHkeyLocalMachine;
        const std::string storeKey = StoreOf(currentUser, view32);
        std::vector<std::string> runKeyNames;
        // 0 in Windows' hands, 1 delayed, 2 stopped.
        for (int place = 0; place < 3; ++place) {
          for (int i = view32 ? 0 : Pick(4); i > 0; --i) {
            Entry shortcut{.currentUser = currentUser, .name = NewShortcutName()};
            shortcut.content = "link " + shortcut.name;
            m_.world.AddFile((place == 0 ? startup + "\\" : items) + shortcut.name,
                             shortcut.content);
            if (place == 1)
              delayed.push_back(Program(currentUser ? "Execute" : "ExecuteAU", shortcut.name, "",
                                        "", static_cast<float>(Pick(3))));
            if (place == 2)
              stopped.push_back((currentUser ? "_STPCU_" : "_STPAU_") + shortcut.name);
            entries_.push_back(shortcut);
          }
          for (int i = Pick(4); i > 0; --i) {
            Entry value{.runValue = true, .currentUser = currentUser, .view32 = view32};
            value.content = NewRunValue(value.name);
            // A stopped entry names only the program, so one that both
            // views stop is found in the 64-bit view first: the 32-bit
            // view gets programs of its own.
            while (view32 && (value.content.find("shared.exe") != std::string::npos ||
                              value.content.find("rundll32") != std::string::npos))
              value.content = NewRunValue(value.name);
            if (const auto drive = value.content.find("C:"); drive < 2 && Chance(0.3)) {
              value.type = kRegExpandSz;
              value.content.replace(drive, 2, "%SystemDrive%");
            }
            const std::string data = value.content + std::string(1, '\0');
            if (place == 0) {
              m_.world.RegSetRaw(root, RunKeyOf(view32), value.name, value.type, data);
              runKeyNames.push_back(value.name);
            } else {
              // A stored value whose name differs from a Run key value's in
              // case only.
              // Vantrel holds it while Windows has the other: the Run key's
              // value counts as one that came back.
              if (!view32 && !runKeyNames.empty() && Chance(0.3)) {
                value.name = CaseClash(runKeyNames);
                for (Entry& other : entries_)
                  other.everRewritten = other.everRewritten ||
                                        (other.runValue && other.currentUser == currentUser &&
                                         !other.view32 && EqualsIgnoreCase(other.name, value.name));
              }
              m_.world.RegSetRaw(root, storeKey, value.name, value.type, data);
              const auto [path, parameters] = SplitCommandLine(value.content);
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
    for (const Entry& e : entries_) {
      if (Chance(0.2))
        SwitchOff(e);
    }
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
    twoKindsFail_ = false;
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
    static const std::vector<std::string> subjects = {
        "\\Run\\",          "Korvane", "Startup", "Vantrel Items", "proggroup.c", "proggroup.c.tmp",
        "Delayed Registry", "log.txt", ""};
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
    twoKindsFail_ = kinds == 2;
    for (int i = 0; i < kinds; ++i) {
      Fault fault{PickOf(ops), PickOf(subjects), 1 + Pick(4), Chance(0.5)};
      trace_.push_back("[SimOp " + std::to_string(static_cast<int>(fault.op)) + " fails on '" +
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

  void Act() {
    window_.events.clear();
    const int what = Pick(100);
    if (what < 30)
      Popup();
    else if (what < 58)
      Batch();
    else if (what < 65)
      ProgramRewritesItsEntry();
    else if (what < 71)
      Refresh();
    else if (what < 75)
      TaskManagerSwitchesOff();
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
    std::vector<TreeModel::NodeId> nodes;
    for (const TreeModel::NodeId node : NodesInIndexOrder(window_.tree))
      if (items::ClassifyItemNode(window_.tree, node).actionable)
        nodes.push_back(node);
    if (nodes.empty())
      return Refresh();
    const TreeModel::NodeId node = PickOf(nodes);
    using E = ItemPopupEntry;
    static const std::vector<E> entries = {E::kDelay, E::kStop, E::kRun, E::kTakeBack};
    const ItemPopupEntry entry = PickOf(entries);
    trace_.push_back("popup " + std::to_string(static_cast<int>(entry)) + " '" +
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
    // "" is File > Save.
    static const std::vector<std::string_view> buttons = {
        toolbar_key::kSave, toolbar_key::kDelay, toolbar_key::kStop, toolbar_key::kRun, ""};
    const std::string_view button = PickOf(buttons);
    trace_.push_back("toolbar '" + std::string(button) + "' on" + checked);
    button.empty() ? commands_.FileSave() : commands_.ToolbarButtonClick(button);
  }

  // A program that Vantrel holds writes its Run value or shortcut again,
  // with the same command or a new one, as programs do when they start or
  // save their settings; the user then sees the window refresh.
  void ProgramRewritesItsEntry() {
    std::vector<std::size_t> held;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      const Entry& e = entries_[i];
      // Only entries of the 64-bit locations rewrite themselves here.
      if (!e.view32 && !InWindows(e) &&
          (e.runValue ? Stored(e).has_value() : m_.world.Exists(ItemsFile(e))))
        held.push_back(i);
    }
    if (held.empty())
      return Refresh();
    Entry& e = entries_[PickOf(held)];
    const std::string now = Chance(0.5) ? e.content : e.content + " v" + std::to_string(++serial_);
    trace_.push_back("program rewrites " + Describe(e) + " as [" + now + "]");
    if (e.runValue)
      m_.world.RegSetRaw(Root(e), kRunKey, e.name, e.type, now + std::string(1, '\0'));
    else
      m_.world.AddFile(StartupFile(e), now);
    if (now != e.content)
      e.before.push_back(e.content);
    e.content = now;
    e.rewritten = true;
    e.everRewritten = true;
    programMoved_ = true;
    window_.RefreshData();
  }

  // Task Manager's Startup tab switches an item off, wherever it is now:
  // the switch is keyed by name and outlives the item.
  void TaskManagerSwitchesOff() {
    if (entries_.empty())
      return Refresh();
    const Entry& e = PickOf(entries_);
    trace_.push_back("Task Manager switches off " + Describe(e));
    SwitchOff(e);
    window_.RefreshData();
  }
  void SwitchOff(const Entry& e) {
    m_.world.RegSetRaw(Root(e), SwitchKey(e), e.name, kRegBinary,
                       std::string("\x03\0\0\0\x10\x32\x54\x76\x98\xBA\xDC\x01", 12));
  }
  static std::string SwitchKey(const Entry& e) {
    return kApproved + (!e.runValue ? "\\StartupFolder" : e.view32 ? "\\Run32" : "\\Run");
  }
  bool SwitchedOff(const Entry& e) const {
    const auto value = m_.world.RegGetValue(Root(e), SwitchKey(e), e.name);
    return value && value->type == kRegBinary && !value->data.empty() && (value->data[0] & 1);
  }
  // An item that Vantrel put back in this step (it is in Windows' location
  // now and was not before) is switched on, so that Windows starts it.
  bool CheckPutBackIsOn(const std::string& where, const std::vector<bool>& inWindowsBefore) {
    for (std::size_t i = 0; i < inWindowsBefore.size(); ++i) {
      const Entry& e = entries_[i];
      if (!inWindowsBefore[i] && InWindows(e) && SwitchedOff(e))
        return Fail(where, Describe(e) + " was put back and is switched off in Windows");
    }
    return true;
  }

  // The records of the group "Startup" that start this entry.
  static int Records(const Entry& e, const std::vector<ProgramEntry>& startup) {
    const std::string command = e.runValue ? (e.currentUser ? "ExecuteReg" : "ExecuteRegAU")
                                           : (e.currentUser ? "Execute" : "ExecuteAU");
    int records = 0;
    for (const ProgramEntry& p : startup)
      records += p.Command == command &&
                 EqualsIgnoreCase(e.runValue ? p.RegistryName : FileNameOf(p.Path), e.name);
    return records;
  }
  static RegKey Root(const Entry& e) {
    return e.currentUser ? kHkeyCurrentUser : kHkeyLocalMachine;
  }
  static std::string StartupFile(const Entry& e) {
    return (e.currentUser ? kUserStartup : kCommonStartup) + "\\" + e.name;
  }
  static std::string ItemsFile(const Entry& e) {
    return (e.currentUser ? kCurrentUserItems : kAllUsersItems) + e.name;
  }
  std::optional<std::string> ValueText(const Entry& e, const std::string& key) const {
    const auto value = m_.world.RegGetValue(Root(e), key, e.name);
    return value ? std::optional(value->data.substr(0, value->data.find('\0'))) : std::nullopt;
  }
  std::optional<std::string> Stored(const Entry& e) const {
    return ValueText(e, StoreOf(e.currentUser, e.view32));
  }
  std::optional<std::string> RunKeyText(const Entry& e) const {
    return ValueText(e, RunKeyOf(e.view32));
  }
  bool InWindows(const Entry& e) const {
    return e.runValue ? m_.world.RegGetValue(Root(e), RunKeyOf(e.view32), e.name).has_value()
                      : m_.world.Exists(StartupFile(e));
  }

  // A rewritten entry: it may be in Windows' location and held by Vantrel
  // at once only while the window marks it as come back, for the user to
  // take back; it is never recorded twice, and some version of it is
  // always somewhere. Once in one place again, it is checked as any other.
  bool CheckRewritten(const std::string& where, Entry& e, const std::vector<ProgramEntry>& startup,
                      const StoreTables& tables, const std::string& backups) {
    const int records = Records(e, startup);
    if (records > 1)
      return Fail(where, Describe(e) + " is delayed twice");
    const auto stored = Stored(e);
    bool stopped = false;
    for (const std::string& entry : tables.StoppedPrograms) {
      const std::string prefix(store::StoppedPrefix(
          ItemKind(e.runValue ? (e.currentUser ? 1 : 0) : (e.currentUser ? 3 : 2))));
      if (!StartsWith(entry, prefix))
        continue;
      const std::string rest = entry.substr(prefix.size());
      stopped = stopped ||
                (e.runValue ? stored && (e.name + "=" + *stored).find(rest) != std::string::npos
                            : EqualsIgnoreCase(rest, e.name));
    }
    const bool held = e.runValue ? stored && (records > 0 || stopped)
                                 : m_.world.Exists(ItemsFile(e)) && (records > 0 || stopped);
    const bool inWindows = InWindows(e);
    if (inWindows && held) {
      StartupItemLists lists = ReadStartupLocations(m_.context);
      bool marked = false;
      for (const ReturnedItem& item : FindReturnedItems(m_.platform, tables, lists))
        marked = marked || (item.RunValue() == e.runValue && item.CurrentUser() == e.currentUser &&
                            EqualsIgnoreCase(item.name, e.name));
      return marked || Fail(where, Describe(e) + " is in Windows' startup and held by Vantrel, "
                                                 "and not marked as come back");
    }
    // Every version of it is somewhere: in place, in the store or items
    // folder, or in a backup.
    std::vector<std::string> versions = e.before;
    versions.push_back(e.content);
    std::vector<std::string> found;
    for (const std::string& path : m_.world.ListAll()) {
      const bool file = !EndsWith(path, "\\");
      if (!e.runValue && file && StartsWith(ToLowerAscii(path), ToLowerAscii(kFolder)))
        found.push_back(m_.world.ReadFile(path).value_or(""));
    }
    if (!e.runValue && m_.world.Exists(StartupFile(e)))
      found.push_back(m_.world.ReadFile(StartupFile(e)).value_or(""));
    for (const std::string& version : versions) {
      Entry v = e;
      v.content = version;
      const bool there = e.runValue ? (RunKeyText(e) == version || stored == version ||
                                       RecoverableFromBackup(backups, v))
                                    : std::find(found.begin(), found.end(), version) != found.end();
      if (!there && version == e.content && !inWindows && !held)
        return Fail(where, Describe(e) + " is lost");
      if (!there && version != e.content)
        return Fail(where, Describe(e) + " lost its earlier version [" + version + "]");
    }
    // Settled in one place: checked as any other from now on, with the
    // content that place holds.
    if (inWindows != held) {
      if (e.runValue)
        e.content = inWindows ? RunKeyText(e).value_or("") : *stored;
      else
        e.content = m_.world.ReadFile(inWindows ? StartupFile(e) : ItemsFile(e)).value_or("");
      e.rewritten = false;
      e.before.clear();
    }
    return true;
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
    failure_ =
        where + ": " + what + "\nproggroup.c:\n" + m_.world.ReadFile(kProgGroup).value_or("");
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
    const ProgramGroup* group = StartupGroup(tables);
    const std::vector<ProgramEntry>& startup = group ? group->Programs : noPrograms_;
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
    // A stopped all-users entry belongs to the 32-bit view when no value
    // of the 64-bit store holds its path.
    std::set<std::string> reachedByStopped;
    for (const bool currentUser : {true, false}) {
      const RegKey root = currentUser ? kHkeyCurrentUser : kHkeyLocalMachine;
      const std::string prefix = currentUser ? "_REGCU_" : "_REGAU_";
      const std::string command = currentUser ? "ExecuteReg" : "ExecuteRegAU";
      std::vector<std::string> names[2];
      for (const bool view32 : {false, true}) {
        if (view32 && currentUser)
          continue;
        const std::string key = StoreOf(currentUser, view32);
        for (const std::string& name : m_.world.RegValueNames(root, key)) {
          bool delayed = false;
          for (const ProgramEntry& p : startup)
            delayed = delayed || (p.Command == command && EqualsIgnoreCase(p.RegistryName, name));
          // A copy of a value the Run key holds unchanged is no stopped item.
          const auto inRun = m_.world.RegGetValue(root, RunKeyOf(view32), name);
          const bool copy = inRun && inRun->data == m_.world.RegGetValue(root, key, name)->data;
          if (!delayed && !copy)
            names[view32].push_back(name);
        }
      }
      for (const std::string& entry : tables.StoppedPrograms) {
        if (!StartsWith(entry, prefix) || entry.size() == prefix.size())
          continue;
        const std::string path = entry.substr(prefix.size());
        const auto holds = [&](bool view32, const std::string& name) {
          const auto data = m_.world.RegGetValue(root, StoreOf(currentUser, view32), name);
          return data && (name + "=" + data->data).find(path) != std::string::npos;
        };
        bool in64 = false;
        for (const std::string& name : names[0])
          in64 = in64 || holds(false, name);
        for (const std::string& name : names[!in64 && !currentUser]) {
          const std::string id = prefix + (in64 || currentUser ? "" : "32:") + name;
          if (holds(!in64 && !currentUser, name) && reachedByStopped.insert(id).second)
            break;
        }
      }
    }

    for (Entry& e : entries_) {
      if (e.rewritten) {
        if (!CheckRewritten(where, e, startup, tables, backups))
          return false;
        continue;
      }
      std::vector<std::string> places;
      const int records = Records(e, startup);
      if (e.runValue) {
        // Read in the entry's own view and with its own type: a value that
        // changed either is not where it was.
        const auto text = [&](const std::string& at) -> std::optional<std::string> {
          const auto value = m_.world.RegGetValue(Root(e), at, e.name);
          if (!value || value->type != e.type || value->data.empty() || value->data.back() != 0)
            return std::nullopt;
          return value->data.substr(0, value->data.size() - 1);
        };
        const auto stored = text(StoreOf(e.currentUser, e.view32));
        if (text(RunKeyOf(e.view32)) == e.content)
          places.push_back("Run key");
        if (records > 0 && stored == e.content)
          places.push_back("delayed");
        if (records > 1)
          places.push_back("delayed again");
        // A record whose value the store lacks and the Run key holds (an
        // undo that two faults cut short) is inert: the login run leaves
        // a value that is back in the Run key to Windows, and the window
        // marks it as come back.
        if (stored == e.content &&
            reachedByStopped.count((e.currentUser ? "_REGCU_" : "_REGAU_") +
                                   std::string(e.view32 ? "32:" : "") + e.name) != 0)
          places.push_back("stopped");
        if (stored == e.content &&
            isFound(e.currentUser ? found.CurrentUserRunValues : found.AllUsersRunValues,
                    e.name + "=" + e.content))
          places.push_back("found");
        if (places.empty() && RecoverableFromBackup(backups, e))
          continue;
      } else {
        for (const std::string& file : {StartupFile(e), ItemsFile(e)}) {
          const auto bytes = m_.world.ReadFile(file);
          if (bytes && *bytes != e.content)
            return Fail(where, Describe(e) + " changed in " + file);
        }
        if (m_.world.Exists(StartupFile(e)))
          places.push_back("Startup folder");
        if (m_.world.Exists(ItemsFile(e))) {
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
      // A put back whose save failed is undone; when a second kind of call
      // fails too, the undo may store the value again but not take it out
      // of the Run key. Then it is in both, and the window marks it as
      // come back, as for a program that wrote its entry again.
      if (places.size() == 2 && (e.everRewritten || twoKindsFail_) &&
          (places[0] == "Run key" || places[0] == "Startup folder")) {
        e.rewritten = true;
        if (!CheckRewritten(where, e, startup, tables, backups))
          return false;
        continue;
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
        (e.view32 ? "SOFTWARE\\WOW6432Node" : "Software") +
        "\\Microsoft\\Windows\\CurrentVersion\\Run]";
    // An expandable value is written as its UTF-16LE bytes (its exact
    // lines are tested on their own).
    const std::string valueLine =
        e.type == kRegExpandSz ? items::RunValueLine(e.name, e.content, kRegExpandSz)
                               : "\"" + RegEscaped(e.name) + "\"=\"" + RegEscaped(e.content) + "\"";
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

  const std::vector<ProgramEntry> noPrograms_;
  std::uint64_t seed_;
  std::mt19937_64 random_;
  MovesMachine m_;
  FakeWindow window_{m_};
  items::ItemCommands commands_{window_};
  std::vector<Entry> entries_;
  std::vector<std::string> trace_;
  std::string failure_;
  int serial_ = 0;
  // The step's entry came back through its program, not through Vantrel.
  bool programMoved_ = false;
  bool twoKindsFail_ = false; // in the step just done
};

TEST(Conservation, NoStartupEntryIsLostOrDoubledUnderRandomCommandsAndFaults) {
  const std::uint64_t base = FromEnvironment(
      "VANTREL_CONSERVATION_SEED",
      static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) %
          1000000007);
  const auto steps = static_cast<int>(FromEnvironment("VANTREL_CONSERVATION_STEPS", 20000));
  // Longer sessions reach states that short ones do not; many machines
  // reach more of the odd layouts.
  const auto perMachine =
      std::max(1, static_cast<int>(FromEnvironment("VANTREL_CONSERVATION_MACHINE_STEPS", 60)));
  std::printf("[ conservation ] base seed %llu, %d steps (VANTREL_CONSERVATION_SEED to repeat)\n",
              static_cast<unsigned long long>(base), steps);
  for (std::uint64_t seed = base, done = 0; done < static_cast<std::uint64_t>(steps); ++seed) {
    const int machineSteps = std::min(perMachine, steps - static_cast<int>(done));
    ConservationRun run(seed);
    ASSERT_TRUE(run.Run(machineSteps)) << run.Report();
    done += static_cast<std::uint64_t>(machineSteps);
  }
}

} // namespace
} // namespace vantrel::moves_test
