// The login start and run: the launch run's timeline and log lines byte for
// byte, the wait's slices, closing the window, the registration at login,
// and Vantrel's entry (second instance, a file held open, a whole login run
// from proggroup.c, names that did not pass).
// The tray menu: its entries, what a chosen id does, and the clicks on the icon.

#include <gtest/gtest.h>

#include "common/unpassed_names.h"
#include "login_test_support.h"
#include "vantrel/app/main_entry.h"
#include "vantrel/login/run_at_login.h"
#include "vantrel/login/start_delay.h"
#include "vantrel/login/wait.h"
#include "vantrel/tray/tray_command.h"
#include "vantrel/tray/tray_menu.h"
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
    bool staysLoaded;
    std::function<bool(const sim::ShellExecuteRecord&)> refused;
    Tray tray;
    std::uint64_t trayAtMs;
    Case(const char* n, float d, int t, std::vector<ProgramEntry> p, Lines l, Lines s,
         bool stays = false, std::function<bool(const sim::ShellExecuteRecord&)> r = nullptr,
         Tray tr = kNoTray, std::uint64_t at = 0)
        : name(n), mainDelay(d), startupType(t), programs(std::move(p)), log(std::move(l)),
          starts(std::move(s)), staysLoaded(stays), refused(std::move(r)), tray(tr), trayAtMs(at) {}
  };
  const std::vector<Case> cases = {
      Case("an all-users shortcut of 0 s, a free slot (neither waited nor logged), then a machine "
           "Run value of 10 s",
           30, 1,
           {Program("ExecuteAU", "C:\\Tools\\b.exe", 0), Program("", "", 7),
            Program("ExecuteRegAU", "C:\\Tools\\c.exe", 10, "-q -x")},
           {"Info: 08:00:00  Waiting for 30 seconds.", "Info: 08:00:30  Wait over.",
            "Info: 08:00:30 Waiting for 0 seconds.", "Info: 08:00:30  C:\\Tools\\b.exe ",
            "Info: 08:00:30 Waiting for 10 seconds.", "Info: 08:00:40  C:\\Tools\\c.exe -q -x"},
           {"C:\\Tools\\b.exe|@30000", "C:\\Tools\\c.exe|-q -x@40000"}),
      Case("fractions, an unknown command word still waits, a negative delay does not", 1.5f, 1,
           {Program("ExecuteReg", "C:\\Tools\\d.exe", 0.25f),
            Program("Close", "C:\\Tools\\e.exe", 2), Program("Execute", "C:\\Tools\\f.exe", 0.1f),
            Program("Execute", "C:\\Tools\\n.exe", -2)},
           {"Info: 08:00:00  Waiting for 1.5 seconds.", "Info: 08:00:01  Wait over.",
            "Info: 08:00:01 Waiting for 0.25 seconds.", "Info: 08:00:01  C:\\Tools\\d.exe ",
            "Info: 08:00:01 Waiting for 2 seconds.", "Info: 08:00:03 Waiting for 0.1 seconds.",
            "Info: 08:00:03  C:\\Tools\\f.exe ", "Info: 08:00:03 Waiting for -2 seconds.",
            "Info: 08:00:03  C:\\Tools\\n.exe "},
           {"C:\\Tools\\d.exe|@1750", "C:\\Tools\\f.exe|@3850", "C:\\Tools\\n.exe|@3850"}),
      Case("a quoted path the shell refuses is tried once without quotes; the log names a path "
           "refused both ways without them",
           0, 1,
           {Program("ExecuteRegAU", "\"C:\\Program Files\\Agent\\agent.exe\"", 0, "-q"),
            Program("ExecuteReg", "C:\\Missing\\gone.exe", 0),
            Program("Execute", "\"C:\\A B\\gone.exe\"", 0)},
           {"Info: 08:00:00  Waiting for 0 seconds.", "Info: 08:00:00  Wait over.",
            "Info: 08:00:00 Waiting for 0 seconds.",
            "Info: 08:00:00  \"C:\\Program Files\\Agent\\agent.exe\" -q",
            "Info: 08:00:00 Waiting for 0 seconds.", "Info: 08:00:00  C:\\Missing\\gone.exe ",
            "Error: Program: C:\\Missing\\gone.exe failed to start.",
            "Info: 08:00:00 Waiting for 0 seconds.", "Info: 08:00:00  \"C:\\A B\\gone.exe\" ",
            "Error: Program: C:\\A B\\gone.exe failed to start."},
           {"\"C:\\Program Files\\Agent\\agent.exe\"|-q@0",
            "C:\\Program Files\\Agent\\agent.exe|-q@0", "C:\\Missing\\gone.exe|@0",
            "\"C:\\A B\\gone.exe\"|@0", "C:\\A B\\gone.exe|@0"},
           false, refuseQuoted),
      Case("type 1, opened from the tray during the main wait: stays", 30, 1,
           {Program("Execute", "C:\\Tools\\a.exe", 0)},
           {"Info: 08:00:00  Waiting for 30 seconds.", "Info: 08:00:30  Wait over.",
            "Info: 08:00:30 Waiting for 0 seconds.", "Info: 08:00:30  C:\\Tools\\a.exe "},
           {"C:\\Tools\\a.exe|@30000"}, true, nullptr, kOpen, 5000),
      Case("type 2 (3 alike), hidden: stays in the tray", 0, 2,
           {Program("Execute", "C:\\Tools\\a.exe", 0)},
           {"Info: 08:00:00  Waiting for 0 seconds.", "Info: 08:00:00  Wait over.",
            "Info: 08:00:00 Waiting for 0 seconds.", "Info: 08:00:00  C:\\Tools\\a.exe "},
           {"C:\\Tools\\a.exe|@0"}, true),
      Case("quit from the tray during the main wait: the wait ends, nothing starts", 30, 1,
           {Program("Execute", "C:\\Tools\\a.exe", 0),
            Program("Execute", "C:\\Tools\\fdisk.exe", 0)},
           {"Info: 08:00:00  Waiting for 30 seconds.", "Info: 08:00:10  Wait over.",
            "Warning: Startup Item Not Allowed: C:\\Tools\\fdisk.exe"},
           {}, false, nullptr, kQuit, 10000),
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
    EXPECT_EQ(rig.context.AbortWait, c.tray == kQuit);
    EXPECT_TRUE(c.tray != kQuit || rig.world.Now() == c.trayAtMs)
        << "the wait ends the moment the window closes";
    // In slices of at most two seconds that handle the window's messages.
    for (const auto& wait : rig.platform.waits())
      EXPECT_TRUE(wait.requestedMs <= 2000u &&
                  wait.kind == sim::WaitRecord::Kind::kWaitForMessages);
  }
}

