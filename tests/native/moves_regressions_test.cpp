// Cases the random conservation test found, each as it first went wrong:
// an entry lost or in two places after a command that met a failure, a
// stale tree, or two Run values that start one program.

#include <gtest/gtest.h>

#include "common/store/stopped_programs.h"
#include "moves_test_support.h"
#include "native/sync_sim_machine.h"
#include "vantrel/registry_moves.h"
#include "vantrel/shortcut_moves.h"

namespace vantrel::moves_test {
namespace {

using items::CheckedItems;

const std::string kProgGroup = kFolder + "\\Tester\\proggroup.c";

// Refuses every write of proggroup.c (the new file goes to a .tmp first).
void FailProgGroupWrites(sim::SimWorld& world) {
  world.faults = [](sim::SimOp op, const std::string& subject) {
    return op == sim::SimOp::kFileWrite && subject.find("proggroup.c") != std::string::npos;
  };
}

TEST(MovesRegressions, AMoveWhoseRecordCannotBeSavedIsUndone) {
  // A shortcut, a Run value delayed and a delayed Run value stopped, while
  // proggroup.c cannot be written: each stays where it was, in the file
  // and in memory, and the box says why.
  MovesMachine m;
  m.world.AddFile(kUserStartup + "\\a.lnk", "A");
  m.AddRunValue(kHkeyCurrentUser, "Tool", "C:\\T\\t.exe /q");
  m.world.RegSetString(kHkeyCurrentUser, kUserStore, "D", "C:\\d.exe");
  m.SetModel({Program("ExecuteReg", "C:\\d.exe", "", "D")}, {});
  const std::string fileBefore = *m.world.ReadFile(kProgGroup);
  FailProgGroupWrites(m.world);

  items::DelayShortcutItem(m.session, "a.lnk", ItemKind::kCurrentUserShortcut,
                           items::MoveTo::kDelayed);
  items::DelayRegistryItem(m.session, "Tool=C:\\T\\t.exe /q", ItemKind::kCurrentUserRunValue,
                           items::MoveTo::kDelayed, items::From::kListed);
  items::DelayRegistryItem(m.session, "D=C:\\d.exe", ItemKind::kCurrentUserRunValue,
                           items::MoveTo::kStopped, items::From::kListed);

  EXPECT_TRUE(m.world.Exists(kUserStartup + "\\a.lnk"));
  EXPECT_FALSE(m.world.Exists(kCurrentUserItems + "a.lnk"));
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "Tool"), "C:\\T\\t.exe /q");
  EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "Tool"), std::nullopt);
  // D was only ever in the store: undoing must not put it in the Run key.
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "D"), std::nullopt);
  EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "D"), "C:\\d.exe");
  EXPECT_EQ(m.Delayed(), std::vector<ProgramEntry>{Program("ExecuteReg", "C:\\d.exe", "", "D")});
  EXPECT_TRUE(m.Stopped().empty());
  EXPECT_EQ(*m.world.ReadFile(kProgGroup), fileBefore);
  ASSERT_FALSE(m.session.failures.empty());
  EXPECT_EQ(m.session.failures.list().front().reason, items::reason::ProgramGroupsNotSaved());
}

TEST(MovesRegressions, MovesSavedBeforeALaterFailedSaveStay) {
  MovesMachine m;
  m.world.AddFile(kUserStartup + "\\a.lnk", "A");
  m.world.AddFile(kUserStartup + "\\b.lnk", "B");
  m.SetModel({}, {});
  items::DelayShortcutItem(m.session, "a.lnk", ItemKind::kCurrentUserShortcut,
                           items::MoveTo::kDelayed);
  FailProgGroupWrites(m.world);
  items::DelayShortcutItem(m.session, "b.lnk", ItemKind::kCurrentUserShortcut,
                           items::MoveTo::kDelayed);

  EXPECT_TRUE(m.world.Exists(kCurrentUserItems + "a.lnk"));
  EXPECT_TRUE(m.world.Exists(kUserStartup + "\\b.lnk"));
  m.world.faults = nullptr;
  m.Reload();
  ASSERT_EQ(m.Delayed().size(), 1u);
  EXPECT_EQ(m.Delayed()[0].Path, "a.lnk");
}

