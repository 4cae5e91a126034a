// Delaying, stopping and putting back Run values of both scopes: what lands
// in the Run keys, Vantrel's stores, the model and the backup files, the
// split of the command, and what happens when a value cannot be moved.

#include <gtest/gtest.h>

#include "moves_test_support.h"
#include "store_test_support.h"
#include "vantrel/registry_backup.h"
#include "vantrel/registry_moves.h"

namespace vantrel::moves_test {
namespace {

using items::CheckedItems;
using store_test::CrLf;

const std::string kBackupName = "14 05 09.reg";
const std::string kUserKeyLine =
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]";
const std::string kMachineKeyLine =
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]";

struct Scope {
  const char* name;
  int kind;
  RegKey root;
  std::string command;
  std::string prefix;
  std::string keyLine;
};

const std::vector<Scope> kScopes = {
    {"current user", 1, kHkeyCurrentUser, "ExecuteReg", "_REGCU_", kUserKeyLine},
    {"all users", 0, kHkeyLocalMachine, "ExecuteRegAU", "_REGAU_", kMachineKeyLine},
};

TEST(MovesRegistry, DelayOfToolMovesTheValueRecordsItAndBacksItUp) {
  MovesMachine m;
  m.AddRunValue(kHkeyCurrentUser, "Tool", "C:\\T\\t.exe /q");
  EXPECT_TRUE(items::DelayRegistryItem(m.session, "Tool=C:\\T\\t.exe /q",
                                       ItemKind::kCurrentUserRunValue, items::MoveTo::kDelayed,
                                       items::From::kListed));

  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "Tool"), std::nullopt);
  EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "Tool"), "C:\\T\\t.exe /q");
  // The blank before the parameters stays with the path until the model is
  // read again.
  EXPECT_EQ(m.Delayed(),
            std::vector<ProgramEntry>{Program("ExecuteReg", "C:\\T\\t.exe ", "/q", "Tool")});
  EXPECT_EQ(m.BackupFiles(), std::vector<std::string>{kBackupName});
  const std::string expected = "Windows Registry Editor Version 5.00\r\n"
                               "\r\n"
                               "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion"
                               "\\Run]\r\n"
                               "\"Tool\"=\"C:\\\\T\\\\t.exe /q\"\r\n";
  EXPECT_EQ(m.BackupText(kBackupName), expected);
  m.Reload();
  EXPECT_EQ(m.Delayed(),
            std::vector<ProgramEntry>{Program("ExecuteReg", "C:\\T\\t.exe", "/q", "Tool")});
}

TEST(MovesRegistry, DelayAndStopInBothScopes) {
  for (const Scope& scope : kScopes) {
    for (const bool stop : {false, true}) {
      SCOPED_TRACE(std::string(scope.name) + (stop ? ", stop" : ", delay"));
      MovesMachine m;
      m.AddRunValue(scope.root, "Agent", "\"C:\\Program Files\\A\\agent.exe\" -min");
      m.AddRunValue(scope.root, "Other", "C:\\o.exe");
      EXPECT_TRUE(items::DelayRegistryItem(
          m.session, "Agent=\"C:\\Program Files\\A\\agent.exe\" -min", ItemKind(scope.kind),
          stop ? items::MoveTo::kStopped : items::MoveTo::kDelayed, items::From::kListed));
      m.Reload();
      EXPECT_EQ(m.RunValue(scope.root, "Agent"), std::nullopt);
      EXPECT_EQ(m.RunValue(scope.root, "Other"), "C:\\o.exe");
      EXPECT_EQ(m.StoredValue(scope.root, "Agent"), "\"C:\\Program Files\\A\\agent.exe\" -min");
      if (stop) {
        EXPECT_TRUE(m.Delayed().empty());
        // The file keeps no quotes in stopped entries.
        EXPECT_EQ(m.Stopped(),
                  std::vector<std::string>{scope.prefix + "C:\\Program Files\\A\\agent.exe"});
        // Delaying it again finds the value by the path the tree shows.
        EXPECT_TRUE(items::DelayRegistryItem(m.session, "C:\\Program Files\\A\\agent.exe",
                                             ItemKind(scope.kind), items::MoveTo::kDelayed,
                                             items::From::kStopped));
        m.Reload();
        EXPECT_TRUE(m.Stopped().empty());
        EXPECT_EQ(m.Delayed().size(), 1u);
      } else {
        EXPECT_EQ(m.Delayed(),
                  std::vector<ProgramEntry>{Program(
                      scope.command, "\"C:\\Program Files\\A\\agent.exe\"", "-min", "Agent")});
        EXPECT_TRUE(m.Stopped().empty());
      }
      EXPECT_EQ(m.BackupText(kBackupName),
                CrLf({"Windows Registry Editor Version 5.00", "", scope.keyLine,
                      "\"Agent\"=\"\\\"C:\\\\Program Files\\\\A\\\\agent.exe\\\" -min\""}));
    }
  }
}

