// The tip of the day's logic: reading the tips file, the random pick, and
// the check box saved on close.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "native/secondary_windows_test_support.h"
#include "vantrel/dialogs/tip_logic.h"

namespace vantrel {
namespace {

using namespace secondary_test;

const std::string kTips = kFolder + "\\lang\\en\\tipofday.en";

// A random source that gives these numbers in turn.
std::function<double()> Scripted(std::deque<double> numbers) {
  return [numbers = std::move(numbers)]() mutable {
    const double next = numbers.front();
    numbers.pop_front();
    return next;
  };
}

class TipTest : public ::testing::Test, public SecondaryRig {};

TEST_F(TipTest, EachPickIsOneOfTheTipsAsTheyStand) {
  world.AddFile(kTips, CrLf({"First tip", "  Second tip  ", "Third // not a comment"}));
  TipOfTheDay tips(Scripted({0.0, 0.34, 0.999999, 0.5, 0.5}));
  ASSERT_TRUE(tips.LoadTips(platform, kTips));
  EXPECT_EQ(tips.CurrentTip(), "First tip");
  for (const char* tip : {"  Second tip  ", "Third // not a comment", "  Second tip  "}) {
    tips.NextTip();
    EXPECT_EQ(tips.CurrentTip(), tip);
  }
  // A blank line is an empty tip (here the middle one, picked); the last
  // line needs no line end.
  world.AddFile(kTips, "A\r\n\r\nC");
  TipOfTheDay blank(Scripted({0.5}));
  ASSERT_TRUE(blank.LoadTips(platform, kTips));
  EXPECT_EQ(blank.Tips(), (std::vector<std::string>{"A", "", "C"}));
  EXPECT_EQ(blank.CurrentTip(), "");

  context.Store.Language = "de";
  EXPECT_EQ(TipsFilePath(context), kFolder + "\\lang\\de\\tipofday.de");
  TipOfTheDay none(Scripted({0.5, 0.5}));
  EXPECT_FALSE(none.LoadTips(platform, TipsFilePath(context)));
  none.NextTip();
  EXPECT_FALSE(none.CurrentTip());
}

} // namespace
} // namespace vantrel
