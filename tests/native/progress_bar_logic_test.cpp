// The progress bar's Value, Percent, Min and Max rules and where it draws.
#include <gtest/gtest.h>

#include <vector>

#include "vantrel/window/progress_bar_logic.h"

namespace vantrel {
namespace {

// As the main window configures it: 0 to 100.
ProgressBarLogic ZeroToHundred() {
  ProgressBarLogic bar;
  bar.SetMin(0);
  bar.SetMax(100);
  bar.SetValue(0);
  bar.SetGradient(false);
  return bar;
}

TEST(ProgressBarLogic, PercentIsStoredAsAFractionAndSetsTheValue) {
  struct Row {
    float percent;
    float fraction;
    float value;
    int filledOf300;
  };
  const std::vector<Row> rows = {
      {33.33f, 0.3333f, 33.33f, 100},
      {0.5f, 0.5f, 50, 150},
      {1, 1, 100, 300},
      {0, 0, 0, 0},
      {100.0f / 3, 1.0f / 3, 100.0f / 3, 100},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.percent);
    ProgressBarLogic bar = ZeroToHundred();
    bar.SetPercent(row.percent);
    EXPECT_FLOAT_EQ(bar.Percent(), row.fraction);
    EXPECT_FLOAT_EQ(bar.Value(), row.value);
    EXPECT_EQ(bar.FilledWidth(300), row.filledOf300);
  }
}

TEST(ProgressBarLogic, ValueKeepsItsMagnitudeAndZeroClears) {
  ProgressBarLogic bar = ZeroToHundred();
  bar.SetValue(40);
  EXPECT_EQ(bar.FilledWidth(200), 80);
  bar.SetValue(-40);
  EXPECT_FLOAT_EQ(bar.Value(), 40);
  EXPECT_EQ(bar.FilledWidth(200), 0); // drawn at -40: left of the scale
  bar.SetValue(250);                  // beyond the scale stays inside the control
  EXPECT_EQ(bar.FilledWidth(200), 200);
}

TEST(ProgressBarLogic, MinAndMaxChangeTheScaleOfTheNextValue) {
  ProgressBarLogic bar = ZeroToHundred();
  bar.SetValue(50);
  EXPECT_EQ(bar.FilledWidth(100), 50);
  bar.SetMax(200);
  // The value last drawn is kept; the next draw uses the new scale.
  EXPECT_FLOAT_EQ(bar.Value(), 50);
  EXPECT_EQ(bar.FilledWidth(100), 25);
  bar.SetMin(100);
  bar.SetValue(200); // the maximum fills the bar whatever the minimum
  EXPECT_EQ(bar.FilledWidth(100), 100);

  ProgressBarLogic empty; // Min and Max 0: the scale is one unit wide
  empty.SetValue(0.5f);
  EXPECT_EQ(empty.FilledWidth(10), 5);
}

TEST(ProgressBarLogic, GradientGrowsBrighterToTheRight) {
  EXPECT_EQ(ProgressBarLogic::GradientBlue(0, 100), 64);
  EXPECT_EQ(ProgressBarLogic::GradientBlue(99, 100), 255);
  EXPECT_LT(ProgressBarLogic::GradientBlue(30, 100), ProgressBarLogic::GradientBlue(60, 100));
  EXPECT_EQ(ProgressBarLogic::GradientBlue(5, 1), 255);
}

} // namespace
} // namespace vantrel