TEST(MovesRegistry, CommandSplitKeepsTheValueWhole) {
  struct Case {
    const char* name;
    std::string data;
    std::string path, parameters; // after the model is read again
    std::string backupLine;
  };
  const std::vector<Case> cases = {
      {"quoted path with a switch", "\"C:\\P F\\t.exe\" /s", "\"C:\\P F\\t.exe\"", "/s",
       "\"V\"=\"\\\"C:\\\\P F\\\\t.exe\\\" /s\""},
      {"ends in .EXE", "C:\\TOOLS\\T.EXE", "C:\\TOOLS\\T.EXE", "",
       "\"V\"=\"C:\\\\TOOLS\\\\T.EXE\""},
      {"no .exe at all", "C:\\b\\run.bat -x 1", "C:\\b\\run.bat -x 1", "",
       "\"V\"=\"C:\\\\b\\\\run.bat -x 1\""},
      {"an = inside the data", "C:\\t.exe x=1", "C:\\t.exe", "x=1", "\"V\"=\"C:\\\\t.exe x=1\""},
      {"parameters that also occur in the path", "C:\\q\\t.exe q", "C:\\q\\t.exe", "q",
       "\"V\"=\"C:\\\\q\\\\t.exe q\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MovesMachine m;
    m.AddRunValue(kHkeyCurrentUser, "V", c.data);
    const CheckedItems checked{{"V=" + c.data}, {}, {}};
    EXPECT_TRUE(items::ApplyCheckedRegistryItems(m.session, checked, items::MoveTo::kDelayed,
                                                 items::CheckedStopped::kLeave));
    m.Reload();
    EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "V"), c.data);
    EXPECT_EQ(m.Delayed(),
              std::vector<ProgramEntry>{Program("ExecuteReg", c.path, c.parameters, "V")});
    EXPECT_EQ(m.BackupText(kBackupName),
              CrLf({"Windows Registry Editor Version 5.00", "", kUserKeyLine, c.backupLine}));
  }
}

TEST(MovesRegistry, StopOfADelayedValueKeepsTheStoredDataAsItWas) {
  MovesMachine m;
  m.world.RegSetString(kHkeyCurrentUser, kUserStore, "Solo", "C:\\s.exe");
  m.SetModel({Program("ExecuteReg", "C:\\s.exe", "", "Solo")}, {});
  // The tree rebuilds the text from path and parameters: a blank is left.
  EXPECT_TRUE(items::DelayRegistryItem(m.session, "Solo=C:\\s.exe ", ItemKind::kCurrentUserRunValue,
                                       items::MoveTo::kStopped, items::From::kListed));
  m.Reload();
  EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "Solo"), "C:\\s.exe");
  EXPECT_TRUE(m.Delayed().empty());
  EXPECT_EQ(m.Stopped(), std::vector<std::string>{"_REGCU_C:\\s.exe"});
  EXPECT_EQ(m.BackupText(kBackupName), CrLf({"Windows Registry Editor Version 5.00", "",
                                             kUserKeyLine, "\"Solo\"=\"C:\\\\s.exe\""}));
}

