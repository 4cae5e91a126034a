// log.txt: prefixes by level, appending, and the pruning that keeps the
// newer half of a full log behind a marker line.
#include <gtest/gtest.h>

#include "common/event_log.h"
#include "common/platform/sim/sim_platform.h"

namespace vantrel {
namespace {

const std::string kLog = "C:\\Program Files\\Vantrel\\log.txt";

class EventLogTest : public ::testing::Test {
protected:
  std::string log() { return world.ReadFile(kLog).value_or("<missing>"); }
  std::string marker() {
    return "<---- Old Events removed on: " + platform.FormatDateTime() + " ---->";
  }

  sim::SimWorld world;
  sim::SimPlatform platform{world};
};

TEST_F(EventLogTest, LevelsGiveTheirPrefixesAndAFullLogKeepsItsNewerHalf) {
  WriteLog(platform, "first", LogInfo); // creates the file
  WriteLog(platform, "bad", LogError);
  WriteLog(platform, "odd", LogWarning);
  WriteLog(platform, "three", 3);
  WriteLog(platform, "two\r\nlines", LogInfo);
  EXPECT_EQ("Info: first\r\nError: bad\r\nWarning: odd\r\nthree\r\nInfo: two\r\nlines\r\n", log());
  const std::string below(kLogSizeLimit - 1, 'a');
  world.AddFile(kLog, below);
  WriteLog(platform, "new", LogInfo);
  EXPECT_EQ(below + "Info: new\r\n", log());

  // Lines of 100 bytes: the middle byte ends a line, so the kept part
  // starts with the next one.
  std::string old;
  for (int line = 1; old.size() < kLogSizeLimit; ++line) {
    std::string text = "line " + std::to_string(line);
    text.resize(98, '.');
    old += text + "\r\n";
  }
  world.AddFile(kLog, old);
  WriteLog(platform, "after prune", LogWarning);
  ASSERT_EQ(kLogKeepFrom, old.find("line 25601.", kLogKeepFrom - 100));
  EXPECT_EQ(old.substr(kLogKeepFrom) + "\r\n" + marker() + "\r\nWarning: after prune\r\n", log());

  // A full log with no line end after the middle keeps nothing of it.
  world.AddFile(kLog, std::string(kLogSizeLimit, 'z'));
  WriteLog(platform, "event", LogInfo);
  EXPECT_EQ("\r\n" + marker() + "\r\nInfo: event\r\n", log());
}

TEST_F(EventLogTest, FailuresAreSilentAndLeaveTheOldLog) {
  world.AddFile(kLog, "old\r\n");
  world.LockFile(kLog);
  WriteLog(platform, "lost", LogInfo);
  world.LockFile(kLog, false);
  EXPECT_EQ("old\r\n", log());

  // A prune that cannot write its new file leaves the full log untouched.
  const std::string full(kLogSizeLimit, '\n');
  world.AddFile(kLog, full);
  world.faults = [](sim::SimOp op, const std::string&) { return op == sim::SimOp::kFileWrite; };
  WriteLog(platform, "lost", LogInfo);
  EXPECT_EQ(full, log());
}

} // namespace
} // namespace vantrel
