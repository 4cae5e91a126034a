// Delaying, stopping and putting back shortcuts of both Startup folders:
// where the files lie, what the model records and what the shell was asked
// to do, for every procedure and both scopes, and what happens when a move
// does not go through.

#include <gtest/gtest.h>

#include "common/unpassed_names.h"

#include <functional>

#include "moves_test_support.h"
#include "store_test_support.h"
#include "vantrel/shortcut_moves.h"

namespace vantrel::moves_test {
namespace {

using items::CheckedItems;

struct Scope {
  const char* name;
  int kind;
  std::string startup;
  std::string items;
  std::string command;
  std::string prefix;
};

const std::vector<Scope> kScopes = {
    {"current user", 3, kUserStartup, kCurrentUserItems, "Execute", "_STPCU_"},
    {"all users", 2, kCommonStartup, kAllUsersItems, "ExecuteAU", "_STPAU_"},
};

TEST(MovesShortcut, DelayAndStopMoveTheFileAndRecordIt) {
  for (const Scope& scope : kScopes) {
    for (const bool stop : {false, true}) {
      SCOPED_TRACE(std::string(scope.name) + (stop ? ", stop" : ", delay"));
      MovesMachine m;
      m.world.AddFile(scope.startup + "\\a.lnk", "LNK-A");
      EXPECT_TRUE(
          items::DelayShortcutItem(m.session, "a.lnk", ItemKind(scope.kind),
                                   stop ? items::MoveTo::kStopped : items::MoveTo::kDelayed));

      EXPECT_FALSE(m.world.Exists(scope.startup + "\\a.lnk"));
      EXPECT_EQ(m.world.ReadFile(scope.items + "a.lnk"), "LNK-A");
      ASSERT_EQ(m.platform.shFileOperations().size(), 1u);
      const auto& op = m.platform.shFileOperations()[0];
      EXPECT_EQ(op.func, kFoMove);
      EXPECT_EQ(op.from, std::vector<std::string>{scope.startup + "\\a.lnk"});
      EXPECT_EQ(op.to, std::vector<std::string>{scope.items + "a.lnk"});
      EXPECT_EQ(op.flags, 0x214u);
      EXPECT_EQ(op.hwnd, kWindow);
      if (stop) {
        EXPECT_TRUE(m.Delayed().empty());
        EXPECT_EQ(m.Stopped(), std::vector<std::string>{scope.prefix + "a.lnk"});
      } else {
        // The bare name from the start: the login run finds it in the
        // items folder.
        EXPECT_EQ(m.Delayed(), std::vector<ProgramEntry>{Program(scope.command, "a.lnk")});
        EXPECT_TRUE(m.Stopped().empty());
      }
      // The procedure wrote the model: a fresh read shows the bare name.
      m.Reload();
      if (!stop) {
        EXPECT_EQ(m.Delayed(), std::vector<ProgramEntry>{Program(scope.command, "a.lnk")});
      }
      EXPECT_TRUE(m.session.failures.empty());
    }
  }
}

TEST(MovesShortcut, DelayAndStopOfAnItemAlreadyInTheItemsFolderChangeOnlyItsRecord) {
  for (const Scope& scope : kScopes) {
    SCOPED_TRACE(scope.name);
    MovesMachine m;
    m.world.AddFile(scope.items + "a.lnk", "LNK-A");
    m.world.AddFile(scope.items + "b.lnk", "LNK-B");
    // A delay set in the editor, and a delayed item of the other scope with
    // the same name, which must keep its record.
    const std::string other = scope.command == "Execute" ? "ExecuteAU" : "Execute";
    m.SetModel({Program(other, "a.lnk"), Program(scope.command, "a.lnk", "", "", 12)},
               {scope.prefix + "b.lnk"});

    EXPECT_TRUE(items::DelayShortcutItem(m.session, "a.lnk", ItemKind(scope.kind),
                                         items::MoveTo::kStopped));
    EXPECT_TRUE(items::DelayShortcutItem(m.session, "b.lnk", ItemKind(scope.kind),
                                         items::MoveTo::kDelayed));
    m.Reload();
    EXPECT_TRUE(m.platform.shFileOperations().empty());
    EXPECT_EQ(m.Delayed(),
              (std::vector<ProgramEntry>{Program(other, "a.lnk"), Program(scope.command, "b.lnk")}))
        << "the stopped item is delayed again from 0";
    EXPECT_EQ(m.Stopped(), std::vector<std::string>{scope.prefix + "a.lnk"});
    EXPECT_TRUE(m.world.Exists(scope.items + "a.lnk"));
    EXPECT_TRUE(m.world.Exists(scope.items + "b.lnk"));
  }
}

TEST(MovesShortcut, EmptyNameChangesNothing) {
  MovesMachine m;
  m.SetModel({Program("Execute", "a.lnk")}, {"_STPCU_b.lnk"});
  const std::string before = m.world.ReadFile(m.store.FilePath()).value_or("");
  EXPECT_FALSE(items::DelayShortcutItem(m.session, "", ItemKind::kCurrentUserShortcut,
                                        items::MoveTo::kDelayed));
  items::RestoreShortcutItem(m.session, "", ItemKind::kCurrentUserShortcut, items::From::kStopped);
  EXPECT_EQ(m.world.ReadFile(m.store.FilePath()), before);
  EXPECT_TRUE(m.platform.shFileOperations().empty());
  EXPECT_EQ(m.Stopped(), std::vector<std::string>{"_STPCU_b.lnk"});
}

TEST(MovesShortcut, RestorePutsTheFileBackAndDropsTheRecord) {
  for (const Scope& scope : kScopes) {
    for (const bool fromStopped : {false, true}) {
      SCOPED_TRACE(std::string(scope.name) + (fromStopped ? ", stopped" : ", delayed"));
      MovesMachine m;
      m.world.AddFile(scope.items + "a.lnk", "LNK-A");
      if (fromStopped)
        m.SetModel({}, {scope.prefix + "a.lnk"});
      else
        m.SetModel({Program(scope.command, "a.lnk")}, {});

      items::RestoreShortcutItem(m.session, "a.lnk", ItemKind(scope.kind),
                                 fromStopped ? items::From::kStopped : items::From::kListed);
      EXPECT_EQ(m.world.ReadFile(scope.startup + "\\a.lnk"), "LNK-A");
      EXPECT_FALSE(m.world.Exists(scope.items + "a.lnk"));
      ASSERT_EQ(m.platform.shFileOperations().size(), 1u);
      EXPECT_EQ(m.platform.shFileOperations()[0].flags, 0x14u);
      EXPECT_TRUE(m.Delayed().empty());
      EXPECT_TRUE(m.Stopped().empty());
    }
  }
}

// A move that did not happen is not recorded, and the user is told which
// item stayed where it was and why.
TEST(MovesShortcut, AMoveThatFailsIsNotRecorded) {
  struct Case {
    const char* name;
    int kind;
    std::function<void(MovesMachine&)> arrange;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"the file is in use", 3, [](MovesMachine& m) { m.world.LockFile(kUserStartup + "\\a.lnk"); },
       "The file could not be moved; it may be in use (error 5)."},
      {"all users without administrator rights", 2,
       [](MovesMachine& m) { m.world.SetFolderReadOnly(kCommonStartup); },
       "Items of all users can only be changed with administrator rights."},
      {"a file of that name is already delayed", 3,
       [](MovesMachine& m) { m.world.AddFile(kCurrentUserItems + "A.LNK", "OLDER"); },
       "A file of this name is already in " + kCurrentUserItems + "."},
  };
  for (const auto& c : cases) {
    for (const bool stop : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (stop ? ", stop" : ", delay"));
      MovesMachine m;
      const std::string startup = c.kind == 3 ? kUserStartup : kCommonStartup;
      m.world.AddFile(startup + "\\a.lnk", "LNK-A");
      m.SetModel({}, {});
      c.arrange(m);
      EXPECT_FALSE(
          items::DelayShortcutItem(m.session, "a.lnk", ItemKind(c.kind),
                                   stop ? items::MoveTo::kStopped : items::MoveTo::kDelayed));
      m.Reload();
      EXPECT_TRUE(m.world.Exists(startup + "\\a.lnk"));
      EXPECT_TRUE(m.Delayed().empty());
      EXPECT_TRUE(m.Stopped().empty());
      m.session.failures.Show(m.context, kWindow);
      ASSERT_EQ(m.platform.messageBoxes().size(), 1u);
      const auto& box = m.platform.messageBoxes()[0];
      EXPECT_EQ(box.text, ExpectedBox(kShortcutsFailed, {"a.lnk: " + c.reason}));
      EXPECT_EQ(box.caption, "Vantrel");
      EXPECT_EQ(box.flags, kMbIconExclamation);
      EXPECT_EQ(box.owner, kWindow);
    }
  }
  // The older file was not replaced.
  MovesMachine m;
  m.world.AddFile(kUserStartup + "\\a.lnk", "LNK-A");
  m.world.AddFile(kCurrentUserItems + "a.lnk", "OLDER");
  items::DelayShortcutItem(m.session, "a.lnk", ItemKind::kCurrentUserShortcut,
                           items::MoveTo::kDelayed);
  EXPECT_EQ(m.world.ReadFile(kCurrentUserItems + "a.lnk"), "OLDER");

