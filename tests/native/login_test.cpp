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

// The login run: main wait, each program after its own wait, the lines of
// log.txt, and how the run ends (startup type, the window opened or Vantrel
// quit from the tray while it runs). Every start asks the shell in the one
// way Vantrel starts programs (Starts() marks any other call).
TEST(LoginRun, TimelineLogLinesAndEnd) {
  enum Tray { kNoTray, kOpen, kQuit };
  const auto refuseQuoted = [](const sim::ShellExecuteRecord& call) {
    return call.file.find('"') != std::string::npos || call.file.find("gone") != std::string::npos;
  };
  struct Case {
    const char* name;
    float mainDelay;
    int startupType;
    std::vector<ProgramEntry> programs;
    Lines log;
    Lines starts;
    bool staysLoaded = false;
    std::function<bool(const sim::ShellExecuteRecord&)> refused = nullptr;
    Tray tray = kNoTray;
    std::uint64_t trayAtMs = 0;
  };
  const std::vector<Case> cases = {
      {"main wait 30 s, one item of 5 s",
       30,
       1,
       {Program("Execute", "C:\\Tools\\a.exe", 5)},
       {"Info: 08:00:00  Waiting for 30 seconds.", "Info: 08:00:30  Wait over.",
        "Info: 08:00:30 Waiting for 5 seconds.", "Info: 08:00:35  C:\\Tools\\a.exe "},
       {"C:\\Tools\\a.exe|@35000"}},
      {"an all-users shortcut of 0 s, then a machine Run value of 10 s",
       30,
       1,
       {Program("ExecuteAU", "C:\\Tools\\b.exe", 0),
        Program("ExecuteRegAU", "C:\\Tools\\c.exe", 10, "-q -x")},
       {"Info: 08:00:00  Waiting for 30 seconds.", "Info: 08:00:30  Wait over.",
        "Info: 08:00:30 Waiting for 0 seconds.", "Info: 08:00:30  C:\\Tools\\b.exe ",
        "Info: 08:00:30 Waiting for 10 seconds.", "Info: 08:00:40  C:\\Tools\\c.exe -q -x"},
       {"C:\\Tools\\b.exe|@30000", "C:\\Tools\\c.exe|-q -x@40000"}},
      {"fractions, and an unknown command word still waits",
       1.5f,
       1,
       {Program("ExecuteReg", "C:\\Tools\\d.exe", 0.25f), Program("Close", "C:\\Tools\\e.exe", 2),
        Program("Execute", "C:\\Tools\\f.exe", 0.1f)},
       {"Info: 08:00:00  Waiting for 1.5 seconds.", "Info: 08:00:01  Wait over.",
        "Info: 08:00:01 Waiting for 0.25 seconds.", "Info: 08:00:01  C:\\Tools\\d.exe ",
        "Info: 08:00:01 Waiting for 2 seconds.", "Info: 08:00:03 Waiting for 0.1 seconds.",
        "Info: 08:00:03  C:\\Tools\\f.exe "},
       {"C:\\Tools\\d.exe|@1750", "C:\\Tools\\f.exe|@3850"}},
      {"free slots are neither waited nor logged",
       2,
       1,
       {Program("", "", 7), Program("Execute", "C:\\Tools\\g.exe", 1)},
       {"Info: 08:00:00  Waiting for 2 seconds.", "Info: 08:00:02  Wait over.",
        "Info: 08:00:02 Waiting for 1 seconds.", "Info: 08:00:03  C:\\Tools\\g.exe "},
       {"C:\\Tools\\g.exe|@3000"}},
      {"a quoted path the shell refuses is tried once without quotes",
       0,
       1,
       {Program("ExecuteRegAU", "\"C:\\Program Files\\Agent\\agent.exe\"", 0, "-q"),
        Program("ExecuteReg", "C:\\Missing\\gone.exe", 0)},
       {"Info: 08:00:00  Waiting for 0 seconds.", "Info: 08:00:00  Wait over.",
        "Info: 08:00:00 Waiting for 0 seconds.",
        "Info: 08:00:00  \"C:\\Program Files\\Agent\\agent.exe\" -q",
        "Info: 08:00:00 Waiting for 0 seconds.", "Info: 08:00:00  C:\\Missing\\gone.exe ",
        "Error: Program: C:\\Missing\\gone.exe failed to start."},
       {"\"C:\\Program Files\\Agent\\agent.exe\"|-q@0", "C:\\Program Files\\Agent\\agent.exe|-q@0",
        "C:\\Missing\\gone.exe|@0"},
       false,
       refuseQuoted},
      {"refused with and without quotes: the log names the path without them",
       0,
       1,
       {Program("Execute", "\"C:\\A B\\x.exe\"", 0)},
       {"Info: 08:00:00  Waiting for 0 seconds.", "Info: 08:00:00  Wait over.",
        "Info: 08:00:00 Waiting for 0 seconds.", "Info: 08:00:00  \"C:\\A B\\x.exe\" ",
        "Error: Program: C:\\A B\\x.exe failed to start."},
       {"\"C:\\A B\\x.exe\"|@0", "C:\\A B\\x.exe|@0"},
       false,
       [](const sim::ShellExecuteRecord&) { return true; }},
      {"type 1, opened from the tray during the main wait: stays",
       30,
       1,
       {Program("Execute", "C:\\Tools\\a.exe", 0)},
       {"Info: 08:00:00  Waiting for 30 seconds.", "Info: 08:00:30  Wait over.",
        "Info: 08:00:30 Waiting for 0 seconds.", "Info: 08:00:30  C:\\Tools\\a.exe "},
       {"C:\\Tools\\a.exe|@30000"},
       true,
       nullptr,
       kOpen,
       5000},
      {"type 2, hidden: stays in the tray",
       0,
       2,
       {Program("Execute", "C:\\Tools\\a.exe", 0)},
       {"Info: 08:00:00  Waiting for 0 seconds.", "Info: 08:00:00  Wait over.",
        "Info: 08:00:00 Waiting for 0 seconds.", "Info: 08:00:00  C:\\Tools\\a.exe "},
       {"C:\\Tools\\a.exe|@0"},
       true},
      {"type 3, hidden: stays in the tray",
       0,
       3,
       {Program("Execute", "C:\\Tools\\a.exe", 0)},
       {"Info: 08:00:00  Waiting for 0 seconds.", "Info: 08:00:00  Wait over.",
        "Info: 08:00:00 Waiting for 0 seconds.", "Info: 08:00:00  C:\\Tools\\a.exe "},
       {"C:\\Tools\\a.exe|@0"},
       true},
      {"quit from the tray during the main wait: the wait ends, nothing starts",
       30,
       1,
       {Program("Execute", "C:\\Tools\\a.exe", 0), Program("Execute", "C:\\Tools\\fdisk.exe", 0)},
       {"Info: 08:00:00  Waiting for 30 seconds.", "Info: 08:00:10  Wait over.",
        "Warning: Startup Item Not Allowed: C:\\Tools\\fdisk.exe"},
       {},
       false,
       nullptr,
       kQuit,
       10000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoginRig rig;
    rig.context.Store.MainStartupDelay = c.mainDelay;
    rig.context.Store.StartupType = c.startupType;
    rig.SetStartup(c.programs);
    if (c.refused)
      rig.platform.shellExecuteFails = c.refused;
    rig.LoadHiddenWindow();
    if (c.tray != kNoTray) {
      rig.world.ScheduleMessage(c.trayAtMs, [&] {
        BuildTrayMenu(rig.context);
        HandleTrayCommand(rig.context, rig.window,
                          c.tray == kOpen ? rig.context.Tray.TrayOpenId
                                          : rig.context.Tray.TrayQuitId);
      });
    }
    StartDelay(rig.context, rig.window);
    EXPECT_EQ(rig.LogLines(), c.log);
    EXPECT_EQ(rig.Starts(), c.starts);
    EXPECT_EQ(rig.platform.openProcessHandles(), 0u) << "process handles leak";
    EXPECT_EQ(rig.window.loaded, c.staysLoaded);
    EXPECT_EQ(rig.context.GuiMode, c.staysLoaded);
    EXPECT_EQ(rig.context.AbortWait, c.tray == kQuit);
    EXPECT_TRUE(c.tray != kQuit || rig.world.Now() == c.trayAtMs)
        << "the wait ends the moment the window closes";
    for (const auto& wait : rig.platform.waits())
      EXPECT_LE(wait.requestedMs, 2000u);
  }
}

TEST(DelayToMillisecondsTest, RoundsAndRefusesWhatLeavesTheRange) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::optional<std::int32_t> no;
  // 2.5 ms rounds to the even 2; 2147483.5 s is the float product nearest
  // below 2^31.
  const std::vector<std::pair<float, std::optional<std::int32_t>>> cases = {
      {0, 0},
      {5, 5000},
      {2.5f, 2500},
      {0.1f, 100},
      {0.0025f, 2},
      {-2.5f, -2500},
      {2147483.5f, 2147483520},
      {2147484.0f, no},
      {1e30f, no},
      {-2147484.0f, no},
      {-2147483.648f, -2147483648},
      {inf, no},
      {nan, no}};
  for (const auto& [seconds, ms] : cases)
    EXPECT_EQ(DelayToMilliseconds(seconds), ms) << seconds;
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
  for (std::int32_t nothing : {0, -1, -2000})
    WaitMilliseconds(context, nothing);
  EXPECT_EQ(world.Now(), 5500u);
}

