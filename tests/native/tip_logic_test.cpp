// The tip of the day's logic: reading the tips file and the random pick.
#include <gtest/gtest.h>

#include <deque>

#include "native/secondary_windows_test_support.h"
#include "vantrel/dialogs/tip_logic.h"

namespace vantrel {
namespace {

using namespace secondary_test;

// Each pick is one of the tips as they stand (blanks and "//" too), for
// numbers from the random source in turn; a blank line is an empty tip and
// the last line needs no line end.
TEST(TipOfTheDay, EachPickIsOneOfTheTipsAsTheyStand) {
  std::deque<double> numbers = {0.5, 0.0, 0.34, 0.999999, 0.5, 0.5};
  const auto next = [&] {
    const double number = numbers.front();
    numbers.pop_front();
    return number;
  };
  SecondaryRig rig;
  const std::string path = kFolder + "\\lang\\de\\tipofday.de";
  rig.context.Store.Language = "de";
  EXPECT_EQ(TipsFilePath(rig.context), path);
  TipOfTheDay none(next);
  EXPECT_FALSE(none.LoadTips(rig.platform, path));
  none.NextTip();
  EXPECT_FALSE(none.CurrentTip());
  rig.world.AddFile(path, CrLf({"First tip", "  Second tip  ", "Third // not a comment"}));
  TipOfTheDay tips(next);
  ASSERT_TRUE(tips.LoadTips(rig.platform, path));
  for (const char* tip : {"First tip", "  Second tip  ", "Third // not a comment"}) {
    EXPECT_EQ(tips.CurrentTip(), tip);
    tips.NextTip();
  }
  rig.world.AddFile(path, "A\r\n\r\nC");
  TipOfTheDay blank(next);
  ASSERT_TRUE(blank.LoadTips(rig.platform, path));
  EXPECT_EQ(blank.Tips(), (std::vector<std::string>{"A", "", "C"}));
  EXPECT_EQ(blank.CurrentTip(), "");
}

} // namespace
} // namespace vantrel