  // A name that older Windows passed with question marks is not "no longer
  // there": the user learns why it cannot be moved.
  MovesMachine lost;
  lost.world.AddFile(kUserStartup + "\\\xE6\x97\xA5\xE6\x9C\xAC.lnk", "LNK"); // 日本.lnk
  lost.SetModel({}, {});
  EXPECT_FALSE(items::DelayShortcutItem(lost.session, "??.lnk", ItemKind::kCurrentUserShortcut,
                                        items::MoveTo::kDelayed));
  lost.Reload();
  EXPECT_TRUE(lost.Delayed().empty());
  lost.session.failures.Show(lost.context, kWindow);
  ASSERT_EQ(lost.platform.messageBoxes().size(), 1u);
  EXPECT_EQ(lost.platform.messageBoxes()[0].text,
            ExpectedBox(kShortcutsFailed, {"??.lnk: " + NameNotPassedReason()}));
}

TEST(MovesShortcut, RestoreThatFailsKeepsTheRecord) {
  MovesMachine m;
  m.world.AddFile(kCurrentUserItems + "a.lnk", "LNK-A");
  m.world.AddFile(kCurrentUserItems + "b.lnk", "LNK-B");
  m.world.AddFile(kUserStartup + "\\b.lnk", "NEWER");
  m.SetModel({Program("Execute", "a.lnk")}, {"_STPCU_b.lnk"});
  m.world.LockFile(kCurrentUserItems + "a.lnk");

  items::RestoreShortcutItem(m.session, "a.lnk", ItemKind::kCurrentUserShortcut,
                             items::From::kListed);
  items::RestoreShortcutItem(m.session, "b.lnk", ItemKind::kCurrentUserShortcut,
                             items::From::kStopped);
  EXPECT_EQ(m.Delayed(), std::vector<ProgramEntry>{Program("Execute", "a.lnk")});
  EXPECT_EQ(m.Stopped(), std::vector<std::string>{"_STPCU_b.lnk"});
  EXPECT_EQ(m.world.ReadFile(kUserStartup + "\\b.lnk"), "NEWER");
  EXPECT_EQ(m.session.failures.Text(m.context),
            ExpectedBox(kShortcutsFailed,
                        {"a.lnk: The file could not be moved; it may be in use (error 5).",
                         "b.lnk: A file of this name is already in " + kUserStartup + "."}));
}

