// The login-time launch run: its timeline on the virtual clock, its log
// lines byte for byte, shortcut lookup, the shell's refusals, disallowed
// programs, overflowing delays and what happens to the window at the end.

#include <gtest/gtest.h>

#include "login_test_support.h"
#include "vantrel/start_delay.h"
#include "vantrel/tray_command.h"
#include "vantrel/tray_menu.h"

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

TEST_F(StartDelayTest, BareShortcutNamesAreFoundInTheItemsFolders) {
  struct Case {
    const char* name;
    std::string stored;
    std::vector<std::string> files;
    std::string started; // empty: skipped silently
  };
  const std::vector<Case> cases = {
      {"current user's folder first",
       "Tool.lnk",
       {kCurrentUserItems + "Tool.lnk", kAllUsersItems + "Tool.lnk"},
       kCurrentUserItems + "Tool.lnk"},
      {"then the all users' folder",
       "Tool.lnk",
       {kAllUsersItems + "Tool.lnk"},
       kAllUsersItems + "Tool.lnk"},
      {"found nowhere: skipped", "Tool.lnk", {}, ""},
      {"a full path that exists is used as it is",
       "C:\\Links\\Tool.lnk",
       {"C:\\Links\\Tool.lnk", kCurrentUserItems + "C:\\Links\\Tool.lnk"},
       "C:\\Links\\Tool.lnk"},
      {"only a lower-case .lnk is looked up",
       "Tool.LNK",
       {kCurrentUserItems + "Tool.LNK"},
       "Tool.LNK"},
      {"a quoted name is not looked up",
       "\"Tool.lnk\"",
       {kCurrentUserItems + "Tool.lnk"},
       "\"Tool.lnk\""},
      {"a folder of that name is no shortcut",
       "Tool.lnk",
       {kCurrentUserItems + "Tool.lnk\\inner.txt", kAllUsersItems + "Tool.lnk"},
       kAllUsersItems + "Tool.lnk"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoginRig fresh;
    for (const auto& file : c.files)
      ASSERT_TRUE(fresh.world.AddFile(file, "L"));
    fresh.context.Store.MainStartupDelay = 0;
    fresh.SetStartup({Program("ExecuteAU", c.stored, 2)});
    fresh.LoadHiddenWindow();
    StartDelay(fresh.context, fresh.window);
    if (c.started.empty()) {
      EXPECT_TRUE(fresh.Starts().empty());
      EXPECT_EQ(fresh.LogLines().size(), 2u) << "only the main wait's lines";
      continue;
    }
    EXPECT_EQ(fresh.Starts(), Lines{c.started + "|@2000"});
    // The log shows the name as stored.
    EXPECT_EQ(fresh.LogLines().back(), "Info: 08:00:02  " + c.stored + " ");
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

} // namespace
} // namespace vantrel::login_test
