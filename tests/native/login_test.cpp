// The login start and run: the launch run's timeline and log lines byte for
// byte, the wait's slices, closing the window, the registration at login,
// and Vantrel's entry (second instance, a file held open, a whole login run
// from proggroup.c, names that did not pass).
// The tray menu: its entries, what a chosen id does, and the clicks on the icon.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "login_test_support.h"
#include "vantrel/app/main_entry.h"
#include "vantrel/login/run_at_login.h"
#include "vantrel/login/start_delay.h"
#include "vantrel/login/wait.h"
#include "vantrel/tray/tray_clicks.h"
#include "vantrel/tray/tray_command.h"
#include "vantrel/tray/tray_menu.h"
#include "vantrel/tree/refresh_startup_items.h"
#include "vantrel/window/main_window_close.h"

namespace vantrel::login_test {
namespace {

using Lines = std::vector<std::string>;

class StartDelayTest : public LoginTest {
protected:
  void Run() {
    LoadHiddenWindow();
    StartDelay(context, window);
  }
};

TEST_F(StartDelayTest, WaitsAddUpAndEveryStepIsLogged) {
  struct Case {
    const char* name;
    float mainDelay;
    std::vector<ProgramEntry> programs;
    Lines log;
    Lines starts;
  };
  const std::vector<Case> cases = {
      {"main wait 30 s, one item of 5 s",
       30,
       {Program("Execute", "C:\\Tools\\a.exe", 5)},
       {"Info: 08:00:00  Waiting for 30 seconds.", "Info: 08:00:30  Wait over.",
        "Info: 08:00:30 Waiting for 5 seconds.", "Info: 08:00:35  C:\\Tools\\a.exe "},
       {"C:\\Tools\\a.exe|@35000"}},
      {"an all-users shortcut of 0 s, then a machine Run value of 10 s",
       30,
       {Program("ExecuteAU", "C:\\Tools\\b.exe", 0),
        Program("ExecuteRegAU", "C:\\Tools\\c.exe", 10, "-q -x")},
       {"Info: 08:00:00  Waiting for 30 seconds.", "Info: 08:00:30  Wait over.",
        "Info: 08:00:30 Waiting for 0 seconds.", "Info: 08:00:30  C:\\Tools\\b.exe ",
        "Info: 08:00:30 Waiting for 10 seconds.", "Info: 08:00:40  C:\\Tools\\c.exe -q -x"},
       {"C:\\Tools\\b.exe|@30000", "C:\\Tools\\c.exe|-q -x@40000"}},
      {"fractions, and an unknown command word still waits",
       1.5f,
       {Program("ExecuteReg", "C:\\Tools\\d.exe", 0.25f), Program("Close", "C:\\Tools\\e.exe", 2),
        Program("Execute", "C:\\Tools\\f.exe", 0.1f)},
       {"Info: 08:00:00  Waiting for 1.5 seconds.", "Info: 08:00:01  Wait over.",
        "Info: 08:00:01 Waiting for 0.25 seconds.", "Info: 08:00:01  C:\\Tools\\d.exe ",
        "Info: 08:00:01 Waiting for 2 seconds.", "Info: 08:00:03 Waiting for 0.1 seconds.",
        "Info: 08:00:03  C:\\Tools\\f.exe "},
       {"C:\\Tools\\d.exe|@1750", "C:\\Tools\\f.exe|@3850"}},
      {"free slots are neither waited nor logged",
       2,
       {Program("", "", 7), Program("Execute", "C:\\Tools\\g.exe", 1)},
       {"Info: 08:00:00  Waiting for 2 seconds.", "Info: 08:00:02  Wait over.",
        "Info: 08:00:02 Waiting for 1 seconds.", "Info: 08:00:03  C:\\Tools\\g.exe "},
       {"C:\\Tools\\g.exe|@3000"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoginRig fresh;
    fresh.context.Store.MainStartupDelay = c.mainDelay;
    fresh.SetStartup(c.programs);
    fresh.LoadHiddenWindow();
    StartDelay(fresh.context, fresh.window);
    EXPECT_EQ(fresh.LogLines(), c.log);
    EXPECT_EQ(fresh.Starts(), c.starts);
    // The shell is asked in the one way Vantrel starts programs.
    for (const auto& call : fresh.platform.shellExecutes()) {
      EXPECT_TRUE(call.extended);
      EXPECT_EQ(call.mask, 0x44Cu);
      EXPECT_EQ(call.verb, "");
      EXPECT_EQ(call.directory, "");
      EXPECT_EQ(call.show, 1);
      EXPECT_EQ(call.hwnd, 0u);
    }
    EXPECT_EQ(fresh.platform.openProcessHandles(), 0u) << "process handles leak";
    // Startup type 1, window hidden: the window goes and the process ends.
    EXPECT_FALSE(fresh.window.loaded);
    for (const auto& wait : fresh.platform.waits())
      EXPECT_LE(wait.requestedMs, 2000u);
  }
}

TEST_F(StartDelayTest, AQuotedPathTheShellRefusesIsTriedOnceWithoutQuotes) {
  context.Store.MainStartupDelay = 0;
  SetStartup({Program("ExecuteRegAU", "\"C:\\Program Files\\Agent\\agent.exe\"", 0, "-q"),
              Program("ExecuteReg", "C:\\Missing\\gone.exe", 0)});
  platform.shellExecuteFails = [](const sim::ShellExecuteRecord& call) {
    return call.file.find('"') != std::string::npos || call.file.find("gone") != std::string::npos;
  };
  Run();
  EXPECT_EQ(Starts(),
            (Lines{"\"C:\\Program Files\\Agent\\agent.exe\"|-q@0",
                   "C:\\Program Files\\Agent\\agent.exe|-q@0", "C:\\Missing\\gone.exe|@0"}));
  const Lines log = LogLines();
  ASSERT_EQ(log.size(), 7u);
  EXPECT_EQ(log[3], "Info: 08:00:00  \"C:\\Program Files\\Agent\\agent.exe\" -q");
  EXPECT_EQ(log[6], "Error: Program: C:\\Missing\\gone.exe failed to start.");

  // Refused with and without quotes: the log names the path without them.
  LoginRig both;
  both.context.Store.MainStartupDelay = 0;
  both.SetStartup({Program("Execute", "\"C:\\A B\\x.exe\"", 0)});
  both.platform.shellExecuteFails = [](const sim::ShellExecuteRecord&) { return true; };
  both.LoadHiddenWindow();
  StartDelay(both.context, both.window);
  EXPECT_EQ(both.platform.shellExecutes().size(), 2u);
  EXPECT_EQ(both.LogLines().back(), "Error: Program: C:\\A B\\x.exe failed to start.");
}

TEST_F(StartDelayTest, TheEndOfTheRunDependsOnTheWindowAndTheStartupType) {
  struct Case {
    const char* name;
    int startupType;
    bool openedDuringRun;
    bool staysLoaded;
  };
  const std::vector<Case> cases = {
      {"type 1, still hidden: unloaded", 1, false, false},
      {"type 1, opened from the tray: stays", 1, true, true},
      {"type 2, hidden: stays in the tray", 2, false, true},
      {"type 3, hidden: stays in the tray", 3, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoginRig fresh;
    fresh.context.Store.StartupType = c.startupType;
    fresh.SetStartup({Program("Execute", "C:\\Tools\\a.exe", 0)});
    fresh.LoadHiddenWindow();
    if (c.openedDuringRun) {
      fresh.world.ScheduleMessage(5000, [&] {
        BuildTrayMenu(fresh.context);
        HandleTrayCommand(fresh.context, fresh.window, fresh.context.Tray.TrayOpenId);
      });
    }
    StartDelay(fresh.context, fresh.window);
    EXPECT_EQ(fresh.window.loaded, c.staysLoaded);
    EXPECT_EQ(fresh.context.GuiMode, c.staysLoaded);
    EXPECT_EQ(fresh.Starts().size(), 1u);
  }
}

TEST_F(StartDelayTest, QuittingFromTheTrayDuringTheMainWaitStartsNothing) {
  SetStartup(
      {Program("Execute", "C:\\Tools\\a.exe", 0), Program("Execute", "C:\\Tools\\fdisk.exe", 0)});
  LoadHiddenWindow();
  world.ScheduleMessage(10000, [&] {
    BuildTrayMenu(context);
    HandleTrayCommand(context, window, context.Tray.TrayQuitId);
  });
  StartDelay(context, window);
  EXPECT_EQ(world.Now(), 10000u) << "the wait ends the moment the window closes";
  EXPECT_TRUE(Starts().empty());
  EXPECT_FALSE(window.loaded);
  EXPECT_TRUE(context.AbortWait);
  EXPECT_EQ(LogLines(),
            (Lines{"Info: 08:00:00  Waiting for 30 seconds.", "Info: 08:00:10  Wait over.",
                   "Warning: Startup Item Not Allowed: C:\\Tools\\fdisk.exe"}));
}

TEST(DelayToMillisecondsTest, RoundsAndRefusesWhatLeavesTheRange) {
  struct Case {
    float seconds;
    std::optional<std::int32_t> ms;
  };
  const std::vector<Case> cases = {
      {0, 0},
      {5, 5000},
      {2.5f, 2500},
      {0.1f, 100},
      {0.0025f, 2}, // 2.5 ms rounds to the even 2
      {-2.5f, -2500},
      {2147483.5f, 2147483520}, // the float product nearest below 2^31
      {2147484.0f, std::nullopt},
      {-2147483.648f, -2147483648},
      {-2147484.0f, std::nullopt},
      {1e30f, std::nullopt},
      {std::numeric_limits<float>::infinity(), std::nullopt},
      {std::numeric_limits<float>::quiet_NaN(), std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(DelayToMilliseconds(c.seconds), c.ms);
  }
}

TEST_F(LoginTest, WaitsInSlicesOfAtMostTwoSeconds) {
  WaitMilliseconds(context, 5500);
  EXPECT_EQ(world.Now(), 5500u);
  std::vector<std::uint32_t> slices;
  for (const auto& wait : platform.waits()) {
    EXPECT_EQ(wait.kind, sim::WaitRecord::Kind::kWaitForMessages) << "never a blind sleep";
    slices.push_back(wait.requestedMs);
  }
  EXPECT_EQ(slices, (std::vector<std::uint32_t>{2000, 2000, 1500}));
  EXPECT_EQ(platform.pumpCount(), 3);
  EXPECT_FALSE(context.WaitInProgress);

  for (std::int32_t nothing : {0, -1, -2000}) {
    WaitMilliseconds(context, nothing);
    EXPECT_EQ(world.Now(), 5500u);
  }
}

TEST_F(LoginTest, CloseTypeAndReasonDecideBetweenHidingAndClosing) {
  struct Case {
    const char* name;
    int closeType;
    CloseReason reason;
    bool waiting;
    bool closes;
    bool aborts;
    int pumps;
  };
  const std::vector<Case> cases = {
      {"type 1, close button: hidden", 1, CloseReason::kUserClose, true, false, false, 0},
      {"type 1, own unload", 1, CloseReason::kProgram, false, true, false, 0},
      {"type 1, shutdown during a wait", 1, CloseReason::kWindowsShutdown, true, true, true, 5001},
      {"type 1, task manager during a wait", 1, CloseReason::kTaskManager, true, true, true, 5001},
      {"type 0, close button", 0, CloseReason::kUserClose, false, true, true, 0},
      {"type 0, close button during a wait", 0, CloseReason::kUserClose, true, true, true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoginRig fresh;
    fresh.context.Store.CloseType = c.closeType;
    fresh.context.WaitInProgress = c.waiting;
    fresh.window.Load();
    fresh.window.visible = true;
    EXPECT_EQ(fresh.window.Close(c.reason), c.closes);
    EXPECT_EQ(fresh.window.loaded, !c.closes);
    EXPECT_FALSE(fresh.window.visible);
    EXPECT_EQ(fresh.context.AbortWait, c.aborts);
    EXPECT_EQ(fresh.platform.pumpCount(), c.pumps);
  }
}

using Value = std::optional<std::string>;
const Value kNone;
const std::string kStale = "\"C:\\Old Place\\Vantrel.exe\" -nogui";

TEST_F(LoginTest, SetRunAtLoginForEveryType) {
  struct Case {
    const char* name;
    int type;
    std::vector<std::string> commands; // of the group "Startup"
    Value userBefore, machineBefore;
    Value userAfter, machineAfter;
  };
  const std::vector<Case> cases = {
      {"0 removes both", 0, {"Execute"}, kOwnRun, kOwnRun, kNone, kNone},
      {"0 with nothing there", 0, {}, kNone, kNone, kNone, kNone},
      {"2 writes the user's value", 2, {}, kNone, kNone, kOwnRun, kNone},
      {"2 leaves a stale value as it is", 2, {}, kStale, kNone, kStale, kNone},
      {"3 to 2 moves the value to the user", 2, {}, kNone, kOwnRun, kOwnRun, kNone},
      {"3 writes the machine's value", 3, {}, kNone, kNone, kNone, kOwnRun},
      {"2 to 3 moves the value to the machine", 3, {}, kOwnRun, kNone, kNone, kOwnRun},
      {"3 leaves a stale machine value", 3, {}, kStale, kStale, kNone, kStale},
      {"1 with all-users and user items: machine only",
       1,
       {"Execute", "ExecuteRegAU"},
       kOwnRun,
       kNone,
       kNone,
       kOwnRun},
      {"1 with an all-users shortcut", 1, {"ExecuteAU"}, kNone, kNone, kNone, kOwnRun},
      {"1 with user items only", 1, {"ExecuteReg"}, kNone, kOwnRun, kOwnRun, kNone},
      {"1 counts items of any command word", 1, {"Close"}, kNone, kNone, kOwnRun, kNone},
      {"1 without items removes a value", 1, {}, kStale, kOwnRun, kNone, kNone},
      {"1 without items and values touches nothing", 1, {}, kNone, kNone, kNone, kNone},
      {"an unknown type changes nothing", 7, {}, kStale, kNone, kStale, kNone},
      {"a negative type changes nothing", -1, {"Execute"}, kNone, kStale, kNone, kStale},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoginRig fresh;
    std::vector<ProgramEntry> programs;
    for (const auto& command : c.commands)
      programs.push_back(Program(command, "C:\\Tools\\" + command + ".exe", 0));
    fresh.SetStartup(programs);
    if (c.userBefore)
      fresh.world.RegSetString(kHkeyCurrentUser, kRunKey, "Tarrow", *c.userBefore);
    if (c.machineBefore)
      fresh.world.RegSetString(kHkeyLocalMachine, kRunKey, "Tarrow", *c.machineBefore);
    SetRunAtLogin(fresh.context, c.type);
    EXPECT_EQ(fresh.RunValue(kHkeyCurrentUser), c.userAfter);
    EXPECT_EQ(fresh.RunValue(kHkeyLocalMachine), c.machineAfter);
    EXPECT_EQ(fresh.platform.openKeyHandles(), 0u);
  }
}

struct MainRig : LoginRig {
  MainRig() {
    world.AddFile(kFolder + "\\lang\\languagefile.dat", "English, en\r\n");
    world.AddFile(kFolder + "\\lang\\en\\messages.en", "Vantrel is already running.\r\n");
  }

  // Writes proggroup.c for the user "Tester" through a separate process.
  void WriteProgramGroups(float mainDelay, int startupType, std::vector<ProgramEntry> programs) {
    sim::SimPlatform writer(world);
    AppContext prepared(writer);
    CDelayLoad store = prepared.NewDelayLoad();
    store.LoadItems(); // the defaults
    prepared.Store.MainStartupDelay = mainDelay;
    prepared.Store.StartupType = startupType;
    prepared.Store.ShowTipsAtStartup = 0;
    prepared.Store.ProgramGroups = {ProgramGroup{"Startup", std::move(programs)}};
    ASSERT_TRUE(store.WriteItems());
  }

  MainOutcome Start(const std::string& commandLine) {
    platform.SetCommandLine(commandLine);
    return Main(context, window);
  }

  // Everything on the machine that a start could have changed.
  std::string MachineState() const {
    std::string state;
    for (const auto& path : world.ListAll())
      state += path + "=" + world.ReadFile(path).value_or("<folder>") + "\n";
    for (RegKey root : {kHkeyCurrentUser, kHkeyLocalMachine})
      state += RunValue(root).value_or("-") + "\n";
    return state;
  }
};

class MainTest : public ::testing::Test, public MainRig {};

TEST_F(MainTest, ASecondInstanceOnlyActivatesTheFirst) {
  // Only a windowed second start brings the window to the front with its
  // box; a second login start ends quietly, leaving a log line.
  struct Case {
    const char* commandLine;
    bool windowed;
  };
  for (const Case& c : {Case{"Vantrel.exe", true}, Case{"Vantrel.exe -nogui", false}}) {
    SCOPED_TRACE(c.commandLine);
    MainRig fresh;
    fresh.WriteProgramGroups(0, 1, {Program("Execute", "C:\\Tools\\a.exe", 0)});
    sim::SimPlatform first(fresh.world);
    bool existed = true;
    first.CreateNamedMutex(kSingleInstanceMutex, &existed);
    EXPECT_FALSE(existed);
    fresh.world.AddWindow(kMainWindowTitle);

    EXPECT_EQ(fresh.Start(c.commandLine), MainOutcome::kEnded);
    EXPECT_FALSE(fresh.window.loaded);
    EXPECT_TRUE(fresh.platform.shellExecutes().empty());
    if (!c.windowed) {
      EXPECT_TRUE(fresh.world.activations().empty());
      EXPECT_TRUE(fresh.platform.messageBoxes().empty());
      EXPECT_EQ(fresh.world.ReadFile(kFolder + "\\log.txt"),
                "Info: Vantrel is already running; this login start ends.\r\n");
      continue;
    }
    EXPECT_EQ(fresh.world.activations(), std::vector<std::string>{kMainWindowTitle});
    ASSERT_EQ(fresh.platform.messageBoxes().size(), 1u);
    const auto& box = fresh.platform.messageBoxes()[0];
    EXPECT_EQ(box.text, "Vantrel is already running.");
    EXPECT_EQ(box.caption, "Vantrel");
    EXPECT_EQ(box.flags, kMbOk | kMbIconInformation);
    EXPECT_FALSE(fresh.world.Exists(kFolder + "\\log.txt"));
  }

  // The first instance's window cannot be found: the message still comes.
  MainRig noWindow;
  sim::SimPlatform first(noWindow.world);
  first.CreateNamedMutex(kSingleInstanceMutex, nullptr);
  EXPECT_EQ(noWindow.Start("Vantrel.exe"), MainOutcome::kEnded);
  EXPECT_TRUE(noWindow.world.activations().empty());
  EXPECT_EQ(noWindow.platform.messageBoxes().size(), 1u);
}

// 5. At login a proggroup.c that another program holds open is waited for:
// its items start once it is free, with one log line and no box.
TEST_F(MainTest, ALoginStartWaitsForAFileHeldOpen) {
  WriteProgramGroups(0, 1, {Program("Execute", "C:\\Tools\\a.exe", 0)});
  const std::string file = kFolder + "\\Tester\\proggroup.c";
  world.LockFile(file);
  world.ScheduleMessage(9000, [&] { world.LockFile(file, false); });
  EXPECT_EQ(Start("Vantrel.exe -nogui"), MainOutcome::kEnded);
  EXPECT_EQ(Starts(), std::vector<std::string>{"C:\\Tools\\a.exe|@10000"});
  EXPECT_TRUE(platform.messageBoxes().empty());
  EXPECT_EQ(
      world.ReadFile(kFolder + "\\log.txt")
          .value_or("")
          .rfind("Warning: proggroup.c is held open by another program; waiting for it.\r\n", 0),
      0u);

  // Held for good: the run gives up after two minutes and says why, once.
  MainRig held;
  held.WriteProgramGroups(0, 1, {Program("Execute", "C:\\Tools\\a.exe", 0)});
  held.world.LockFile(file);
  EXPECT_EQ(held.Start("Vantrel.exe -nogui"), MainOutcome::kEnded);
  EXPECT_TRUE(held.Starts().empty());
  ASSERT_EQ(held.platform.messageBoxes().size(), 1u);
  EXPECT_EQ(held.platform.messageBoxes()[0].caption, "Vantrel - Error");
  EXPECT_GE(held.world.Now(), 120000u);
}

TEST_F(MainTest, AWholeLoginRunFromTheFile) {
  ASSERT_TRUE(world.AddFile(kCurrentUserItems + "Tool.lnk", "L"));
  ASSERT_TRUE(world.AddFile(kAllUsersItems + "Shared.lnk", "L"));
  WriteProgramGroups(1, 1,
                     {Program("Execute", "Tool.lnk", 0), Program("ExecuteAU", "Shared.lnk", 0.5f),
                      Program("ExecuteReg", "C:\\Tools\\reg.exe", 1, "/min"),
                      Program("ExecuteRegAU", "C:\\Tools\\machine.exe", 2)});
  EXPECT_EQ(Start("\"C:\\Program Files\\Vantrel\\Vantrel.exe\" -nogui"), MainOutcome::kEnded);
  EXPECT_EQ(Starts(), (std::vector<std::string>{
                          kCurrentUserItems + "Tool.lnk|@1000", kAllUsersItems + "Shared.lnk|@1500",
                          "C:\\Tools\\reg.exe|/min@2500", "C:\\Tools\\machine.exe|@4500"}));
  EXPECT_EQ(LogLines(), (std::vector<std::string>{
                            "Info: 08:00:00  Waiting for 1 seconds.",
                            "Info: 08:00:01  Wait over.",
                            "Info: 08:00:01 Waiting for 0 seconds.",
                            "Info: 08:00:01  Tool.lnk ",
                            "Info: 08:00:01 Waiting for 0.5 seconds.",
                            "Info: 08:00:01  Shared.lnk ",
                            "Info: 08:00:01 Waiting for 1 seconds.",
                            "Info: 08:00:02  C:\\Tools\\reg.exe /min",
                            "Info: 08:00:02 Waiting for 2 seconds.",
                            "Info: 08:00:04  C:\\Tools\\machine.exe ",
                        }));
  // The run ended with the window closed for good, which registered the
  // machine-wide start for the all-users items.
  EXPECT_EQ(window.events, (std::vector<std::string>{"load@0", "closed@4500"}));
  EXPECT_EQ(RunValue(kHkeyLocalMachine), kOwnRun);
  EXPECT_EQ(RunValue(kHkeyCurrentUser), std::nullopt);
  EXPECT_EQ(platform.openProcessHandles(), 0u);
  // With items to start, the run watches Windows' Startup folders for
  // items that come back, so it looked them up although no window showed.
  EXPECT_EQ(context.AllUsersStartupFolder,
            "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp");
}

// Windows before 10 1903 hands names outside its code page over with "?"
// in place of each such character; the start says which name did not pass
// instead of ending without a word, in both modes.
TEST(MainUnpassedNames, AProgramFolderOrLogonNameThatDidNotPassIsNamed) {
  const struct {
    const char* name;
    std::string moduleFileName;
    std::string userName;
    const char* named;
  } rows[] = {
      {"program folder", "C:\\??\\Vantrel\\Vantrel.exe", "Tester", "C:\\??\\Vantrel."},
      {"logon name", "C:\\Program Files\\Vantrel\\Vantrel.exe", "??", "logon name ??."},
  };
  for (const auto& row : rows) {
    for (const char* commandLine : {"Vantrel.exe", "Vantrel.exe -nogui"}) {
      SCOPED_TRACE(std::string(row.name) + ", " + commandLine);
      sim::SimWorld world;
      sim::SimProcessOptions options;
      options.moduleFileName = row.moduleFileName;
      options.userName = row.userName;
      sim::SimPlatform platform(world, options);
      platform.SetCommandLine(commandLine);
      AppContext context(platform);
      FakeMainWindow window(context, world);
      const auto before = world.ListAll();
      EXPECT_EQ(Main(context, window), MainOutcome::kEnded);
      ASSERT_EQ(platform.messageBoxes().size(), 1u);
      EXPECT_NE(platform.messageBoxes()[0].text.find(row.named), std::string::npos)
          << platform.messageBoxes()[0].text;
      EXPECT_NE(platform.messageBoxes()[0].text.find("Windows 10 version 1903"), std::string::npos);
      EXPECT_FALSE(window.loaded);
      EXPECT_EQ(world.ListAll(), before) << "nothing written";
    }
  }
}

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