TEST(MovesShortcut, RestoreOfAnItemWhoseFileIsGoneDropsItsRecord) {
  MovesMachine m;
  m.SetModel({Program("ExecuteAU", "a.lnk")}, {"_STPAU_b.lnk"});
  items::RestoreShortcutItem(m.session, "a.lnk", ItemKind::kAllUsersShortcut, items::From::kListed);
  items::RestoreShortcutItem(m.session, "b.lnk", ItemKind::kAllUsersShortcut,
                             items::From::kStopped);
  EXPECT_TRUE(m.Delayed().empty());
  EXPECT_TRUE(m.Stopped().empty());
  EXPECT_TRUE(m.platform.shFileOperations().empty());
  EXPECT_TRUE(m.session.failures.empty());
}

// The checked current-user shortcuts of one tree: w.lnk in the Startup
// folder, d.lnk delayed, s.lnk stopped.
struct CheckedMachine : MovesMachine {
  CheckedMachine() {
    world.AddFile(kUserStartup + "\\w.lnk", "W");
    world.AddFile(kCurrentUserItems + "d.lnk", "D");
    world.AddFile(kCurrentUserItems + "s.lnk", "S");
    SetModel({Program("Execute", "d.lnk", "", "", 5)}, {"_STPCU_s.lnk"});
    checked = {{"w.lnk"}, {"d.lnk"}, {"s.lnk"}};
  }
  std::string Where(const std::string& name) const {
    const bool inStartup = world.Exists(kUserStartup + "\\" + name);
    const bool inItems = world.Exists(kCurrentUserItems + name);
    return inStartup && inItems ? "both" : inStartup ? "startup" : inItems ? "items" : "gone";
  }
  CheckedItems checked;
};