TEST(MovesRegistry, DelayOfAStoppedValueFindsItInTheStore) {
  for (const Scope& scope : kScopes) {
    SCOPED_TRACE(scope.name);
    MovesMachine m;
    m.world.RegSetString(scope.root, scope.root == kHkeyCurrentUser ? kUserStore : kMachineStore,
                         "Tool", "C:\\T\\t.exe /q");
    m.SetModel({}, {scope.prefix + "C:\\T\\t.exe"});
    EXPECT_TRUE(items::DelayRegistryItem(m.session, "C:\\T\\t.exe", ItemKind(scope.kind),
                                         items::MoveTo::kDelayed, items::From::kStopped));
    m.Reload();
    EXPECT_EQ(m.Delayed(),
              std::vector<ProgramEntry>{Program(scope.command, "C:\\T\\t.exe", "/q", "Tool")});
    EXPECT_TRUE(m.Stopped().empty());
    EXPECT_EQ(m.StoredValue(scope.root, "Tool"), "C:\\T\\t.exe /q");
    EXPECT_EQ(m.RunValue(scope.root, "Tool"), std::nullopt);
  }
}

TEST(MovesRegistry, RestoreWritesTheExactValueBack) {
  for (const Scope& scope : kScopes) {
    for (const bool fromStopped : {false, true}) {
      SCOPED_TRACE(std::string(scope.name) + (fromStopped ? ", stopped" : ", delayed"));
      MovesMachine m;
      const std::string store = scope.root == kHkeyCurrentUser ? kUserStore : kMachineStore;
      m.world.RegSetString(scope.root, store, "Solo", "C:\\s.exe");
      m.world.RegSetString(scope.root, store, "Tool", "C:\\T\\t.exe /q");
      if (fromStopped)
        m.SetModel({}, {scope.prefix + "C:\\s.exe", scope.prefix + "C:\\T\\t.exe"});
      else
        m.SetModel({Program(scope.command, "C:\\s.exe", "", "Solo"),
                    Program(scope.command, "C:\\T\\t.exe", "/q", "Tool")},
                   {});
      items::RestoreRegistryItem(m.session, fromStopped ? "C:\\s.exe" : "Solo=C:\\s.exe ",
                                 ItemKind(scope.kind),
                                 fromStopped ? items::From::kStopped : items::From::kListed);
      items::RestoreRegistryItem(m.session, fromStopped ? "C:\\T\\t.exe" : "Tool=C:\\T\\t.exe /q",
                                 ItemKind(scope.kind),
                                 fromStopped ? items::From::kStopped : items::From::kListed);
      EXPECT_EQ(m.RunValue(scope.root, "Solo"), "C:\\s.exe");
      EXPECT_EQ(m.RunValue(scope.root, "Tool"), "C:\\T\\t.exe /q");
      EXPECT_TRUE(m.world.RegValueNames(scope.root, store).empty());
      EXPECT_TRUE(m.Delayed().empty());
      EXPECT_TRUE(m.Stopped().empty());
      EXPECT_TRUE(m.BackupFiles().empty()) << "no backup when putting back";
    }
  }
}

TEST(MovesRegistry, EmptyTextChangesNothing) {
  MovesMachine m;
  m.AddRunValue(kHkeyCurrentUser, "Tool", "C:\\t.exe");
  EXPECT_FALSE(items::DelayRegistryItem(m.session, "", ItemKind::kCurrentUserRunValue,
                                        items::MoveTo::kDelayed, items::From::kListed));
  items::RestoreRegistryItem(m.session, "", ItemKind::kCurrentUserRunValue, items::From::kListed);
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "Tool"), "C:\\t.exe");
  EXPECT_FALSE(m.world.Exists(kFolder + "\\Delayed Registry"));
}

