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

// What reads as off (03 or any odd first byte of a REG_BINARY), and that
// each location reads its own list of its own hive: a switch of the same
// name elsewhere does not count.
TEST(SwitchedOffItems, TheTreeReadsEachSwitchWhereWindowsKeepsIt) {
  SwitchMachine m;
  const struct {
    std::string_view category;
    std::string name; // a shortcut's file name, or a value's name "=" data
    RegKey switchRoot;
    const char* list;
    std::string data;
    std::uint32_t type; // kRegNone: no switch at all
    bool off;
  } cases[] = {
      {st::kCurrentUserRegistry, "Missing=C:\\t.exe", kHkeyCurrentUser, "Run", "", kRegNone, false},
      {st::kCurrentUserRegistry, "On02=C:\\t.exe", kHkeyCurrentUser, "Run", kOnForm, kRegBinary,
       false},
      {st::kCurrentUserRegistry, "Odd=C:\\t.exe", kHkeyCurrentUser, "Run", "\x03", kRegBinary,
       true},
      {st::kCurrentUserRegistry, "Dword=C:\\t.exe", kHkeyCurrentUser, "Run",
       std::string("\x03\0\0\0", 4), kRegDword, false},
      {st::kCurrentUserStartup, "App.lnk", kHkeyCurrentUser, "StartupFolder", kOffForm, kRegBinary,
       true},
      {st::kAllUsersStartup, "Common.lnk", kHkeyLocalMachine, "StartupFolder", kOffForm, kRegBinary,
       true},
      {st::kAllUsersRegistry, "Agent=C:\\A\\agent.exe", kHkeyLocalMachine, "Run", kOffForm,
       kRegBinary, true},
      {st::kAllUsersRegistry32, "Helper=C:\\x86\\h.exe", kHkeyLocalMachine, "Run32", kOffForm,
       kRegBinary, true},
      {st::kAllUsersRegistry32, "Shared=C:\\x86\\s.exe", kHkeyLocalMachine, "Run", kOffForm,
       kRegBinary, false},
  };
  for (const auto& c : cases) {
    const auto equals = c.name.find('=');
    const std::string name = c.name.substr(0, equals);
    if (equals == std::string::npos)
      m.world.AddFile((c.category == st::kCurrentUserStartup ? kUserStartup : kCommonStartup) +
                          "\\" + name,
                      "link");
    else
      m.world.RegSetString(c.switchRoot,
                           c.category == st::kAllUsersRegistry32 ? kWowRunKey : kRunKey, name,
                           c.name.substr(equals + 1));
    if (c.type != kRegNone)
      m.SetSwitch(c.switchRoot, c.list, name, c.data, c.type);
  }
  m.window.RefreshData();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.off ? st::image::kSwitchedOff : st::image::kNone, m.Image(c.category, c.name));
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
// back and is on, here in the 32-bit view's own list.
TEST(SwitchedOffItems, AnAllUsersSwitchNeedsAdministratorRights) {
  SwitchMachine m;
  m.world.RegSetString(kHkeyLocalMachine, kWowMachineStore, "Agent", "C:\\A\\agent.exe");
  m.SetSwitch(kHkeyLocalMachine, "Run32", "Agent", kOffForm);
  m.SetModel({Program("ExecuteRegAU", "C:\\A\\agent.exe", "", "Agent")}, {});
  m.world.SetAdmin(false);
  m.window.RefreshData();
  m.Popup(st::kDelayedRegistryAllUsers32, "Agent=", ItemPopupEntry::kRun);
  EXPECT_EQ(std::vector<std::string>{kRunValuesFailed + "\r\n\r\nAgent: Switch stays off."},
            m.MessageTexts());
  EXPECT_EQ(kOffForm, m.Switch(kHkeyLocalMachine, "Run32", "Agent"));
  EXPECT_FALSE(m.world.RegGetString(kHkeyLocalMachine, kWowRunKey, "Agent"));
  EXPECT_EQ(1u, m.Delayed().size());
  EXPECT_EQ("", m.Log());

  m.world.SetAdmin(true);
  m.Popup(st::kDelayedRegistryAllUsers32, "Agent=", ItemPopupEntry::kRun);
  EXPECT_EQ(kOnForm, m.Switch(kHkeyLocalMachine, "Run32", "Agent"));
  EXPECT_EQ("C:\\A\\agent.exe", m.world.RegGetString(kHkeyLocalMachine, kWowRunKey, "Agent"));
  EXPECT_TRUE(m.Delayed().empty());
}

} // namespace
} // namespace vantrel::moves_test