TEST(MovesShortcut, ToolbarCommandsOnCheckedShortcuts) {
  struct Case {
    const char* name;
    bool apply, stop, delayStopped, restore;
    std::vector<std::string> where; // w, d, s
    std::vector<ProgramEntry> delayed;
    std::vector<std::string> stopped;
  };
  const std::vector<Case> cases = {
      {"Save",
       true,
       false,
       false,
       true,
       {"items", "startup", "startup"},
       {Program("Execute", "w.lnk")},
       {}},
      {"Delay",
       true,
       false,
       true,
       false,
       {"items", "items", "items"},
       // The read sorts by delay.
       {Program("Execute", "w.lnk"), Program("Execute", "s.lnk"),
        Program("Execute", "d.lnk", "", "", 5)},
       {}},
      // Stop leaves the checked stopped item alone.
      {"Stop",
       true,
       true,
       false,
       false,
       {"items", "items", "items"},
       {},
       {"_STPCU_s.lnk", "_STPCU_w.lnk", "_STPCU_d.lnk"}},
      {"Run", false, false, false, true, {"startup", "startup", "startup"}, {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CheckedMachine m;
    if (c.apply) {
      EXPECT_TRUE(items::ApplyCheckedShortcutItems(
          m.session, m.checked, c.stop ? items::MoveTo::kStopped : items::MoveTo::kDelayed,
          c.delayStopped ? items::CheckedStopped::kDelayToo : items::CheckedStopped::kLeave));
    }
    if (c.restore) {
      EXPECT_TRUE(items::RestoreCheckedShortcutItems(m.session, m.checked));
    }
    m.Reload();
    EXPECT_EQ((std::vector<std::string>{m.Where("w.lnk"), m.Where("d.lnk"), m.Where("s.lnk")}),
              c.where);
    EXPECT_EQ(m.Delayed(), c.delayed);
    EXPECT_EQ(m.Stopped(), c.stopped);
    EXPECT_TRUE(m.session.failures.empty());
  }
}

TEST(MovesShortcut, SaveWithACheckedStoppedShortcutWhoseFileIsGone) {
  MovesMachine m;
  m.SetModel({}, {"_STPCU_gone.lnk"});
  const CheckedItems checked{{}, {}, {"gone.lnk"}};
  EXPECT_TRUE(items::ApplyCheckedShortcutItems(m.session, checked, items::MoveTo::kDelayed,
                                               items::CheckedStopped::kLeave));
  EXPECT_TRUE(items::RestoreCheckedShortcutItems(m.session, checked));
  m.Reload();
  EXPECT_TRUE(m.platform.shFileOperations().empty());
  EXPECT_TRUE(m.Stopped().empty());
  EXPECT_TRUE(m.session.failures.empty());
}

TEST(MovesShortcut, CheckedShortcutsThatCannotMoveKeepTheirPlaceAndRecord) {
  CheckedMachine m;
  m.world.LockFile(kUserStartup + "\\w.lnk");
  m.world.LockFile(kCurrentUserItems + "d.lnk");
  m.world.AddFile(kUserStartup + "\\s.lnk", "NEWER");
  EXPECT_TRUE(items::ApplyCheckedShortcutItems(m.session, m.checked, items::MoveTo::kDelayed,
                                               items::CheckedStopped::kLeave));
  EXPECT_TRUE(items::RestoreCheckedShortcutItems(m.session, m.checked));
  m.Reload();
  EXPECT_EQ(m.Where("w.lnk"), "startup");
  EXPECT_EQ(m.Where("d.lnk"), "items");
  EXPECT_EQ(m.Where("s.lnk"), "both");
  EXPECT_EQ(m.Delayed(), std::vector<ProgramEntry>{Program("Execute", "d.lnk", "", "", 5)});
  EXPECT_EQ(m.Stopped(), std::vector<std::string>{"_STPCU_s.lnk"});
  // s.lnk failed twice (Apply, then Restore) but is listed once.
  EXPECT_EQ(m.session.failures.list().size(), 3u);
}

} // namespace
} // namespace vantrel::moves_test
