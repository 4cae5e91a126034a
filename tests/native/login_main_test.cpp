// Vantrel's entry on the simulated machine: the second instance, the
// windowed start, the -nogui start with each startup type, and a whole
// login run from a proggroup.c on disk.

#include <gtest/gtest.h>

#include "login_test_support.h"
#include "vantrel/main_entry.h"
#include "vantrel/refresh_startup_items.h"

namespace vantrel::login_test {
namespace {

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

} // namespace
} // namespace vantrel::login_test

namespace vantrel::login_test {
namespace {

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

} // namespace
} // namespace vantrel::login_test