TEST(CloseTest, CloseTypeAndReasonDecideBetweenHidingAndClosing) {
  using R = CloseReason;
  struct Case {
    int closeType;
    CloseReason reason;
    bool waiting, closes, aborts;
    int pumps;
  };
  const std::vector<Case> cases = {{1, R::kUserClose, true, false, false, 0},
                                   {1, R::kProgram, false, true, false, 0},
                                   {1, R::kWindowsShutdown, true, true, true, 5001},
                                   {1, R::kTaskManager, true, true, true, 5001},
                                   {0, R::kUserClose, false, true, true, 0},
                                   {0, R::kUserClose, true, true, true, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.closeType << ", reason "
                                    << static_cast<int>(c.reason) << ", waiting " << c.waiting);
    LoginRig rig;
    rig.context.Store.CloseType = c.closeType;
    rig.context.WaitInProgress = c.waiting;
    rig.window.Load();
    rig.window.visible = true;
    EXPECT_EQ(rig.window.Close(c.reason), c.closes);
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
      {"2 writes the user's value", 2, {}, no, no, own, no},
      {"2 leaves a stale value as it is", 2, {}, stale, no, stale, no},
      {"3 to 2 moves the value to the user", 2, {}, no, own, own, no},
      {"3 writes the machine's value", 3, {}, no, no, no, own},
      {"2 to 3 moves the value to the machine", 3, {}, own, no, no, own},
      {"1, all-users and user items: machine", 1, {"Execute", "ExecuteRegAU"}, own, no, no, own},
      {"1 with an all-users shortcut", 1, {"ExecuteAU"}, no, no, no, own},
      {"1 with user items only", 1, {"ExecuteReg"}, no, own, own, no},
      {"1 counts items of any command word", 1, {"Close"}, no, no, own, no},
      {"1 without items removes a value", 1, {}, stale, own, no, no},
      {"an unknown type changes nothing", 7, {}, stale, no, stale, no}};
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

const std::string kProgGroupFile = kFolder + "\\Tester\\proggroup.c";

// A whole login start from proggroup.c, which another program holds open
// at first: it is waited for with one log line and no box, then each item
// starts after its own wait, and the run ends with the window closed for
// good, which registers the machine-wide start for the all-users items. Held
// for good, the run gives up after two minutes and says why, once.
TEST(MainTest, AWholeLoginRunFromAFileHeldOpenAWhile) {
  for (const bool freed : {true, false}) {
    SCOPED_TRACE(freed ? "freed after 9 s" : "held for good");
    MainRig rig({Program("Execute", "Tool.lnk", 0), Program("ExecuteAU", "Shared.lnk", 0.5f),
                 Program("ExecuteReg", "C:\\Tools\\reg.exe", 1, "/min"),
                 Program("ExecuteRegAU", "C:\\Tools\\machine.exe", 2)},
                1);
    rig.world.AddFile(kCurrentUserItems + "Tool.lnk", "L");
    rig.world.AddFile(kAllUsersItems + "Shared.lnk", "L");
    rig.world.LockFile(kProgGroupFile);
    if (freed)
      rig.world.ScheduleMessage(9000, [&] { rig.world.LockFile(kProgGroupFile, false); });
    EXPECT_EQ(rig.Start("\"C:\\Program Files\\Vantrel\\Vantrel.exe\" -nogui"), MainOutcome::kEnded);
    const Lines log = rig.LogLines();
    EXPECT_EQ(log.at(0), "Warning: proggroup.c is held open by another program; waiting for it.");
    EXPECT_EQ(rig.platform.messageBoxes().size(), freed ? 0u : 1u);
    if (!freed) {
      EXPECT_TRUE(rig.Starts().empty());
      EXPECT_EQ(rig.platform.messageBoxes().at(0).caption, "Vantrel - Error");
      EXPECT_GE(rig.world.Now(), 120000u);
      continue;
    }
    EXPECT_EQ(rig.Starts(),
              (Lines{kCurrentUserItems + "Tool.lnk|@11000", kAllUsersItems + "Shared.lnk|@11500",
                     "C:\\Tools\\reg.exe|/min@12500", "C:\\Tools\\machine.exe|@14500"}));
    EXPECT_EQ(rig.window.events, (Lines{"load@10000", "closed@14500"}));
    EXPECT_EQ(rig.RunValue(kHkeyLocalMachine), kOwnRun);
  }
}

// Windows before 10 1903 hands names outside its code page over with "?"
// in place of each such character: the start names the one that did not
// pass and writes nothing, in both modes.
TEST(MainTest, AProgramFolderOrLogonNameThatDidNotPassIsNamedAndNothingWritten) {
  const struct {
    std::string module, user, named;
  } rows[] = {{"C:\\??\\Vantrel\\Vantrel.exe", "Tester", "C:\\??\\Vantrel."},
              {"C:\\Program Files\\Vantrel\\Vantrel.exe", "??", "logon name ??."}};
  for (const auto& row : rows)
    for (const char* commandLine : {"Vantrel.exe", "Vantrel.exe -nogui"}) {
      SCOPED_TRACE(row.named + ", " + commandLine);
      sim::SimWorld world;
      sim::SimPlatform platform(world, {row.module, "", "", row.user});
      platform.SetCommandLine(commandLine);
      AppContext context(platform);
      FakeMainWindow window(context, world);
      const auto before = world.ListAll();
      EXPECT_EQ(Main(context, window), MainOutcome::kEnded);
      ASSERT_EQ(platform.messageBoxes().size(), 1u);
      EXPECT_NE(platform.messageBoxes()[0].text.find(row.named + " " + NameNotPassedReason()),
                std::string::npos)
          << platform.messageBoxes()[0].text;
      EXPECT_FALSE(window.loaded);
      EXPECT_EQ(world.ListAll(), before);
    }
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
  // The stopped menu's Run All starts every stopped program.
  context.Store.StoppedPrograms = {"C:\\Tools\\s.exe", "", "C:\\Tools\\t.exe"};
  BuildTrayMenu(context);
  choose(context.Tray.StoppedRunAllId);
  EXPECT_EQ(Starts().size(), 5u);

  context.GuiMode = false;
  window.visible = false;
  EXPECT_EQ(choose(context.Tray.TrayOpenId), (Lines{"refresh@3000", "show@3000"}));
  window.minimized = true;
  EXPECT_EQ(choose(context.Tray.TrayOpenId), (Lines{"restore@3000", "show@3000"}));
  context.GuiMode = true;
  EXPECT_EQ(choose(context.Tray.TrayOpenId), Lines{"show@3000"});
  for (std::int32_t nothing : {0, -5, 999, 4000})
    EXPECT_TRUE(choose(nothing).empty());
  EXPECT_EQ(Starts().size(), 5u);
  choose(context.Tray.TrayQuitId);
  EXPECT_FALSE(window.loaded) << "quit closes for good under close type 1";
}

} // namespace
} // namespace vantrel::login_test