TEST(MovesRegistry, AllUsersValueWithoutAdministratorRightsIsNotRecorded) {
  for (const bool stop : {false, true}) {
    SCOPED_TRACE(stop ? "stop" : "delay");
    MovesMachine m;
    m.AddRunValue(kHkeyLocalMachine, "Agent", "C:\\a.exe");
    m.SetModel({}, {});
    m.world.SetAdmin(false);
    EXPECT_FALSE(items::DelayRegistryItem(m.session, "Agent=C:\\a.exe", ItemKind::kAllUsersRunValue,
                                          stop ? items::MoveTo::kStopped : items::MoveTo::kDelayed,
                                          items::From::kListed));
    m.Reload();
    EXPECT_EQ(m.RunValue(kHkeyLocalMachine, "Agent"), "C:\\a.exe");
    EXPECT_FALSE(m.world.RegKeyExists(kHkeyLocalMachine, kMachineStore));
    EXPECT_TRUE(m.Delayed().empty());
    EXPECT_TRUE(m.Stopped().empty());
    // The backup was written before the registry was touched.
    EXPECT_EQ(m.BackupText(kBackupName), CrLf({"Windows Registry Editor Version 5.00", "",
                                               kMachineKeyLine, "\"Agent\"=\"C:\\\\a.exe\""}));
    m.session.failures.Show(m.context, kWindow);
    EXPECT_EQ(m.MessageTexts(),
              std::vector<std::string>{ExpectedBox(
                  kRunValuesFailed,
                  {"Agent: Items of all users can only be changed with administrator rights."})});
  }
}

TEST(MovesRegistry, AValueWhoseStoreCopyDoesNotReadBackStaysInTheRunKey) {
  MovesMachine m;
  m.AddRunValue(kHkeyCurrentUser, "Tool", "C:\\t.exe");
  m.SetModel({}, {});
  m.world.faults = [](sim::SimOp op, const std::string& subject) {
    return op == sim::SimOp::kRegSetValue && subject.find("Korvane") != std::string::npos;
  };
  const CheckedItems checked{{"Tool=C:\\t.exe"}, {}, {}};
  EXPECT_TRUE(items::ApplyCheckedRegistryItems(m.session, checked, items::MoveTo::kDelayed,
                                               items::CheckedStopped::kLeave));
  m.Reload();
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "Tool"), "C:\\t.exe");
  EXPECT_TRUE(m.Delayed().empty());
  EXPECT_EQ(m.BackupFiles(), std::vector<std::string>{kBackupName});
  EXPECT_EQ(m.session.failures.Text(m.context),
            ExpectedBox(kRunValuesFailed, {"Tool: Its copy in Vantrel's store could not be read "
                                           "back, so it was left where it was."}));
}

TEST(MovesRegistry, AValueThatCannotLeaveTheRunKeyLeavesNoCopyInTheStore) {
  MovesMachine m;
  m.AddRunValue(kHkeyCurrentUser, "Tool", "C:\\t.exe");
  m.world.faults = [](sim::SimOp op, const std::string& subject) {
    return op == sim::SimOp::kRegDeleteValue && subject.find("\\Run\\") != std::string::npos;
  };
  EXPECT_FALSE(items::DelayRegistryItem(m.session, "Tool=C:\\t.exe", ItemKind::kCurrentUserRunValue,
                                        items::MoveTo::kDelayed, items::From::kListed));
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "Tool"), "C:\\t.exe");
  EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "Tool"), std::nullopt);
  EXPECT_TRUE(m.Delayed().empty());
  EXPECT_EQ(m.session.failures.Text(m.context),
            ExpectedBox(kRunValuesFailed, {"Tool: It could not be removed from the Run key, so it "
                                           "was left where it was."}));
}

TEST(MovesRegistry, AStoredValueOfTheSameNameIsNeverReplaced) {
  MovesMachine m;
  m.AddRunValue(kHkeyCurrentUser, "Tool", "C:\\new.exe");
  m.world.RegSetString(kHkeyCurrentUser, kUserStore, "Tool", "C:\\old.exe");
  m.SetModel({}, {"_REGCU_C:\\old.exe"});
  EXPECT_FALSE(items::DelayRegistryItem(m.session, "Tool=C:\\new.exe",
                                        ItemKind::kCurrentUserRunValue, items::MoveTo::kDelayed,
                                        items::From::kListed));
  EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "Tool"), "C:\\old.exe");
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "Tool"), "C:\\new.exe");
  EXPECT_TRUE(m.Delayed().empty());
}

