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

TEST(MovesRegistry, DelayAndStopInBothScopes) {
  for (const Scope& scope : kScopes) {
    for (const bool stop : {false, true}) {
      SCOPED_TRACE(std::string(scope.name) + (stop ? ", stop" : ", delay"));
      MovesMachine m;
      m.AddRunValue(scope.root, "Agent", "\"C:\\Program Files\\A\\agent.exe\" -min");
      m.AddRunValue(scope.root, "Other", "C:\\o.exe");
      EXPECT_TRUE(items::DelayRegistryItem(
          m.session, "Agent=\"C:\\Program Files\\A\\agent.exe\" -min", scope.kind, stop, false));
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
                                             scope.kind, false, true));
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
    EXPECT_TRUE(items::ApplyCheckedRegistryItems(m.session, checked, false, false));
    m.Reload();
    EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "V"), c.data);
    EXPECT_EQ(m.Delayed(),
              std::vector<ProgramEntry>{Program("ExecuteReg", c.path, c.parameters, "V")});
    EXPECT_EQ(m.BackupText(kBackupName),
              CrLf({"Windows Registry Editor Version 5.00", "", kUserKeyLine, c.backupLine}));
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
                                 scope.kind, fromStopped);
      items::RestoreRegistryItem(m.session, fromStopped ? "C:\\T\\t.exe" : "Tool=C:\\T\\t.exe /q",
                                 scope.kind, fromStopped);
      EXPECT_EQ(m.RunValue(scope.root, "Solo"), "C:\\s.exe");
      EXPECT_EQ(m.RunValue(scope.root, "Tool"), "C:\\T\\t.exe /q");
      EXPECT_TRUE(m.world.RegValueNames(scope.root, store).empty());
      EXPECT_TRUE(m.Delayed().empty());
      EXPECT_TRUE(m.Stopped().empty());
      EXPECT_TRUE(m.BackupFiles().empty()) << "no backup when putting back";
    }
  }
}

TEST(MovesRegistry, AllUsersValueWithoutAdministratorRightsIsNotRecorded) {
  for (const bool stop : {false, true}) {
    SCOPED_TRACE(stop ? "stop" : "delay");
    MovesMachine m;
    m.AddRunValue(kHkeyLocalMachine, "Agent", "C:\\a.exe");
    m.SetModel({}, {});
    m.world.SetAdmin(false);
    EXPECT_FALSE(items::DelayRegistryItem(m.session, "Agent=C:\\a.exe", 0, stop, false));
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

TEST(MovesRegistry, BackupsWithinOneSecondEachKeepTheirFile) {
  MovesMachine m;
  m.AddRunValue(kHkeyLocalMachine, "A", "C:\\a.exe");
  m.AddRunValue(kHkeyLocalMachine, "B", "C:\\b.exe");
  m.AddRunValue(kHkeyLocalMachine, "C", "C:\\c.exe");
  EXPECT_TRUE(items::DelayRegistryItem(m.session, "A=C:\\a.exe", 0, false, false));
  EXPECT_TRUE(items::DelayRegistryItem(m.session, "B=C:\\b.exe", 0, true, false));
  EXPECT_TRUE(items::DelayRegistryItem(m.session, "C=C:\\c.exe", 0, false, false));
  EXPECT_EQ(m.BackupFiles(),
            (std::vector<std::string>{"14 05 09 (2).reg", "14 05 09 (3).reg", "14 05 09.reg"}));
  EXPECT_EQ(m.BackupText("14 05 09.reg"), CrLf({"Windows Registry Editor Version 5.00", "",
                                                kMachineKeyLine, "\"A\"=\"C:\\\\a.exe\""}));
  EXPECT_EQ(m.BackupText("14 05 09 (2).reg"), CrLf({"Windows Registry Editor Version 5.00", "",
                                                    kMachineKeyLine, "\"B\"=\"C:\\\\b.exe\""}));
  // A new second starts a plain name again, in a new day's folder too.
  m.world.clock().Advance(24ull * 3600 * 1000);
  EXPECT_TRUE(items::DelayRegistryItem(m.session, "C=C:\\c.exe", 0, true, false));
  EXPECT_EQ(m.world.List(kFolder + "\\Delayed Registry\\2026-06-13"),
            std::vector<std::string>{"14 05 09.reg"});
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
