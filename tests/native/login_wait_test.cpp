// The launch engine's wait: slices of at most 2 s, window messages handled
// the moment they arrive, the abort noticed at once, nested waits, and the
// conversion of delays to milliseconds.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "login_test_support.h"
#include "vantrel/wait.h"

namespace vantrel::login_test {
namespace {

using Kind = sim::WaitRecord::Kind;

TEST(DelayToMillisecondsTest, RoundsAndRefusesWhatLeavesTheRange) {
  struct Case {
    float seconds;
    std::optional<std::int32_t> ms;
  };
  const std::vector<Case> cases = {
      {0, 0},
      {5, 5000},
      {2.5f, 2500},
      {0.1f, 100},
      {0.0025f, 2}, // 2.5 ms rounds to the even 2
      {-2.5f, -2500},
      {2147483.5f, 2147483520}, // the float product nearest below 2^31
      {2147484.0f, std::nullopt},
      {-2147483.648f, -2147483648},
      {-2147484.0f, std::nullopt},
      {1e30f, std::nullopt},
      {std::numeric_limits<float>::infinity(), std::nullopt},
      {std::numeric_limits<float>::quiet_NaN(), std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(DelayToMilliseconds(c.seconds), c.ms);
  }
}

TEST_F(LoginTest, WaitsInSlicesOfAtMostTwoSeconds) {
  WaitMilliseconds(context, 5500);
  EXPECT_EQ(world.Now(), 5500u);
  std::vector<std::uint32_t> slices;
  for (const auto& wait : platform.waits()) {
    EXPECT_EQ(wait.kind, Kind::kWaitForMessages) << "never a blind sleep";
    slices.push_back(wait.requestedMs);
  }
  EXPECT_EQ(slices, (std::vector<std::uint32_t>{2000, 2000, 1500}));
  EXPECT_EQ(platform.pumpCount(), 3);
  EXPECT_FALSE(context.WaitInProgress);

  for (std::int32_t nothing : {0, -1, -2000}) {
    WaitMilliseconds(context, nothing);
    EXPECT_EQ(world.Now(), 5500u);
  }
}

} // namespace
} // namespace vantrel::login_test
