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
      EXPECT_TRUE(items::DelayShortcutItem(m.session, "a.lnk", scope.kind, stop));

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

      items::RestoreShortcutItem(m.session, "a.lnk", scope.kind, fromStopped);
      EXPECT_EQ(m.world.ReadFile(scope.startup + "\\a.lnk"), "LNK-A");
      EXPECT_FALSE(m.world.Exists(scope.items + "a.lnk"));
      ASSERT_EQ(m.platform.shFileOperations().size(), 1u);
      EXPECT_EQ(m.platform.shFileOperations()[0].flags, 0x14u);
      EXPECT_TRUE(m.Delayed().empty());
      EXPECT_TRUE(m.Stopped().empty());
    }
  }
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

} // namespace
} // namespace vantrel::moves_test
