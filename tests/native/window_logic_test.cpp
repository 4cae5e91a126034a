// The portable rules behind two windows: the progress bar's scale and the
// main window's minimum size.
#include <gtest/gtest.h>

#include <tuple>

#include "vantrel/window/min_size.h"
#include "vantrel/window/progress_bar_logic.h"

namespace vantrel {
namespace {

// Percent as a share or a fraction; the value's magnitude kept but drawn
// where it is (left of the scale, or clamped inside the control); the
// maximum fills the bar whatever the minimum; Min and Max 0 make a scale
// one unit wide.
TEST(ProgressBarLogic, PercentValueAndScale) {
  const struct {
    float min, max, percent, value, magnitude; // percent < 0: the value is set
    int filledOf300;
  } rows[] = {
      {0, 100, 33.33f, 0, 33.33f, 100}, {0, 100, 0.5f, 0, 50, 150},  {0, 100, 0, 0, 0, 0},
      {0, 100, -1, -40, 40, 0},         {0, 100, -1, 250, 250, 300}, {100, 200, -1, 200, 200, 300},
      {0, 0, -1, 0.5f, 0.5f, 150}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value + row.percent);
    ProgressBarLogic bar;
    bar.SetMax(row.max);
    bar.SetMin(row.min);
    if (row.percent >= 0)
      bar.SetPercent(row.percent);
    else
      bar.SetValue(row.value);
    EXPECT_FLOAT_EQ(bar.Value(), row.magnitude);
    EXPECT_EQ(bar.FilledWidth(300), row.filledOf300);
  }
  for (const auto& [x, width, blue] : {std::tuple{0, 100, 64}, {33, 100, 127}, {5, 1, 255}})
    EXPECT_EQ(ProgressBarLogic::GradientBlue(x, width), blue) << x;
}

// Only the dragged side moves, to the nearest pixel (halves to the even
// one); a dimension that is large enough stays.
TEST(MinSize, EachEdgeMovesOnlyTheDraggedSide) {
  using namespace sizing_edge;
  EXPECT_DOUBLE_EQ(TwipsToPixels(kMainWindowMinWidthTwips, 96), 715);
  EXPECT_DOUBLE_EQ(TwipsToPixels(kMainWindowMinWidthTwips, 120), 893.75);
  EXPECT_DOUBLE_EQ(TwipsToPixels(1440, 0), 96); // no answer: 96 dpi
  const std::tuple<int, SizingRect, SizingRect, double> rows[] = {
      {kLeft, {100, 50, 400, 250}, {400 - 715, 50, 400, 250}, 715},
      {kRight, {100, 50, 400, 250}, {100, 50, 100 + 715, 250}, 715},
      {kTop, {100, 50, 400, 250}, {100, 250 - 419, 400, 250}, 715},
      {kBottom, {100, 50, 400, 250}, {100, 50, 400, 50 + 419}, 715},
      {kTopLeft, {100, 50, 400, 250}, {400 - 715, 250 - 419, 400, 250}, 715},
      {0, {100, 50, 400, 250}, {100, 50, 400, 250}, 715}, // not a border
      {kTopLeft, {0, 0, 500, 600}, {-215, 0, 500, 600}, 715},
      {kRight, {0, 0, 100, 600}, {0, 0, 894, 600}, 893.75},
      {kRight, {0, 0, 100, 600}, {0, 0, 200, 600}, 200.5},
      {kRight, {1, 0, 100, 600}, {1, 0, 202, 600}, 200.5},
  };
  for (auto [edge, rect, expected, minWidth] : rows) {
    EnforceMinimumSize(edge, rect, minWidth, 419);
    EXPECT_EQ(rect, expected) << edge << " " << minWidth;
  }
}

} // namespace
} // namespace vantrel