TEST(MovesRegressions, TwoRunValuesOfOneProgram) {
  // rundll32.exe starts many things: values that differ only in their
  // arguments share the stopped entry's text, and only the value name tells
  // delayed records apart.
  MovesMachine m;
  const std::string a = "C:\\Windows\\rundll32.exe C:\\A\\a.dll,Start";
  const std::string b = "C:\\Windows\\rundll32.exe C:\\B\\b.dll,Start";
  const std::string c = "C:\\Windows\\rundll32.exe C:\\C\\c.dll,Start";
  for (const auto& [name, data] : {std::pair{"A", a}, {"B", b}, {"C", c}})
    m.world.RegSetString(kHkeyCurrentUser, kUserStore, name, data);
  m.AddRunValue(kHkeyCurrentUser, "W", "C:\\Windows\\rundll32.exe C:\\W\\w.dll,Start");
  // A is delayed and listed first; B and C are stopped.
  m.SetModel({Program("ExecuteReg", "C:\\Windows\\rundll32.exe", "C:\\A\\a.dll,Start", "A")},
             {"_REGCU_C:\\Windows\\rundll32.exe", "_REGCU_C:\\Windows\\rundll32.exe"});

  // What the tray starts for a stopped entry is a stopped value, never the
  // delayed A.
  std::string path, parameters;
  ASSERT_TRUE(store::GetStoppedInfo(m.platform, m.context.Store, "_REGCU_C:\\Windows\\rundll32.exe",
                                    path, parameters));
  EXPECT_EQ(parameters, "C:\\B\\b.dll,Start");

  // Putting a stopped one back takes a stopped value, never the delayed A.
  items::RestoreRegistryItem(m.session, "C:\\Windows\\rundll32.exe", ItemKind::kCurrentUserRunValue,
                             items::From::kStopped);
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "A"), std::nullopt);
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "B"), b);
  EXPECT_EQ(m.Stopped(), std::vector<std::string>{"_REGCU_C:\\Windows\\rundll32.exe"});
  EXPECT_EQ(m.Delayed().size(), 1u);

  // Delaying the other stopped one takes one entry, not every entry of
  // that text.
  m.AddRunValue(kHkeyCurrentUser, "B", b); // (already there)
  EXPECT_TRUE(items::DelayRegistryItem(m.session, "C:\\Windows\\rundll32.exe",
                                       ItemKind::kCurrentUserRunValue, items::MoveTo::kDelayed,
                                       items::From::kStopped));
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "C"), std::nullopt);
  EXPECT_TRUE(m.Stopped().empty());
  ASSERT_EQ(m.Delayed().size(), 2u);
  EXPECT_EQ(m.Delayed()[1].RegistryName, "C");

  // Stopping W from the Run key adds its own entry and leaves the others;
  // putting the delayed C back drops C's record, not A's.
  EXPECT_TRUE(items::DelayRegistryItem(m.session, "W=C:\\Windows\\rundll32.exe C:\\W\\w.dll,Start",
                                       ItemKind::kCurrentUserRunValue, items::MoveTo::kStopped,
                                       items::From::kListed));
  items::RestoreRegistryItem(m.session, "C=C:\\Windows\\rundll32.exe C:\\C\\c.dll,Start",
                             ItemKind::kCurrentUserRunValue, items::From::kListed);
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "C"), c);
  ASSERT_TRUE(m.session.SaveModel());
  m.Reload();
  EXPECT_EQ(m.Stopped(), std::vector<std::string>{"_REGCU_C:\\Windows\\rundll32.exe"});
  ASSERT_EQ(m.Delayed().size(), 1u);
  EXPECT_EQ(m.Delayed()[0].RegistryName, "A");

  // Delaying a value the store already holds as stopped, from a tree that
  // still shows it in the Run key, leaves one record and no stopped entry.
  EXPECT_TRUE(items::DelayRegistryItem(m.session, "W=C:\\Windows\\rundll32.exe C:\\W\\w.dll,Start",
                                       ItemKind::kCurrentUserRunValue, items::MoveTo::kDelayed,
                                       items::From::kListed));
  EXPECT_TRUE(m.Stopped().empty());
  EXPECT_EQ(m.Delayed().size(), 2u);
}

