// A Run value that the Run key will not let go stays where it was, with
// no copy left in Vantrel's store, and the user is told the Run key kept
// it: also when its name holds a "?" that Windows reads back by name.

#include <gtest/gtest.h>

#include "moves_test_support.h"
#include "vantrel/moves/registry_moves.h"

namespace vantrel::moves_test {
namespace {

TEST(MovesRegistry, ARunKeyThatKeepsTheValueLeavesItWhereItWas) {
  for (const std::string name : {"Agent", "Agent?"}) {
    SCOPED_TRACE(name);
    MovesMachine m;
    m.AddRunValue(kHkeyCurrentUser, name, "C:\\a.exe");
    m.world.faults = [](sim::SimOp op, const std::string& subject) {
      return op == sim::SimOp::kRegDeleteValue && subject.find("\\Run\\") != std::string::npos;
    };
    EXPECT_FALSE(items::DelayRegistryItem(m.session, name + "=C:\\a.exe",
                                          ItemKind::kCurrentUserRunValue, items::MoveTo::kDelayed,
                                          items::From::kListed));
    const items::MoveFailure refused{items::ItemType::kRunValue, name,
                                     items::reason::RunKeyNotCleared()};
    EXPECT_EQ(m.session.failures.list(), std::vector<items::MoveFailure>{refused});
    EXPECT_EQ(m.RunValue(kHkeyCurrentUser, name), "C:\\a.exe");
    EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, name), std::nullopt);
  }
}

} // namespace
} // namespace vantrel::moves_test