// A stopped value whose data is gone from the store stays stopped when the
// user delays it: nothing is moved or recorded and no value line is
// written. Putting it back with the toolbar drops the dead entry.
TEST(MovesRegistry, StoppedValueWithoutStoredData) {
  {
    SCOPED_TRACE("popup Delay");
    MovesMachine m;
    m.SetModel({}, {"_REGCU_C:\\gone.exe"});
    EXPECT_FALSE(items::DelayRegistryItem(m.session, "C:\\gone.exe", ItemKind::kCurrentUserRunValue,
                                          items::MoveTo::kDelayed, items::From::kStopped));
    m.Reload();
    EXPECT_EQ(m.Stopped(), std::vector<std::string>{"_REGCU_C:\\gone.exe"});
    EXPECT_TRUE(m.Delayed().empty());
    EXPECT_TRUE(m.BackupFiles().empty());
    EXPECT_FALSE(m.world.RegKeyExists(kHkeyCurrentUser, kUserStore));
    EXPECT_EQ(m.session.failures.Text(m.context),
              ExpectedBox(kRunValuesFailed, {"C:\\gone.exe: Its data is no longer in Vantrel's "
                                             "store, so it stays as it is."}));
  }
  {
    SCOPED_TRACE("popup Run");
    MovesMachine m;
    m.SetModel({}, {"_REGCU_C:\\gone.exe"});
    items::RestoreRegistryItem(m.session, "C:\\gone.exe", ItemKind::kCurrentUserRunValue,
                               items::From::kStopped);
    EXPECT_EQ(m.Stopped(), std::vector<std::string>{"_REGCU_C:\\gone.exe"});
    EXPECT_FALSE(m.session.failures.empty());
  }
  {
    SCOPED_TRACE("toolbar Delay");
    MovesMachine m;
    m.world.RegSetString(kHkeyCurrentUser, kUserStore, "Here", "C:\\here.exe");
    m.SetModel({}, {"_REGCU_C:\\gone.exe", "_REGCU_C:\\here.exe"});
    const CheckedItems checked{{}, {}, {"C:\\gone.exe", "C:\\here.exe"}};
    EXPECT_TRUE(items::ApplyCheckedRegistryItems(m.session, checked, items::MoveTo::kDelayed,
                                                 items::CheckedStopped::kDelayToo));
    m.Reload();
    EXPECT_EQ(m.Stopped(), std::vector<std::string>{"_REGCU_C:\\gone.exe"});
    EXPECT_EQ(m.Delayed(),
              std::vector<ProgramEntry>{Program("ExecuteReg", "C:\\here.exe", "", "Here")});
    EXPECT_EQ(m.session.failures.list().size(), 1u);
  }
  {
    SCOPED_TRACE("toolbar Run");
    MovesMachine m;
    m.SetModel({}, {"_REGCU_C:\\gone.exe"});
    EXPECT_TRUE(items::RestoreCheckedRegistryItems(m.session, {{}, {}, {"C:\\gone.exe"}}));
    m.Reload();
    EXPECT_TRUE(m.Stopped().empty());
    EXPECT_TRUE(m.session.failures.empty());
  }
}

TEST(MovesRegistry, ToolbarDelayWithNoCheckedWindowsValueLeavesNoBackup) {
  MovesMachine m;
  m.world.RegSetString(kHkeyCurrentUser, kUserStore, "Tool", "C:\\t.exe");
  m.SetModel({}, {"_REGCU_C:\\t.exe"});
  EXPECT_TRUE(items::ApplyCheckedRegistryItems(m.session, {{}, {}, {"C:\\t.exe"}},
                                               items::MoveTo::kDelayed,
                                               items::CheckedStopped::kDelayToo));
  // The file was made and deleted again through the shell; the day's
  // folder stays.
  ASSERT_EQ(m.platform.shFileOperations().size(), 1u);
  const auto& op = m.platform.shFileOperations()[0];
  EXPECT_EQ(op.func, kFoDelete);
  EXPECT_EQ(op.from, std::vector<std::string>{kBackupDay + "\\" + kBackupName});
  EXPECT_EQ(op.title, "Deleting");
  EXPECT_EQ(op.flags, 0x14u);
  EXPECT_EQ(op.hwnd, kWindow);
  EXPECT_TRUE(m.world.IsFolder(kBackupDay));
  EXPECT_TRUE(m.BackupFiles().empty());
}

