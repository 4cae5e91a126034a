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
  EXPECT_EQ(TipsFilePath(context), kTips);
  world.AddFile(kTips, CrLf({"First tip", "  Second tip  ", "Third // not a comment"}));
  TipOfTheDay tips(Scripted({0.0, 0.34, 0.999999, 0.5, 0.5}));
  ASSERT_TRUE(tips.LoadTips(platform, kTips));
  EXPECT_EQ(tips.Tips(),
            (std::vector<std::string>{"First tip", "  Second tip  ", "Third // not a comment"}));
  EXPECT_EQ(tips.CurrentPosition(), 1);
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
  EXPECT_FALSE(none.LoadTips(platform, ""));
  EXPECT_FALSE(none.LoadTips(platform, TipsFilePath(context)));
  world.MakeDirs(TipsFilePath(context));
  EXPECT_FALSE(none.LoadTips(platform, TipsFilePath(context))) << "a folder of that name";
  EXPECT_FALSE(none.CurrentTip());
  none.NextTip();
  EXPECT_FALSE(none.CurrentTip());
  world.AddFile(kTips, ""); // an empty file gives no tip either
  EXPECT_TRUE(none.LoadTips(platform, kTips));
  EXPECT_FALSE(none.CurrentTip());
}

TEST_F(TipTest, TheCheckBoxIsSavedOnCloseWhenItChanged) {
  const struct {
    const char* name;
    std::int16_t stored;
    bool ticked, saves;
    std::int16_t after;
  } cases[] = {
      {"ticked over -1", -1, true, false, -1}, {"ticked over 1", 1, true, false, 1},
      {"unticked over 0", 0, false, false, 0}, {"unticking", -1, false, true, 0},
      {"ticking", 0, true, true, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    world.AddFile(kFile, "before");
    changes.clear();
    context.Store.ShowTipsAtStartup = c.stored;
    EXPECT_EQ(SaveShowTipsOnClose(context, c.ticked), c.saves);
    EXPECT_EQ(context.Store.ShowTipsAtStartup, c.after);
    if (c.saves) {
      EXPECT_NE(File().find("\r\nconst ShowTipsAtStartup = " + std::to_string(c.after) + ";\r\n"),
                std::string::npos);
    } else {
      EXPECT_EQ(File(), "before");
      EXPECT_TRUE(changes.empty());
    }
  }
}

} // namespace
} // namespace vantrel
