// The tray menu: its entries and texts, the id rules, what a chosen id
// does, and the clicks on the icon.

#include <gtest/gtest.h>

#include <set>

#include "login_test_support.h"
#include "vantrel/tray_clicks.h"
#include "vantrel/tray_command.h"
#include "vantrel/tray_menu.h"

namespace vantrel::login_test {
namespace {

using Kind = TrayMenuEntry::Kind;

// The menu as lines: "text=id", "-" for a separator, children indented.
void Describe(const std::vector<TrayMenuEntry>& entries, const std::string& indent,
              std::vector<std::string>& out) {
  for (const auto& entry : entries) {
    if (entry.kind == Kind::kSeparator)
      out.push_back(indent + "-");
    else if (entry.kind == Kind::kSubmenu)
      out.push_back(indent + entry.text + ">");
    else
      out.push_back(indent + entry.text + "=" + std::to_string(entry.id));
    Describe(entry.children, indent + "  ", out);
  }
}

std::vector<std::string> Describe(const std::vector<TrayMenuEntry>& entries) {
  std::vector<std::string> out;
  Describe(entries, "", out);
  return out;
}

void CollectIds(const std::vector<TrayMenuEntry>& entries, std::vector<std::int32_t>& ids) {
  for (const auto& entry : entries) {
    if (entry.kind == Kind::kCommand)
      ids.push_back(entry.id);
    CollectIds(entry.children, ids);
  }
}

TEST_F(LoginTest, TheMenuListsTheStartupGroupTheStoppedProgramsAndTheFixedEntries) {
  context.Store.ProgramGroups = {
      ProgramGroup{"Games", {Program("Execute", "C:\\g.exe", 0)}},
      ProgramGroup{"Startup",
                   {Program("Execute", "Tool.lnk", 0), Program("", "", 0),
                    Program("ExecuteReg", "C:\\Program Files\\Agent\\ agent.exe ", 5),
                    Program("Execute", "C:\\Odd\\  ", 1)}}};
  context.Store.StartupGroupIndex = 1;
  context.Store.StoppedPrograms = {"_STPCU_Old.lnk", "", "_REGAU_C:\\Tools\\Tom & Jerry.exe"};
  EXPECT_EQ(Describe(BuildTrayMenu(context)), (std::vector<std::string>{
                                                  "Startup>",
                                                  "  Run All=2000",
                                                  "  -",
                                                  "  Tool.lnk=2002",
                                                  "  agent.exe=2004",
                                                  "  C:\\Odd\\  =2005",
                                                  "-",
                                                  "Stopped>",
                                                  "  Run All=3000",
                                                  "  -",
                                                  "  Old.lnk=3002",
                                                  "  Tom && Jerry.exe=3004",
                                                  "-",
                                                  "&Open=4001",
                                                  "&Quit Program=4002",
                                              }));
  const auto& programs = context.Store.ProgramGroups[1].Programs;
  EXPECT_EQ(programs[0].MenuId, 2002);
  EXPECT_EQ(programs[1].MenuId, 0);
  EXPECT_EQ(context.Tray.StartupRunAllId, 2000);
  EXPECT_EQ(context.Tray.StoppedRunAllId, 3000);
  EXPECT_EQ(context.Tray.StoppedMenuIds, (std::vector<std::int32_t>{3002, 0, 3004}));
  EXPECT_EQ(context.Tray.TrayOpenId, 4001);
  EXPECT_EQ(context.Tray.TrayQuitId, 4002);
}

class TrayCommandTest : public LoginTest {
protected:
  TrayCommandTest() {
    world.AddFile(kAllUsersItems + "Shared.lnk", "L");
    SetStartup({Program("ExecuteAU", "Shared.lnk", 2),
                Program("Execute", "C:\\Tools\\b.exe", 1, "-b"),
                Program("Execute", "Gone.lnk", 0)});
    world.AddFile(kCurrentUserItems + "Old.lnk", "L");
    world.RegSetString(kHkeyLocalMachine, "Software\\Korvane\\Vantrel\\HKLM", "Tray",
                       "C:\\Tools\\tray.exe -start");
    context.Store.StoppedPrograms = {"_STPCU_Old.lnk", "", "_REGAU_C:\\Tools\\tray.exe"};
    context.GuiMode = true;
    window.Load();
    BuildTrayMenu(context);
  }
  void Choose(std::int32_t id) { HandleTrayCommand(context, window, id); }
};

TEST_F(TrayCommandTest, RunAllStartsTheGroupWithItsDelaysAndNoMainDelay) {
  Choose(context.Tray.StartupRunAllId);
  EXPECT_EQ(Starts(), (std::vector<std::string>{kAllUsersItems + "Shared.lnk|@2000",
                                                "C:\\Tools\\b.exe|-b@3000", "|@3000"}));
  // Nothing is logged but the shortcut found nowhere.
  EXPECT_EQ(LogLines(), std::vector<std::string>{"Error: Program:  failed to start."});
}

TEST_F(TrayCommandTest, OpenAndQuit) {
  // A login start: the tree is filled first.
  context.GuiMode = false;
  window.visible = false;
  window.events.clear();
  Choose(context.Tray.TrayOpenId);
  EXPECT_EQ(window.events, (std::vector<std::string>{"refresh@0", "show@0"}));
  window.minimized = true;
  window.events.clear();
  Choose(context.Tray.TrayOpenId);
  EXPECT_EQ(window.events, (std::vector<std::string>{"restore@0", "show@0"}));
  context.GuiMode = true;
  window.events.clear();
  Choose(context.Tray.TrayOpenId);
  EXPECT_EQ(window.events, (std::vector<std::string>{"show@0"}));

  window.events.clear();
  for (std::int32_t nothing : {0, -5, 999, 4000})
    Choose(nothing);
  EXPECT_TRUE(window.events.empty());
  EXPECT_TRUE(Starts().empty());

  Choose(context.Tray.TrayQuitId);
  EXPECT_FALSE(window.loaded) << "quit closes for good under close type 1";
}

TEST(TrayClickCounterTest, TwoLeftClicksShowTheWindowAndARightClickTheMenu) {
  using M = TrayMouse;
  using A = TrayAction;
  struct Case {
    const char* name;
    std::vector<M> mice;
    std::vector<A> actions;
  };
  const std::vector<Case> cases = {
      {"two clicks", {M::kLeftClick, M::kLeftClick}, {A::kNone, A::kShowWindow}},
      {"a double click", {M::kLeftClick, M::kLeftDoubleClick}, {A::kNone, A::kShowWindow}},
      {"the count starts again",
       {M::kLeftClick, M::kLeftClick, M::kLeftClick},
       {A::kNone, A::kShowWindow, A::kNone}},
      {"a right click resets the count",
       {M::kLeftClick, M::kRightClick, M::kLeftClick},
       {A::kNone, A::kShowMenu, A::kNone}},
      {"other messages change nothing",
       {M::kLeftClick, M::kOther, M::kLeftClick},
       {A::kNone, A::kNone, A::kShowWindow}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TrayClickCounter counter;
    std::vector<A> actions;
    for (M mouse : c.mice)
      actions.push_back(counter.OnMouse(mouse));
    EXPECT_EQ(actions, c.actions);
  }
}

} // namespace
} // namespace vantrel::login_test