TEST(CloseTest, CloseTypeAndReasonDecideBetweenHidingAndClosing) {
  using R = CloseReason;
  struct Case {
    int closeType;
    CloseReason reason;
    bool waiting, closes, aborts;
    int pumps;
  };
  const std::vector<Case> cases = {
      {1, R::kUserClose, true, false, false, 0},
      {1, R::kProgram, false, true, false, 0},
      {1, R::kWindowsShutdown, true, true, true, 5001},
      {1, R::kTaskManager, true, true, true, 5001},
      {0, R::kUserClose, false, true, true, 0},
      {0, R::kUserClose, true, true, true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.closeType << ", reason "
                                    << static_cast<int>(c.reason) << ", waiting " << c.waiting);
    LoginRig rig;
    rig.context.Store.CloseType = c.closeType;
    rig.context.WaitInProgress = c.waiting;
    rig.window.Load();
    rig.window.visible = true;
    EXPECT_EQ(rig.window.Close(c.reason), c.closes);
    EXPECT_EQ(rig.window.loaded, !c.closes);
    EXPECT_FALSE(rig.window.visible);
    EXPECT_EQ(rig.context.AbortWait, c.aborts);
    EXPECT_EQ(rig.platform.pumpCount(), c.pumps);
  }
}

TEST(RunAtLoginTest, SetRunAtLoginForEveryType) {
  using Value = std::optional<std::string>;
  const Value no;
  const Value own = kOwnRun;
  const Value stale = "\"C:\\Old Place\\Vantrel.exe\" -nogui";
  struct Case {
    const char* name;
    int type;
    std::vector<std::string> commands; // of the group "Startup"
    Value userBefore, machineBefore, userAfter, machineAfter;
  };
  const std::vector<Case> cases = {
      {"0 removes both", 0, {"Execute"}, own, own, no, no},
      {"0 with nothing there", 0, {}, no, no, no, no},
      {"2 writes the user's value", 2, {}, no, no, own, no},
      {"2 leaves a stale value as it is", 2, {}, stale, no, stale, no},
      {"3 to 2 moves the value to the user", 2, {}, no, own, own, no},
      {"3 writes the machine's value", 3, {}, no, no, no, own},
      {"2 to 3 moves the value to the machine", 3, {}, own, no, no, own},
      {"3 leaves a stale machine value", 3, {}, stale, stale, no, stale},
      {"1 with all-users and user items: machine only",
       1,
       {"Execute", "ExecuteRegAU"},
       own,
       no,
       no,
       own},
      {"1 with an all-users shortcut", 1, {"ExecuteAU"}, no, no, no, own},
      {"1 with user items only", 1, {"ExecuteReg"}, no, own, own, no},
      {"1 counts items of any command word", 1, {"Close"}, no, no, own, no},
      {"1 without items removes a value", 1, {}, stale, own, no, no},
      {"1 without items and values touches nothing", 1, {}, no, no, no, no},
      {"an unknown type changes nothing", 7, {}, stale, no, stale, no},
      {"a negative type changes nothing", -1, {"Execute"}, no, stale, no, stale},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoginRig rig;
    std::vector<ProgramEntry> programs;
    for (const auto& command : c.commands)
      programs.push_back(Program(command, "C:\\Tools\\" + command + ".exe", 0));
    rig.SetStartup(programs);
    for (const auto& [root, value] : {std::pair{kHkeyCurrentUser, c.userBefore},
                                      std::pair{kHkeyLocalMachine, c.machineBefore}}) {
      if (value)
        rig.world.RegSetString(root, kRunKey, "Tarrow", *value);
    }
    SetRunAtLogin(rig.context, c.type);
    EXPECT_EQ(rig.RunValue(kHkeyCurrentUser), c.userAfter);
    EXPECT_EQ(rig.RunValue(kHkeyLocalMachine), c.machineAfter);
    EXPECT_EQ(rig.platform.openKeyHandles(), 0u);
  }
}

