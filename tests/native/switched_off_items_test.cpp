// Windows' own startup switches (Task Manager's Startup tab) against the
// tree and the commands: what reads as off, where each location's switch
// lives, and that Vantrel's command is the user's latest word.
#include <gtest/gtest.h>

#include "common/startup_approved.h"
#include "common/text.h"
#include "moves_test_support.h"
#include "native/fake_main_window.h"
#include "vantrel/item_commands.h"
#include "vantrel/startup_tree.h"

namespace vantrel::moves_test {
namespace {

namespace st = startup_tree;
using items::ItemCommands;

const std::string kApproved =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved";
const std::string kWowRunKey = "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kOnForm = std::string("\x02", 1) + std::string(11, '\0');
// Switched off by Task Manager: 03, three zero bytes, the FILETIME.
const std::string kOffForm = std::string("\x03\0\0\0\x10\x32\x54\x76\x98\xBA\xDC\x01", 12);

struct SwitchMachine : MovesMachine {
  SwitchMachine() {
    context.Store.StartupType = 1;
    context.Text.Messages[message::kSwitchNotTurnedOn] = "Switch stays off.";
    world.registry().MakeKey(kHkeyLocalMachine, "Software\\WOW6432Node");
  }
  void SwitchRaw(RegKey root, const std::string& list, const std::string& name, std::uint32_t type,
                 const std::string& data) {
    world.RegSetRaw(root, kApproved + "\\" + list, name, type, data);
  }
  std::optional<std::string> Switch(RegKey root, const std::string& list,
                                    const std::string& name) const {
    const auto value = world.RegGetValue(root, kApproved + "\\" + list, name);
    return value ? std::optional<std::string>(value->data) : std::nullopt;
  }
  int Image(std::string_view category, const std::string& text) {
    return window.tree.At(window.Item(category, text)).image;
  }
  // Chooses the entry on the first item of the category that begins so.
  void Popup(std::string_view category, const std::string& start, ItemPopupEntry entry) {
    window.selected = TreeModel::kNoNode;
    for (const TreeModel::NodeId child : window.tree.At(window.tree.Find(category)).children) {
      if (window.selected == TreeModel::kNoNode && StartsWith(window.tree.At(child).text, start))
        window.selected = child;
    }
    ASSERT_NE(TreeModel::kNoNode, window.selected) << start;
    ItemCommands(window).ItemPopupCommand(entry);
  }
  std::string Log() const { return world.ReadFile(kFolder + "\\log.txt").value_or(""); }
  FakeWindow window{*this};
};

TEST(SwitchedOffItems, TheTreeReadsEachSwitchWhereWindowsKeepsIt) {
  SwitchMachine m;
  const struct {
    const char* name;
    std::uint32_t type;
    std::string data; // empty with kRegNone: no switch at all
    bool off;
  } cases[] = {
      {"Missing", kRegNone, "", false},
      {"On02", kRegBinary, kOnForm, false},
      {"On06", kRegBinary, std::string("\x06", 1) + std::string(11, '\0'), false},
      {"Off03", kRegBinary, kOffForm, true},
      {"Off07", kRegBinary, std::string("\x07", 1) + std::string(11, '\x11'), true},
      {"ShortOdd", kRegBinary, std::string("\x03", 1), true},
      {"Empty", kRegBinary, "", false},
      {"WrongType", kRegDword, std::string("\x03\0\0\0", 4), false},
  };
  for (const auto& c : cases) {
    m.AddRunValue(kHkeyCurrentUser, c.name, "C:\\T\\t.exe");
    if (c.type != kRegNone)
      m.SwitchRaw(kHkeyCurrentUser, "Run", c.name, c.type, c.data);
  }
  // Each location reads its own list of its own hive; a switch of the same
  // name elsewhere does not count.
  const struct {
    std::string_view category;
    std::string name; // a shortcut's file name, or a value's name "=" data
    RegKey switchRoot;
    const char* list;
    bool off;
  } places[] = {
      {st::kCurrentUserStartup, "App.lnk", kHkeyCurrentUser, "StartupFolder", true},
      {st::kAllUsersStartup, "Common.lnk", kHkeyLocalMachine, "StartupFolder", true},
      {st::kAllUsersStartup, "Other.lnk", kHkeyCurrentUser, "StartupFolder", false},
      {st::kAllUsersRegistry, "Agent=C:\\A\\agent.exe", kHkeyLocalMachine, "Run", true},
      {st::kAllUsersRegistry, "Only32=C:\\A\\x.exe", kHkeyLocalMachine, "Run32", false},
      {st::kAllUsersRegistry32, "Helper=C:\\x86\\h.exe", kHkeyLocalMachine, "Run32", true},
      {st::kAllUsersRegistry32, "Shared=C:\\x86\\s.exe", kHkeyLocalMachine, "Run", false},
  };
  for (const auto& p : places) {
    const auto equals = p.name.find('=');
    const std::string name = p.name.substr(0, equals);
    if (equals == std::string::npos)
      m.world.AddFile((p.category == st::kCurrentUserStartup ? kUserStartup : kCommonStartup) +
                          "\\" + name,
                      "link");
    else
      m.world.RegSetString(kHkeyLocalMachine,
                           p.category == st::kAllUsersRegistry ? kRunKey : kWowRunKey, name,
                           p.name.substr(equals + 1));
    m.SwitchRaw(p.switchRoot, p.list, name, kRegBinary, kOffForm);
  }
  m.window.RefreshData();

  const auto expect = [&](std::string_view category, const std::string& text, bool off) {
    SCOPED_TRACE(text);
    EXPECT_EQ(off ? st::image::kSwitchedOff : st::image::kNone, m.Image(category, text));
  };
  for (const auto& c : cases)
    expect(st::kCurrentUserRegistry, std::string(c.name) + "=C:\\T\\t.exe", c.off);
  for (const auto& p : places)
    expect(p.category, p.name, p.off);

  // The tool tip says why, in the language's words.
  m.context.Text.Toolbar[toolbar::kSwitchedOffItemTip] = "Off in Windows.";
  ItemCommands(m.window).TreeMouseMove(m.window.Item(st::kCurrentUserStartup, "App.lnk"));
  EXPECT_EQ("tip:Off in Windows.", m.window.events.back());
}

// Delay keeps the switch and logs that Vantrel now starts the item; Stop
// leaves it; putting back writes the "on" form Task Manager writes and
// logs it, for a Run value and a shortcut alike.
TEST(SwitchedOffItems, DelayStopAndPutBackOfASwitchedOffItem) {
  SwitchMachine m;
  m.AddRunValue(kHkeyCurrentUser, "Tool", "C:\\T\\t.exe /q");
  m.world.AddFile(kUserStartup + "\\App.lnk", "link");
  m.SwitchRaw(kHkeyCurrentUser, "Run", "Tool", kRegBinary, kOffForm);
  m.SwitchRaw(kHkeyCurrentUser, "StartupFolder", "App.lnk", kRegBinary, kOffForm);
  m.window.RefreshData();

  m.Popup(st::kCurrentUserRegistry, "Tool=C:\\T\\t.exe /q", ItemPopupEntry::kDelay);
  m.Popup(st::kCurrentUserStartup, "App.lnk", ItemPopupEntry::kDelay);
  const std::string runSwitch = "HKEY_CURRENT_USER\\" + kApproved + "\\Run\\Tool";
  const std::string linkSwitch = "HKEY_CURRENT_USER\\" + kApproved + "\\StartupFolder\\App.lnk";
  const std::string delayed = "Info: Delayed although Windows' startup settings have it "
                              "switched off; Vantrel starts it at login: ";
  EXPECT_EQ(delayed + runSwitch + "\r\n" + delayed + linkSwitch + "\r\n", m.Log());
  EXPECT_EQ(kOffForm, m.Switch(kHkeyCurrentUser, "Run", "Tool"));

  m.Popup(st::kDelayedRegistryCurrentUser, "Tool=", ItemPopupEntry::kStop);
  EXPECT_EQ(kOffForm, m.Switch(kHkeyCurrentUser, "Run", "Tool"));
  m.Popup(st::kStoppedCurrentRegistry, "C:\\T\\t.exe", ItemPopupEntry::kRun);
  m.Popup(st::kDelayedStartupCurrentUser, "App.lnk", ItemPopupEntry::kRun);

  EXPECT_EQ("C:\\T\\t.exe /q", m.RunValue(kHkeyCurrentUser, "Tool"));
  EXPECT_TRUE(m.world.Exists(kUserStartup + "\\App.lnk"));
  for (const auto& [list, name] :
       {std::pair<std::string, std::string>{"Run", "Tool"}, {"StartupFolder", "App.lnk"}}) {
    const auto value = m.world.RegGetValue(kHkeyCurrentUser, kApproved + "\\" + list, name);
    ASSERT_TRUE(value) << name;
    EXPECT_EQ(kRegBinary, value->type);
    EXPECT_EQ(kOnForm, value->data);
  }
  const std::string log = m.Log();
  const std::string on = "Info: Switched on in Windows' startup settings, as Vantrel put it back: ";
  EXPECT_TRUE(EndsWith(log, on + runSwitch + "\r\n" + on + linkSwitch + "\r\n")) << log;
  EXPECT_EQ(st::image::kNone, m.Image(st::kCurrentUserRegistry, "Tool=C:\\T\\t.exe /q"));
  EXPECT_TRUE(m.MessageTexts().empty());

  // Switched off, delayed again, put back with a save that fails: the
  // undo switches it off again and nothing is logged.
  m.SwitchRaw(kHkeyCurrentUser, "Run", "Tool", kRegBinary, kOffForm);
  m.Popup(st::kCurrentUserRegistry, "Tool=", ItemPopupEntry::kDelay);
  m.world.faults = [](sim::SimOp op, const std::string& what) {
    return op == sim::SimOp::kFileReplace && what.find("proggroup.c") != std::string::npos;
  };
  m.Popup(st::kDelayedRegistryCurrentUser, "Tool=", ItemPopupEntry::kRun);
  EXPECT_FALSE(m.RunValue(kHkeyCurrentUser, "Tool"));
  EXPECT_EQ(kOffForm, m.Switch(kHkeyCurrentUser, "Run", "Tool"));
  EXPECT_TRUE(EndsWith(m.Log(), delayed + runSwitch + "\r\n")) << m.Log();
}

// An all-users switch needs administrator rights: without them the user is
// told and the item stays where it is, with its record; with them it goes
// back and is on, in the 32-bit view's own list too.
TEST(SwitchedOffItems, AnAllUsersSwitchNeedsAdministratorRights) {
  const std::string kWowStore = "Software\\WOW6432Node\\Korvane\\Vantrel\\HKLM";
  const struct {
    const char* label;
    std::string_view category;
    std::string store;
    std::string runKey;
    const char* list;
  } cases[] = {
      {"64-bit", st::kDelayedRegistryAllUsers, kMachineStore, kRunKey, "Run"},
      {"32-bit", st::kDelayedRegistryAllUsers32, kWowStore, kWowRunKey, "Run32"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    SwitchMachine m;
    m.world.RegSetString(kHkeyLocalMachine, c.store, "Agent", "C:\\A\\agent.exe");
    m.SwitchRaw(kHkeyLocalMachine, c.list, "Agent", kRegBinary, kOffForm);
    m.SetModel({Program("ExecuteRegAU", "C:\\A\\agent.exe", "", "Agent")}, {});
    m.world.SetAdmin(false);
    m.window.RefreshData();

    m.Popup(c.category, "Agent=", ItemPopupEntry::kRun);
    EXPECT_EQ(std::vector<std::string>{ExpectedBox(kRunValuesFailed, {"Agent: Switch stays off."})},
              m.MessageTexts());
    EXPECT_EQ(kOffForm, m.Switch(kHkeyLocalMachine, c.list, "Agent"));
    EXPECT_EQ("C:\\A\\agent.exe", m.world.RegGetString(kHkeyLocalMachine, c.store, "Agent"));
    EXPECT_FALSE(m.world.RegGetString(kHkeyLocalMachine, c.runKey, "Agent"));
    EXPECT_EQ(1u, m.Delayed().size());
    EXPECT_EQ("", m.Log());

    m.world.SetAdmin(true);
    m.Popup(c.category, "Agent=", ItemPopupEntry::kRun);
    EXPECT_EQ(kOnForm, m.Switch(kHkeyLocalMachine, c.list, "Agent"));
    EXPECT_EQ("C:\\A\\agent.exe", m.world.RegGetString(kHkeyLocalMachine, c.runKey, "Agent"));
    EXPECT_TRUE(m.Delayed().empty());
  }
}

} // namespace
} // namespace vantrel::moves_test
