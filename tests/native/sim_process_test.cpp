// Simulated processes on one machine: what they share and what each owns,
// shell-executes with their handles, message boxes and special folders.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/platform/sim/sim_platform.h"

namespace vantrel::sim {
namespace {

TEST(SimProcess, TwoProcessesShareOneMachine) {
  SimWorld world;
  auto first = std::make_unique<SimPlatform>(world);
  SimProcessOptions options;
  options.commandLine = "\"C:\\Program Files\\Vantrel\\Vantrel.exe\" -nogui";
  options.currentDirectory = "C:\\Users\\Tester";
  options.userName = "Other";
  SimPlatform second(world, options);

  EXPECT_EQ("C:\\Program Files\\Vantrel\\Vantrel.exe", first->GetModuleFileName());
  EXPECT_EQ("\"C:\\Program Files\\Vantrel\\Vantrel.exe\"", first->GetCommandLine());
  EXPECT_EQ("C:\\Program Files\\Vantrel", first->GetCurrentDirectory());
  EXPECT_EQ("Tester", first->GetUserName());
  EXPECT_EQ(options.commandLine, second.GetCommandLine());
  EXPECT_EQ("Other", second.GetUserName());

  bool exists = true;
  EXPECT_TRUE(first->CreateNamedMutex("VantrelRunning", &exists));
  EXPECT_FALSE(exists);
  EXPECT_TRUE(second.CreateNamedMutex("VantrelRunning", &exists));
  EXPECT_TRUE(exists);
  EXPECT_TRUE(second.CreateNamedMutex("", &exists));
  EXPECT_FALSE(exists) << "an unnamed mutex is never shared";

  // Relative paths follow each process's own current directory.
  ASSERT_TRUE(first->WriteWholeFile("log.txt", "first"));
  std::string bytes;
  EXPECT_FALSE(second.ReadWholeFile("log.txt", &bytes));
  EXPECT_TRUE(second.ReadWholeFile("C:\\Program Files\\Vantrel\\LOG.TXT", &bytes));
  EXPECT_EQ("first", bytes);
  RegKey key = 0;
  ASSERT_EQ(0, first->RegCreateKey(kHkeyCurrentUser, "Software\\Shared", &key));
  EXPECT_EQ(win32err::kInvalidHandle, second.RegCloseKey(key)) << "handles are per process";
  EXPECT_EQ(0, second.RegDeleteKey(kHkeyCurrentUser, "Software\\Shared"));
  EXPECT_EQ(1018, first->RegSetValue(key, "x", kRegSz, nullptr, 0));
  first->RegCloseKey(key);

  // The mutex lives until both holders end.
  first.reset();
  EXPECT_TRUE(world.MutexHeld("VantrelRunning"));
  {
    SimPlatform third(world);
    EXPECT_TRUE(third.CreateNamedMutex("VantrelRunning", &exists));
    EXPECT_TRUE(exists);
  }
}

TEST(SimProcess, MutexFreedWhenItsProcessEnds) {
  SimWorld world;
  bool exists = true;
  {
    SimPlatform first(world);
    first.CreateNamedMutex("Only", &exists);
  }
  EXPECT_FALSE(world.MutexHeld("Only"));
  SimPlatform next(world);
  EXPECT_TRUE(next.CreateNamedMutex("Only", &exists));
  EXPECT_FALSE(exists);
}

TEST(SimProcess, WindowsAreFoundByTitle) {
  SimWorld world;
  SimPlatform platform(world);
  EXPECT_FALSE(platform.ActivateWindowByTitle("Vantrel Startup Manager"));
  EXPECT_NE(0u, world.AddWindow("Vantrel Startup Manager"));
  EXPECT_TRUE(platform.ActivateWindowByTitle("vantrel startup MANAGER"));
  EXPECT_FALSE(platform.ActivateWindowByTitle("Vantrel"));
  world.RemoveWindow("Vantrel Startup Manager");
  EXPECT_FALSE(platform.ActivateWindowByTitle("Vantrel Startup Manager"));
  EXPECT_EQ(std::vector<std::string>{"Vantrel Startup Manager"}, world.activations());
}

TEST(SimProcess, ShellExecuteRecordsCallsAndTracksHandles) {
  SimWorld world;
  SimPlatform platform(world);
  world.AddFile("C:\\Tools\\tool.exe", "MZ");
  platform.Sleep(1500);
  ShellExecuteInfo info;
  info.mask = kSeeMaskNoCloseProcess | kSeeMaskInvokeIdList | kSeeMaskFlagNoUi;
  info.file = "C:\\Tools\\tool.exe";
  info.parameters = "/quiet";
  EXPECT_TRUE(platform.ShellExecuteEx(&info));
  EXPECT_NE(0u, info.process);
  EXPECT_EQ(1u, platform.openProcessHandles());
  EXPECT_TRUE(platform.CloseHandle(info.process));
  EXPECT_FALSE(platform.CloseHandle(info.process));
  EXPECT_EQ(0u, platform.openProcessHandles());
  ASSERT_EQ(1u, platform.shellExecutes().size());
  const ShellExecuteRecord& record = platform.shellExecutes()[0];
  EXPECT_TRUE(record.extended);
  EXPECT_EQ(0x44Cu, record.mask);
  EXPECT_EQ("/quiet", record.parameters);
  EXPECT_EQ(1500u, record.atMs);
  EXPECT_TRUE(record.succeeded);

  info.mask = 0;
  EXPECT_TRUE(platform.ShellExecuteEx(&info));
  EXPECT_EQ(0u, info.process) << "no handle unless asked for";

  // Scripted failures: by predicate, and for files that do not exist.
  platform.shellExecuteFails = [](const ShellExecuteRecord& call) {
    return call.file.find("broken") != std::string::npos;
  };
  info.mask = kSeeMaskNoCloseProcess;
  info.file = "C:\\broken.exe";
  EXPECT_FALSE(platform.ShellExecuteEx(&info));
  EXPECT_EQ(0u, info.process);
  platform.SetFailMissingFiles(true);
  struct Row {
    const char* file;
    const char* directory;
    bool starts;
  };
  const Row rows[] = {
      {"C:\\Tools\\tool.exe", "", true},
      {"tool.exe", "C:\\Tools", true},
      {"C:\\Tools\\none.exe", "", false},
      {"\"C:\\Tools\\tool.exe\"", "", false},
      {"https://example.org/x", "", true},
      {"mailto:help@example.org", "", true},
      {"", "", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    EXPECT_EQ(row.starts ? 42 : 2,
              platform.ShellExecute(0, "open", row.file, "", row.directory, kSwShowNormal));
  }
  EXPECT_FALSE(platform.shellExecutes().back().extended);
  EXPECT_EQ(0u, platform.openProcessHandles());
}

TEST(SimProcess, MessageBoxesAnswerAsScripted) {
  SimWorld world;
  SimPlatform platform(world);
  EXPECT_EQ(kIdOk, platform.MessageBox(5, "Hello", "Vantrel", kMbOk | kMbIconInformation));
  EXPECT_EQ(kIdYes, platform.MessageBox(0, "Sure?", "Vantrel", kMbYesNo | kMbIconQuestion));
  platform.QueueMessageBoxAnswer(kIdNo);
  platform.QueueMessageBoxAnswer(kIdCancel);
  EXPECT_EQ(kIdNo, platform.MessageBox(0, "Sure?", "Vantrel", kMbYesNo));
  EXPECT_EQ(kIdCancel, platform.MessageBox(0, "Again", "Vantrel", kMbOk));
  EXPECT_EQ(kIdOk, platform.MessageBox(0, "Last", "Vantrel", kMbOk));
  ASSERT_EQ(5u, platform.messageBoxes().size());
  const MessageBoxRecord& first = platform.messageBoxes()[0];
  EXPECT_EQ(5u, first.owner);
  EXPECT_EQ("Hello", first.text);
  EXPECT_EQ("Vantrel", first.caption);
  EXPECT_EQ(kMbOk | kMbIconInformation, first.flags);
  EXPECT_EQ(kIdNo, platform.messageBoxes()[2].answer);
}

TEST(SimProcess, SpecialFoldersExistAndCanBeChanged) {
  SimWorld world;
  SimPlatform platform(world);
  const int known[] = {kCsidlPrograms,        kCsidlStartup,        kCsidlStartMenu,
                       kCsidlCommonStartMenu, kCsidlCommonPrograms, kCsidlCommonStartup};
  for (const int csidl : known) {
    SCOPED_TRACE(csidl);
    std::string path;
    ASSERT_TRUE(platform.GetSpecialFolderPath(csidl, &path));
    EXPECT_TRUE(world.IsFolder(path));
  }
  std::string path;
  ASSERT_TRUE(platform.GetSpecialFolderPath(kCsidlStartup, &path));
  EXPECT_EQ(
      "C:\\Users\\Tester\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup",
      path);
  ASSERT_TRUE(platform.GetSpecialFolderPath(kCsidlCommonStartup, &path));
  EXPECT_EQ("C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp", path);
  path = "unchanged";
  EXPECT_FALSE(platform.GetSpecialFolderPath(5, &path));
  EXPECT_EQ("unchanged", path);
  world.SetSpecialFolder(5, "C:\\Docs");
  EXPECT_TRUE(platform.GetSpecialFolderPath(5, &path));
  world.RemoveSpecialFolder(kCsidlStartup);
  EXPECT_FALSE(platform.GetSpecialFolderPath(kCsidlStartup, &path));
  EXPECT_TRUE(
      world.RegKeyExists(kHkeyCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"));
  EXPECT_TRUE(
      world.RegKeyExists(kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"));
}

} // namespace
} // namespace vantrel::sim