struct MainRig : LoginRig {
  // proggroup.c as a separate process wrote it for the user "Tester".
  explicit MainRig(std::vector<ProgramEntry> programs = {}, float mainDelay = 0) {
    world.AddFile(kFolder + "\\lang\\languagefile.dat", "English, en\r\n");
    world.AddFile(kFolder + "\\lang\\en\\messages.en", "Vantrel is already running.\r\n");
    sim::SimPlatform writer(world);
    AppContext prepared(writer);
    CDelayLoad store = prepared.NewDelayLoad();
    store.LoadItems(); // the defaults
    prepared.Store.MainStartupDelay = mainDelay;
    prepared.Store.StartupType = 1;
    prepared.Store.ShowTipsAtStartup = 0;
    prepared.Store.ProgramGroups = {ProgramGroup{"Startup", std::move(programs)}};
    EXPECT_TRUE(store.WriteItems());
  }

  MainOutcome Start(const std::string& commandLine) {
    platform.SetCommandLine(commandLine);
    return Main(context, window);
  }
};

const std::string kLogFile = kFolder + "\\log.txt";
const std::string kProgGroupFile = kFolder + "\\Tester\\proggroup.c";

// Only a windowed second start brings the window to the front with its box;
// a second login start ends quietly, leaving a log line. The first
// instance's window may not be found: the box still comes.
TEST(MainTest, ASecondInstanceOnlyActivatesTheFirst) {
  struct Case {
    const char* commandLine;
    bool firstWindow;
    Lines activations;
    std::size_t boxes;
    std::optional<std::string> log;
  };
  const std::vector<Case> cases = {
      {"Vantrel.exe", true, {kMainWindowTitle}, 1, std::nullopt},
      {"Vantrel.exe", false, {}, 1, std::nullopt},
      {"Vantrel.exe -nogui",
       true,
       {},
       0,
       "Info: Vantrel is already running; this login start ends.\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.commandLine << ", window " << c.firstWindow);
    MainRig rig({Program("Execute", "C:\\Tools\\a.exe", 0)});
    sim::SimPlatform first(rig.world);
    bool existed = true;
    first.CreateNamedMutex(kSingleInstanceMutex, &existed);
    EXPECT_FALSE(existed);
    if (c.firstWindow)
      rig.world.AddWindow(kMainWindowTitle);
    EXPECT_EQ(rig.Start(c.commandLine), MainOutcome::kEnded);
    EXPECT_FALSE(rig.window.loaded);
    EXPECT_TRUE(rig.platform.shellExecutes().empty());
    EXPECT_EQ(rig.world.activations(), c.activations);
    EXPECT_EQ(rig.world.ReadFile(kLogFile), c.log);
    ASSERT_EQ(rig.platform.messageBoxes().size(), c.boxes);
    if (c.boxes) {
      const auto& box = rig.platform.messageBoxes()[0];
      EXPECT_EQ(box.text + "|" + box.caption, "Vantrel is already running.|Vantrel");
      EXPECT_EQ(box.flags, kMbOk | kMbIconInformation);
    }
  }
}

// At login a proggroup.c that another program holds open is waited for: its
// items start once it is free, with one log line and no box. Held for good,
// the run gives up after two minutes and says why, once.
TEST(MainTest, ALoginStartWaitsForAFileHeldOpen) {
  for (const bool freed : {true, false}) {
    SCOPED_TRACE(freed ? "freed after 9 s" : "held for good");
    MainRig rig({Program("Execute", "C:\\Tools\\a.exe", 0)});
    rig.world.LockFile(kProgGroupFile);
    if (freed)
      rig.world.ScheduleMessage(9000, [&] { rig.world.LockFile(kProgGroupFile, false); });
    EXPECT_EQ(rig.Start("Vantrel.exe -nogui"), MainOutcome::kEnded);
    EXPECT_EQ(rig.world.ReadFile(kLogFile).value_or("").rfind(
                  "Warning: proggroup.c is held open by another program; waiting for it.\r\n", 0),
              0u);
    if (freed) {
      EXPECT_EQ(rig.Starts(), Lines{"C:\\Tools\\a.exe|@10000"});
      EXPECT_TRUE(rig.platform.messageBoxes().empty());
      continue;
    }
    EXPECT_TRUE(rig.Starts().empty());
    ASSERT_EQ(rig.platform.messageBoxes().size(), 1u);
    EXPECT_EQ(rig.platform.messageBoxes()[0].caption, "Vantrel - Error");
    EXPECT_GE(rig.world.Now(), 120000u);
  }
}

TEST(MainTest, AWholeLoginRunFromTheFile) {
  MainRig rig({Program("Execute", "Tool.lnk", 0), Program("ExecuteAU", "Shared.lnk", 0.5f),
               Program("ExecuteReg", "C:\\Tools\\reg.exe", 1, "/min"),
               Program("ExecuteRegAU", "C:\\Tools\\machine.exe", 2)},
              1);
  ASSERT_TRUE(rig.world.AddFile(kCurrentUserItems + "Tool.lnk", "L"));
  ASSERT_TRUE(rig.world.AddFile(kAllUsersItems + "Shared.lnk", "L"));
  EXPECT_EQ(rig.Start("\"C:\\Program Files\\Vantrel\\Vantrel.exe\" -nogui"), MainOutcome::kEnded);
  EXPECT_EQ(rig.Starts(),
            (Lines{kCurrentUserItems + "Tool.lnk|@1000", kAllUsersItems + "Shared.lnk|@1500",
                   "C:\\Tools\\reg.exe|/min@2500", "C:\\Tools\\machine.exe|@4500"}));
  EXPECT_EQ(
      rig.LogLines(),
      (Lines{"Info: 08:00:00  Waiting for 1 seconds.", "Info: 08:00:01  Wait over.",
             "Info: 08:00:01 Waiting for 0 seconds.", "Info: 08:00:01  Tool.lnk ",
             "Info: 08:00:01 Waiting for 0.5 seconds.", "Info: 08:00:01  Shared.lnk ",
             "Info: 08:00:01 Waiting for 1 seconds.", "Info: 08:00:02  C:\\Tools\\reg.exe /min",
             "Info: 08:00:02 Waiting for 2 seconds.", "Info: 08:00:04  C:\\Tools\\machine.exe "}));
  // The run ended with the window closed for good, which registered the
  // machine-wide start for the all-users items.
  EXPECT_EQ(rig.window.events, (Lines{"load@0", "closed@4500"}));
  EXPECT_EQ(rig.RunValue(kHkeyLocalMachine), kOwnRun);
  EXPECT_EQ(rig.RunValue(kHkeyCurrentUser), std::nullopt);
  EXPECT_EQ(rig.platform.openProcessHandles(), 0u);
  // With items to start, the run watches Windows' Startup folders for
  // items that come back, so it looked them up although no window showed.
  EXPECT_EQ(rig.context.AllUsersStartupFolder,
            "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp");
}

// Windows before 10 1903 hands names outside its code page over with "?"
// in place of each such character; the start says which name did not pass
// instead of ending without a word, in both modes.
TEST(MainUnpassedNames, AProgramFolderOrLogonNameThatDidNotPassIsNamed) {
  const struct {
    std::string moduleFileName, userName;
    const char* named;
  } rows[] = {
      {"C:\\??\\Vantrel\\Vantrel.exe", "Tester", "C:\\??\\Vantrel."},
      {"C:\\Program Files\\Vantrel\\Vantrel.exe", "??", "logon name ??."},
  };
  for (const auto& row : rows) {
    for (const char* commandLine : {"Vantrel.exe", "Vantrel.exe -nogui"}) {
      SCOPED_TRACE(std::string(row.named) + ", " + commandLine);
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
      const std::string& text = platform.messageBoxes()[0].text;
      EXPECT_NE(text.find(row.named), std::string::npos) << text;
      EXPECT_NE(text.find("Windows 10 version 1903"), std::string::npos);
      EXPECT_FALSE(window.loaded);
      EXPECT_EQ(world.ListAll(), before) << "nothing written";
    }
  }
}

// The menu as lines: "text=id", "-" for a separator, children indented.
void Describe(const std::vector<TrayMenuEntry>& entries, const std::string& indent, Lines& out) {
  for (const auto& entry : entries) {
    if (entry.kind == TrayMenuEntry::Kind::kSeparator)
      out.push_back(indent + "-");
    else if (entry.kind == TrayMenuEntry::Kind::kSubmenu)
      out.push_back(indent + entry.text + ">");
    else
      out.push_back(indent + entry.text + "=" + std::to_string(entry.id));
    Describe(entry.children, indent + "  ", out);
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
  Lines menu;
  Describe(BuildTrayMenu(context), "", menu);
  EXPECT_EQ(menu,
            (Lines{"Startup>", "  Run All=2000", "  -", "  Tool.lnk=2002", "  agent.exe=2004",
                   "  C:\\Odd\\  =2005", "-", "Stopped>", "  Run All=3000", "  -", "  Old.lnk=3002",
                   "  Tom && Jerry.exe=3004", "-", "&Open=4001", "&Quit Program=4002"}));
  const auto& programs = context.Store.ProgramGroups[1].Programs;
  EXPECT_EQ(programs[0].MenuId, 2002);
  EXPECT_EQ(programs[1].MenuId, 0);
  EXPECT_EQ(context.Tray.StartupRunAllId, 2000);
  EXPECT_EQ(context.Tray.StoppedRunAllId, 3000);
  EXPECT_EQ(context.Tray.StoppedMenuIds, (std::vector<std::int32_t>{3002, 0, 3004}));
  EXPECT_EQ(context.Tray.TrayOpenId, 4001);
  EXPECT_EQ(context.Tray.TrayQuitId, 4002);
}

// Run All starts the group with its delays and no main delay, logging only
// the shortcut found nowhere; Open fills the tree first after a login
// start; unknown ids do nothing; Quit closes for good under close type 1.
TEST_F(LoginTest, TrayCommands) {
  world.AddFile(kAllUsersItems + "Shared.lnk", "L");
  SetStartup({Program("ExecuteAU", "Shared.lnk", 2),
              Program("Execute", "C:\\Tools\\b.exe", 1, "-b"), Program("Execute", "Gone.lnk", 0)});
  context.GuiMode = true;
  window.Load();
  BuildTrayMenu(context);
  const auto choose = [&](std::int32_t id) {
    window.events.clear();
    HandleTrayCommand(context, window, id);
    return window.events;
  };
  choose(context.Tray.StartupRunAllId);
  EXPECT_EQ(Starts(),
            (Lines{kAllUsersItems + "Shared.lnk|@2000", "C:\\Tools\\b.exe|-b@3000", "|@3000"}));
  EXPECT_EQ(LogLines(), Lines{"Error: Program:  failed to start."});

  context.GuiMode = false;
  window.visible = false;
  EXPECT_EQ(choose(context.Tray.TrayOpenId), (Lines{"refresh@3000", "show@3000"}));
  window.minimized = true;
  EXPECT_EQ(choose(context.Tray.TrayOpenId), (Lines{"restore@3000", "show@3000"}));
  context.GuiMode = true;
  EXPECT_EQ(choose(context.Tray.TrayOpenId), Lines{"show@3000"});
  for (std::int32_t nothing : {0, -5, 999, 4000})
    EXPECT_TRUE(choose(nothing).empty());
  EXPECT_EQ(Starts().size(), 3u);
  choose(context.Tray.TrayQuitId);
  EXPECT_FALSE(window.loaded) << "quit closes for good under close type 1";
}

TEST(TrayClickCounterTest, TwoLeftClicksShowTheWindowAndARightClickTheMenu) {
  using M = TrayMouse;
  using A = TrayAction;
  const std::vector<std::pair<std::vector<M>, std::vector<A>>> cases = {
      {{M::kLeftClick, M::kLeftClick}, {A::kNone, A::kShowWindow}},
      {{M::kLeftClick, M::kLeftDoubleClick}, {A::kNone, A::kShowWindow}},
      {{M::kLeftClick, M::kLeftClick, M::kLeftClick}, {A::kNone, A::kShowWindow, A::kNone}},
      {{M::kLeftClick, M::kRightClick, M::kLeftClick}, {A::kNone, A::kShowMenu, A::kNone}},
      {{M::kLeftClick, M::kOther, M::kLeftClick}, {A::kNone, A::kNone, A::kShowWindow}},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    TrayClickCounter counter;
    std::vector<A> actions;
    for (M mouse : cases[i].first)
      actions.push_back(counter.OnMouse(mouse));
    EXPECT_EQ(actions, cases[i].second) << "case " << i;
  }
}

} // namespace
} // namespace vantrel::login_test