TEST(MovesRegistry, ToolbarCommandsOnCheckedValues) {
  struct Case {
    const char* name;
    bool apply, stop, delayStopped, restore;
    std::vector<std::string> runKey;       // names, in order
    std::vector<std::string> store;        // names, in order
    std::vector<std::string> delayedNames; // of the "Startup" programs
    std::vector<std::string> stopped;
    std::vector<std::string> backupValueLines; // empty: no backup file
  };
  const std::vector<Case> cases = {
      {"Save",
       true,
       false,
       false,
       true,
       {"D", "S"},
       {"W1", "W2"},
       {"W1", "W2"},
       {},
       {"\"W1\"=\"C:\\\\w1.exe\"", "\"W2\"=\"C:\\\\w2.exe -a\""}},
      {"Delay",
       true,
       false,
       true,
       false,
       {},
       {"D", "S", "W1", "W2"},
       {"D", "W1", "W2", "S"},
       {},
       {"\"W1\"=\"C:\\\\w1.exe\"", "\"W2\"=\"C:\\\\w2.exe -a\""}},
      {"Stop",
       true,
       true,
       true,
       false,
       {},
       {"D", "S", "W1", "W2"},
       {},
       {"_REGCU_C:\\s.exe", "_REGCU_C:\\w1.exe", "_REGCU_C:\\w2.exe", "_REGCU_C:\\d.exe"},
       {"\"W1\"=\"C:\\\\w1.exe\"", "\"W2\"=\"C:\\\\w2.exe -a\""}},
      {"Run", false, false, false, true, {"W1", "W2", "D", "S"}, {}, {}, {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MovesMachine m;
    m.AddRunValue(kHkeyCurrentUser, "W1", "C:\\w1.exe");
    m.AddRunValue(kHkeyCurrentUser, "W2", "C:\\w2.exe -a");
    m.world.RegSetString(kHkeyCurrentUser, kUserStore, "D", "C:\\d.exe");
    m.world.RegSetString(kHkeyCurrentUser, kUserStore, "S", "C:\\s.exe");
    m.SetModel({Program("ExecuteReg", "C:\\d.exe", "", "D")}, {"_REGCU_C:\\s.exe"});
    const CheckedItems checked{
        {"W1=C:\\w1.exe", "W2=C:\\w2.exe -a"}, {"D=C:\\d.exe "}, {"C:\\s.exe"}};
    if (c.apply) {
      EXPECT_TRUE(items::ApplyCheckedRegistryItems(
          m.session, checked, c.stop ? items::MoveTo::kStopped : items::MoveTo::kDelayed,
          c.delayStopped ? items::CheckedStopped::kDelayToo : items::CheckedStopped::kLeave));
    }
    if (c.restore) {
      EXPECT_TRUE(items::RestoreCheckedRegistryItems(m.session, checked));
    }
    m.Reload();
    EXPECT_EQ(m.world.RegValueNames(kHkeyCurrentUser, kRunKey), c.runKey);
    EXPECT_EQ(m.world.RegValueNames(kHkeyCurrentUser, kUserStore), c.store);
    std::vector<std::string> delayedNames;
    for (const auto& program : m.Delayed())
      delayedNames.push_back(program.RegistryName);
    EXPECT_EQ(delayedNames, c.delayedNames);
    EXPECT_EQ(m.Stopped(), c.stopped);
    if (c.backupValueLines.empty()) {
      EXPECT_TRUE(m.BackupFiles().empty());
    } else {
      std::string expected = CrLf({"Windows Registry Editor Version 5.00", "", kUserKeyLine});
      for (const auto& line : c.backupValueLines)
        expected += line + "\r\n";
      EXPECT_EQ(m.BackupFiles(), std::vector<std::string>{kBackupName});
      EXPECT_EQ(m.BackupText(kBackupName), expected);
    }
    if (!c.runKey.empty() && c.name == std::string("Run")) {
      EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "D"), "C:\\d.exe") << "the stored data, exactly";
      EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "S"), "C:\\s.exe");
    }
    EXPECT_TRUE(m.session.failures.empty());
  }
}