TEST(MovesRegressions, AValueThatStaysInTheRunKeyLosesItsRecord) {
  // Neither the store copy nor the value written back can be deleted: the
  // value is in the Run key and starts from there, so its stopped entry
  // goes (it would otherwise show as stopped and could be started twice).
  MovesMachine m;
  m.world.RegSetString(kHkeyCurrentUser, kUserStore, "S", "C:\\s.exe");
  m.SetModel({}, {"_REGCU_C:\\s.exe"});
  m.world.faults = [](sim::SimOp op, const std::string&) {
    return op == sim::SimOp::kRegDeleteValue;
  };
  items::RestoreRegistryItem(m.session, "C:\\s.exe", ItemKind::kCurrentUserRunValue,
                             items::From::kStopped);
  m.world.faults = nullptr;
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "S"), "C:\\s.exe");
  EXPECT_TRUE(m.Stopped().empty());
  EXPECT_FALSE(m.session.failures.empty());

  // The copy left in the store is nobody's stopped item: another stopped
  // value of the same program is the one that goes back.
  m.world.RegSetString(kHkeyCurrentUser, kUserStore, "T", "C:\\s.exe /other");
  m.SetModel({}, {"_REGCU_C:\\s.exe"});
  items::RestoreRegistryItem(m.session, "C:\\s.exe", ItemKind::kCurrentUserRunValue,
                             items::From::kStopped);
  EXPECT_EQ(m.RunValue(kHkeyCurrentUser, "T"), "C:\\s.exe /other");
  EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "T"), std::nullopt);
  EXPECT_TRUE(m.Stopped().empty());
}

TEST(MovesRegressions, ShortcutRecordsStayOnePerFile) {
  MovesMachine m;
  // A stopped entry left over while the file went back by hand.
  m.world.AddFile(kUserStartup + "\\a.lnk", "A");
  // A delayed record whose node shows the full path, as after a failed
  // reload.
  m.world.AddFile(kCurrentUserItems + "b.lnk", "B");
  m.SetModel({}, {"_STPCU_a.lnk"});
  m.context.Store.ProgramGroups[0].Programs = {Program("Execute", kCurrentUserItems + "\\b.lnk")};

  EXPECT_TRUE(items::DelayShortcutItem(m.session, "a.lnk", ItemKind::kCurrentUserShortcut,
                                       items::MoveTo::kDelayed));
  EXPECT_TRUE(m.world.Exists(kCurrentUserItems + "a.lnk"));
  EXPECT_TRUE(m.Stopped().empty());

  // The full path of b names the same file: Stop makes it stopped, Run
  // puts it back, and no record is left behind.
  CheckedItems checked;
  checked.delayed = {kCurrentUserItems + "\\b.lnk"};
  items::ApplyCheckedShortcutItems(m.session, checked, items::MoveTo::kStopped,
                                   items::CheckedStopped::kLeave);
  EXPECT_EQ(m.Stopped(), std::vector<std::string>{"_STPCU_b.lnk"});
  checked = {};
  checked.stopped = {"b.lnk"};
  items::RestoreCheckedShortcutItems(m.session, checked);
  m.Reload();
  EXPECT_TRUE(m.world.Exists(kUserStartup + "\\b.lnk"));
  EXPECT_TRUE(m.Stopped().empty());
  ASSERT_EQ(m.Delayed().size(), 1u);
  EXPECT_EQ(m.Delayed()[0].Path, "a.lnk");
}

TEST(MovesRegressions, SyncLeavesAStoreCopyOfAValueInTheRunKeyAlone) {
  // A copy that a failed move could not take out of the store again would
  // become a delayed record and start the program a second time.
  sim::SimWorld world;
  sim::SimPlatform platform{world, sync_test::SyncProcess()};
  world.RegSetString(kHkeyCurrentUser, kRunKey, "Tool", "C:\\T\\t.exe /q");
  world.RegSetString(kHkeyCurrentUser, kUserStore, "Tool", "C:\\T\\t.exe /q");
  world.RegSetString(kHkeyCurrentUser, kUserStore, "Other", "C:\\T\\t.exe /other");
  EXPECT_EQ(0, sync::RunVantrelSync(platform, "sync"));
  const std::string file = world.ReadFile(sync_test::kProgGroup).value_or("");
  EXPECT_EQ(file.find("\"Tool\""), std::string::npos) << file;
  EXPECT_NE(file.find("ExecuteReg (\"C:\\T\\t.exe\", \"/other\", 0, \"Other\");"),
            std::string::npos)
      << file;
}

} // namespace
} // namespace vantrel::moves_test
