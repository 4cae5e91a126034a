// Virtual time and the scripted message pump.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/platform/sim/sim_platform.h"

namespace vantrel::sim {
namespace {

TEST(SimClock, SleepAndTheTimeOfDay) {
  SimWorld world;
  SimPlatform platform(world);
  EXPECT_EQ(0u, platform.GetTickCount());
  EXPECT_EQ("08:00:00", platform.FormatTimeOfDay());
  EXPECT_EQ("06/12/2026 08:00:00", platform.FormatDateTime());
  platform.Sleep(3723999);
  EXPECT_EQ(3723999u, platform.GetTickCount());
  EXPECT_EQ("09:02:03", platform.FormatTimeOfDay());

  world.clock().SetStartTimeOfDay(23, 59, 59);
  world.clock().SetStartDate(2028, 2, 28);
  EXPECT_EQ("02/29/2028 01:02:02", platform.FormatDateTime()) << "a leap day";
  SimWorld late;
  late.clock().SetStartDate(2028, 2, 28);
  late.clock().SetStartTimeOfDay(23, 59, 59);
  SimPlatform latePlatform(late);
  latePlatform.Sleep(1000);
  EXPECT_EQ("02/29/2028 00:00:00", latePlatform.FormatDateTime());
  late.clock().SetStartDate(2026, 12, 31);
  EXPECT_EQ("01/01/2027 00:00:00", latePlatform.FormatDateTime());

  SimWorld wrapping;
  wrapping.clock().SetStartTick(0xFFFFFFF0u);
  SimPlatform wrappingPlatform(wrapping);
  EXPECT_EQ(0xFFFFFFF0u, wrappingPlatform.GetTickCount());
  wrappingPlatform.Sleep(0x20);
  EXPECT_EQ(0x10u, wrappingPlatform.GetTickCount()) << "the count wraps like the real one";
}

TEST(SimClock, WaitsEndAtTheNextMessage) {
  SimWorld world;
  SimPlatform platform(world);
  world.ScheduleMessage(700, [] {});
  platform.WaitForMessages(500);
  EXPECT_EQ(500u, world.Now());
  platform.WaitForMessages(500);
  EXPECT_EQ(700u, world.Now()) << "the message arrives at 700";
  platform.WaitForMessages(500);
  EXPECT_EQ(700u, world.Now()) << "a pending message ends a wait at once";
  platform.PumpMessages();
  platform.WaitForMessages(500);
  EXPECT_EQ(1200u, world.Now());
  platform.Sleep(100);
  using Kind = WaitRecord::Kind;
  const std::vector<WaitRecord>& waits = platform.waits();
  ASSERT_EQ(5u, waits.size());
  EXPECT_EQ(Kind::kWaitForMessages, waits[1].kind);
  EXPECT_EQ(500u, waits[1].requestedMs);
  EXPECT_EQ(500u, waits[1].atMs);
  EXPECT_EQ(200u, waits[1].waitedMs);
  EXPECT_EQ(0u, waits[2].waitedMs);
  EXPECT_EQ(Kind::kSleep, waits[4].kind);
  EXPECT_EQ(1200u, waits[4].atMs);
}

TEST(SimClock, PumpRunsDueMessagesInTimeOrder) {
  SimWorld world;
  SimPlatform platform(world);
  std::vector<std::string> ran;
  world.ScheduleMessage(500, [&] { ran.push_back("A@500"); });
  world.ScheduleMessage(100, [&] {
    ran.push_back("B@100");
    // Posted now: due at once, so this pump runs it too; later ones wait.
    world.ScheduleMessage(world.Now(), [&] { ran.push_back("E@now"); });
    world.ScheduleMessage(world.Now() + 1, [&] { ran.push_back("F@later"); });
  });
  world.ScheduleMessage(100, [&] { ran.push_back("C@100"); });
  world.ScheduleMessage(2000, [&] { ran.push_back("D@2000"); });
  platform.PumpMessages();
  EXPECT_TRUE(ran.empty()) << "nothing is due at 0";
  platform.Sleep(1000);
  platform.PumpMessages();
  EXPECT_EQ((std::vector<std::string>{"B@100", "C@100", "A@500", "E@now"}), ran);
  EXPECT_EQ(2u, world.clock().pending());
  platform.Sleep(1000);
  platform.PumpMessages();
  EXPECT_EQ((std::vector<std::string>{"B@100", "C@100", "A@500", "E@now", "F@later", "D@2000"}),
            ran);
  EXPECT_EQ(3, platform.pumpCount());
}

TEST(SimClock, NestedPumpsRunEachMessageOnce) {
  SimWorld world;
  SimPlatform platform(world);
  std::vector<std::string> ran;
  world.ScheduleMessage(0, [&] {
    ran.push_back("outer");
    platform.PumpMessages(); // a handler that pumps, as a nested wait does
  });
  world.ScheduleMessage(0, [&] { ran.push_back("inner"); });
  platform.PumpMessages();
  EXPECT_EQ((std::vector<std::string>{"outer", "inner"}), ran);
}

// A login-time wait: two-second slices, messages pumped between them, and a
// quit from the tray menu scripted at ten seconds.
TEST(SimClock, ScriptedQuitEndsASlicedWaitExactly) {
  SimWorld world;
  SimPlatform platform(world);
  bool abort = false;
  world.ScheduleMessage(10000, [&] { abort = true; });
  std::uint32_t slept = 0;
  const std::uint32_t wanted = 30000;
  while (slept < wanted && !abort) {
    const std::uint32_t slice = wanted - slept < 2000 ? wanted - slept : 2000;
    platform.Sleep(slice);
    slept += slice;
    platform.PumpMessages();
  }
  EXPECT_TRUE(abort);
  EXPECT_EQ(10000u, world.Now());
  EXPECT_EQ(5u, platform.waits().size());
}

} // namespace
} // namespace vantrel::sim