TEST(MovesRegistry, BackupsWithinOneSecondEachKeepTheirFile) {
  MovesMachine m;
  m.AddRunValue(kHkeyLocalMachine, "A", "C:\\a.exe");
  m.AddRunValue(kHkeyLocalMachine, "B", "C:\\b.exe");
  m.AddRunValue(kHkeyLocalMachine, "C", "C:\\c.exe");
  EXPECT_TRUE(items::DelayRegistryItem(m.session, "A=C:\\a.exe", ItemKind::kAllUsersRunValue,
                                       items::MoveTo::kDelayed, items::From::kListed));
  EXPECT_TRUE(items::DelayRegistryItem(m.session, "B=C:\\b.exe", ItemKind::kAllUsersRunValue,
                                       items::MoveTo::kStopped, items::From::kListed));
  EXPECT_TRUE(items::DelayRegistryItem(m.session, "C=C:\\c.exe", ItemKind::kAllUsersRunValue,
                                       items::MoveTo::kDelayed, items::From::kListed));
  EXPECT_EQ(m.BackupFiles(),
            (std::vector<std::string>{"14 05 09 (2).reg", "14 05 09 (3).reg", "14 05 09.reg"}));
  EXPECT_EQ(m.BackupText("14 05 09.reg"), CrLf({"Windows Registry Editor Version 5.00", "",
                                                kMachineKeyLine, "\"A\"=\"C:\\\\a.exe\""}));
  EXPECT_EQ(m.BackupText("14 05 09 (2).reg"), CrLf({"Windows Registry Editor Version 5.00", "",
                                                    kMachineKeyLine, "\"B\"=\"C:\\\\b.exe\""}));
  // A new second starts a plain name again, in a new day's folder too.
  m.world.clock().Advance(24ull * 3600 * 1000);
  EXPECT_TRUE(items::DelayRegistryItem(m.session, "C=C:\\c.exe", ItemKind::kAllUsersRunValue,
                                       items::MoveTo::kStopped, items::From::kListed));
  EXPECT_EQ(m.world.List(kFolder + "\\Delayed Registry\\2026-06-13"),
            std::vector<std::string>{"14 05 09.reg"});
}

TEST(MovesRegistry, BackupThatCannotBeWrittenLeavesTheRegistryAlone) {
  MovesMachine m;
  m.AddRunValue(kHkeyCurrentUser, "Tool", "C:\\t.exe");
  m.world.SetFolderReadOnly(kFolder);
  EXPECT_FALSE(items::DelayRegistryItem(m.session, "Tool=C:\\t.exe", ItemKind::kCurrentUserRunValue,
                                        items::MoveTo::kDelayed, items::From::kListed));
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "Tool"), "C:\\t.exe");
  EXPECT_FALSE(m.world.RegKeyExists(kHkeyCurrentUser, kUserStore));
  EXPECT_TRUE(m.Delayed().empty());
  EXPECT_EQ(m.session.failures.Text(m.context),
            ExpectedBox(kRunValuesFailed, {"Tool: Its registry backup file could not be written, "
                                           "so the registry was not changed."}));
}

TEST(MovesRegistry, BackupEscapesBackslashesThenQuotes) {
  struct Case {
    std::string name, data, line;
    std::uint32_t type = kRegSz;
  };
  const std::vector<Case> cases = {
      {"Tool", "C:\\T\\t.exe /q", "\"Tool\"=\"C:\\\\T\\\\t.exe /q\""},
      // REG_EXPAND_SZ as UTF-16LE code units of the UTF-8 text: é is e9,00.
      {"X", "%A%\xC3\xA9", "\"X\"=hex(2):25,00,41,00,25,00,e9,00,00,00", kRegExpandSz},
      {"Q\"uote", "\"C:\\a b\\x.exe\" \"arg\\\"\"",
       "\"Q\\\"uote\"=\"\\\"C:\\\\a b\\\\x.exe\\\" "
       "\\\"arg\\\\\\\"\\\"\""},
      {"", "x", "\"\"=\"x\""},
      {"Ümlaut", "C:\\Ä\\ö.exe", "\"Ümlaut\"=\"C:\\\\Ä\\\\ö.exe\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(items::RunValueLine(c.name, c.data, c.type), c.line);
  }
}

} // namespace
} // namespace vantrel::moves_test
