// Windows' own startup switches (Task Manager's Startup tab) against the
// tree and the commands: what reads as off, where each location's switch
// lives, and that Vantrel's command is the user's latest word.
#include <gtest/gtest.h>

#include "common/startup_approved.h"
#include "common/text.h"
#include "native/window_machine.h"
#include "vantrel/tree/startup_tree.h"

namespace vantrel::moves_test {
namespace {

namespace st = startup_tree;

const std::string kApproved =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved";
const std::string kOnForm = std::string("\x02", 1) + std::string(11, '\0');
// Switched off by Task Manager: 03, three zero bytes, the FILETIME.
const std::string kOffForm = std::string("\x03\0\0\0\x10\x32\x54\x76\x98\xBA\xDC\x01", 12);

struct SwitchMachine : WindowMachine {
  SwitchMachine() {
    context.Text.Messages[message::kSwitchNotTurnedOn] = "Switch stays off.";
    world.registry().MakeKey(kHkeyLocalMachine, "Software\\WOW6432Node");
  }
  void SetSwitch(RegKey root, const std::string& list, const std::string& name,
                 const std::string& data, std::uint32_t type = kRegBinary) {
    world.RegSetRaw(root, kApproved + "\\" + list, name, type, data);
  }
  std::optional<std::string> Switch(RegKey root, const std::string& list,
                                    const std::string& name) const {
    const auto value = world.RegGetValue(root, kApproved + "\\" + list, name);
    return value && value->type == kRegBinary ? std::optional<std::string>(value->data)
                                              : std::nullopt;
  }
  int Image(std::string_view category, const std::string& text) {
    return window.tree.At(window.Item(category, text)).image;
  }
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
      m.SetSwitch(kHkeyCurrentUser, "Run", c.name, c.data, c.type);
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
    m.SetSwitch(p.switchRoot, p.list, name, kOffForm);
  }
  m.window.RefreshData();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.off ? st::image::kSwitchedOff : st::image::kNone,
              m.Image(st::kCurrentUserRegistry, std::string(c.name) + "=C:\\T\\t.exe"));
  }
  for (const auto& p : places) {
    SCOPED_TRACE(p.name);
    EXPECT_EQ(p.off ? st::image::kSwitchedOff : st::image::kNone, m.Image(p.category, p.name));
  }
  // The tool tip says why, in the language's words.
  m.context.Text.Toolbar[toolbar::kSwitchedOffItemTip] = "Off in Windows.";
  items::ItemCommands(m.window).TreeMouseMove(m.window.Item(st::kCurrentUserStartup, "App.lnk"));
  EXPECT_EQ("tip:Off in Windows.", m.window.events.back());
}

// Delay keeps the switch and logs that Vantrel now starts the item; Stop
// leaves it; putting back writes the "on" form Task Manager writes and
// logs it, for a Run value and a shortcut alike. A put back whose save
// fails switches it off again and logs nothing.
TEST(SwitchedOffItems, DelayStopAndPutBackOfASwitchedOffItem) {
  SwitchMachine m;
  m.AddRunValue(kHkeyCurrentUser, "Tool", "C:\\T\\t.exe /q");
  m.world.AddFile(kUserStartup + "\\App.lnk", "link");
  m.SetSwitch(kHkeyCurrentUser, "Run", "Tool", kOffForm);
  m.SetSwitch(kHkeyCurrentUser, "StartupFolder", "App.lnk", kOffForm);
  m.window.RefreshData();

  m.Popup(st::kCurrentUserRegistry, "Tool=C:\\T\\t.exe /q", ItemPopupEntry::kDelay);
  m.Popup(st::kCurrentUserStartup, "App.lnk", ItemPopupEntry::kDelay);
  const std::string runSwitch = "HKEY_CURRENT_USER\\" + kApproved + "\\Run\\Tool";
  const std::string linkSwitch = "HKEY_CURRENT_USER\\" + kApproved + "\\StartupFolder\\App.lnk";
  const std::string delayed = "Info: Delayed although Windows' startup settings have it "
                              "switched off; Vantrel starts it at login: ";
  EXPECT_EQ(delayed + runSwitch + "\r\n" + delayed + linkSwitch + "\r\n", m.Log());

  m.Popup(st::kDelayedRegistryCurrentUser, "Tool=", ItemPopupEntry::kStop);
  EXPECT_EQ(kOffForm, m.Switch(kHkeyCurrentUser, "Run", "Tool"));
  m.Popup(st::kStoppedCurrentRegistry, "C:\\T\\t.exe", ItemPopupEntry::kRun);
  m.Popup(st::kDelayedStartupCurrentUser, "App.lnk", ItemPopupEntry::kRun);
  EXPECT_EQ("C:\\T\\t.exe /q", m.RunValue(kHkeyCurrentUser, "Tool"));
  EXPECT_TRUE(m.world.Exists(kUserStartup + "\\App.lnk"));
  EXPECT_EQ(kOnForm, m.Switch(kHkeyCurrentUser, "Run", "Tool"));
  EXPECT_EQ(kOnForm, m.Switch(kHkeyCurrentUser, "StartupFolder", "App.lnk"));
  const std::string on = "Info: Switched on in Windows' startup settings, as Vantrel put it back: ";
  EXPECT_TRUE(EndsWith(m.Log(), on + runSwitch + "\r\n" + on + linkSwitch + "\r\n")) << m.Log();
  EXPECT_EQ(st::image::kNone, m.Image(st::kCurrentUserRegistry, "Tool=C:\\T\\t.exe /q"));
  EXPECT_TRUE(m.MessageTexts().empty());

  m.SetSwitch(kHkeyCurrentUser, "Run", "Tool", kOffForm);
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
  const struct {
    std::string_view category;
    std::string store, runKey;
    const char* list;
  } cases[] = {
      {st::kDelayedRegistryAllUsers, kMachineStore, kRunKey, "Run"},
      {st::kDelayedRegistryAllUsers32, kWowMachineStore, kWowRunKey, "Run32"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.list);
    SwitchMachine m;
    m.world.RegSetString(kHkeyLocalMachine, c.store, "Agent", "C:\\A\\agent.exe");
    m.SetSwitch(kHkeyLocalMachine, c.list, "Agent", kOffForm);
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
