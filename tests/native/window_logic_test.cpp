// The portable rules behind two windows: the progress bar's scale and the
// main window's minimum size.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "vantrel/window/min_size.h"
#include "vantrel/window/progress_bar_logic.h"

namespace vantrel {
namespace {

// As the main window configures it: 0 to 100.
ProgressBarLogic ZeroToHundred() {
  ProgressBarLogic bar;
  bar.SetMax(100);
  return bar;
}

TEST(ProgressBarLogic, PercentValueAndScale) {
  const struct {
    float percent, fraction, value;
    int filledOf300;
  } rows[] = {
      {33.33f, 0.3333f, 33.33f, 100},
      {0.5f, 0.5f, 50, 150},
      {0, 0, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.percent);
    ProgressBarLogic bar = ZeroToHundred();
    bar.SetPercent(row.percent);
    EXPECT_FLOAT_EQ(bar.Percent(), row.fraction);
    EXPECT_FLOAT_EQ(bar.Value(), row.value);
    EXPECT_EQ(bar.FilledWidth(300), row.filledOf300);
  }
  ProgressBarLogic bar = ZeroToHundred();
  bar.SetValue(-40);
  EXPECT_FLOAT_EQ(bar.Value(), 40);   // the magnitude is kept
  EXPECT_EQ(bar.FilledWidth(200), 0); // drawn at -40: left of the scale
  bar.SetValue(250);                  // beyond the scale stays inside the control
  EXPECT_EQ(bar.FilledWidth(200), 200);
  bar.SetMax(200);
  bar.SetMin(100);
  bar.SetValue(200); // the maximum fills the bar whatever the minimum
  EXPECT_EQ(bar.FilledWidth(100), 100);
  ProgressBarLogic empty; // Min and Max 0: the scale is one unit wide
  empty.SetValue(0.5f);
  EXPECT_EQ(empty.FilledWidth(10), 5);

  EXPECT_EQ(ProgressBarLogic::GradientBlue(0, 100), 64);
  EXPECT_EQ(ProgressBarLogic::GradientBlue(33, 100), 127);
  EXPECT_EQ(ProgressBarLogic::GradientBlue(5, 1), 255);
}

TEST(MinSize, EachEdgeMovesOnlyTheDraggedSide) {
  using namespace sizing_edge;
  EXPECT_DOUBLE_EQ(TwipsToPixels(kMainWindowMinWidthTwips, 96), 715);
  EXPECT_DOUBLE_EQ(TwipsToPixels(kMainWindowMinWidthTwips, 120), 893.75);
  EXPECT_DOUBLE_EQ(TwipsToPixels(1440, 0), 96); // no answer: 96 dpi

  // A 300 x 200 rectangle at (100, 50), far below the 715 x 419 minimum.
  const SizingRect small{100, 50, 400, 250};
  const std::pair<int, SizingRect> rows[] = {
      {kLeft, {400 - 715, 50, 400, 250}},           {kRight, {100, 50, 100 + 715, 250}},
      {kTop, {100, 250 - 419, 400, 250}},           {kBottom, {100, 50, 400, 50 + 419}},
      {kTopLeft, {400 - 715, 250 - 419, 400, 250}}, {0, small}, // not a border: nothing to correct
  };
  for (const auto& [edge, expected] : rows) {
    SizingRect rect = small;
    EnforceMinimumSize(edge, rect, 715, 419);
    EXPECT_EQ(rect, expected) << edge;
  }
  SizingRect narrow{0, 0, 500, 600}; // tall enough: only the width moves
  EnforceMinimumSize(kTopLeft, narrow, 715, 419);
  EXPECT_EQ(narrow, (SizingRect{-215, 0, 500, 600}));
  // Fractional minimums land on the nearest pixel, halves on the even one.
  for (const auto& [left, minimum, right] :
       {std::tuple{0, 893.75, 894}, std::tuple{0, 200.5, 200}, std::tuple{1, 200.5, 202}}) {
    SizingRect rect{left, 0, 100, 1000};
    EnforceMinimumSize(kRight, rect, minimum, 10);
    EXPECT_EQ(rect.right, right) << minimum;
  }
}

} // namespace
} // namespace vantrel
