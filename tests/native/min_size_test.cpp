// The corrections of a dragged window rectangle below the minimum size.
#include <gtest/gtest.h>

#include <vector>

#include "vantrel/window/min_size.h"

namespace vantrel {
namespace {

using namespace sizing_edge;

TEST(MinSize, TwipsToPixelsFollowsTheScreenResolution) {
  EXPECT_DOUBLE_EQ(TwipsToPixels(kMainWindowMinWidthTwips, 96), 715);
  EXPECT_DOUBLE_EQ(TwipsToPixels(kMainWindowMinWidthTwips, 120), 893.75);
  EXPECT_DOUBLE_EQ(TwipsToPixels(1440, 0), 96); // no answer: 96 dpi
}

TEST(MinSize, EachEdgeMovesOnlyTheDraggedSide) {
  // A 300 x 200 rectangle at (100, 50), far below the 715 x 419 minimum.
  const SizingRect small{100, 50, 400, 250};
  struct Row {
    int edge;
    SizingRect expected;
  };
  const std::vector<Row> rows = {
      {kLeft, {400 - 715, 50, 400, 250}},
      {kRight, {100, 50, 100 + 715, 250}},
      {kTop, {100, 250 - 419, 400, 250}},
      {kBottom, {100, 50, 400, 50 + 419}},
      {kTopLeft, {400 - 715, 250 - 419, 400, 250}},
      {kBottomRight, {100, 50, 100 + 715, 50 + 419}},
      {0, small}, // not a border: nothing to correct
      {9, small},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.edge);
    SizingRect rect = small;
    EnforceMinimumSize(row.edge, rect, 715, 419);
    EXPECT_EQ(rect, row.expected);
  }
}

TEST(MinSize, LargeEnoughIsUnchangedAndAxesAreIndependent) {
  SizingRect exact{10, 10, 725, 429};
  EnforceMinimumSize(kTopLeft, exact, 715, 419);
  EXPECT_EQ(exact, (SizingRect{10, 10, 725, 429}));

  // Narrow but tall enough: only the width moves.
  SizingRect narrow{0, 0, 500, 600};
  EnforceMinimumSize(kTopLeft, narrow, 715, 419);
  EXPECT_EQ(narrow, (SizingRect{-215, 0, 500, 600}));
}

TEST(MinSize, FractionalMinimumsRoundTiesToEven) {
  // 893.75 pixels at 120 dpi: the edge lands on the nearest pixel.
  SizingRect rect{0, 0, 100, 1000};
  EnforceMinimumSize(kRight, rect, 893.75, 10);
  EXPECT_EQ(rect.right, 894);
  // Halves go to the even neighbour.
  rect = {0, 0, 100, 1000};
  EnforceMinimumSize(kRight, rect, 200.5, 10);
  EXPECT_EQ(rect.right, 200);
  rect = {1, 0, 100, 1000};
  EnforceMinimumSize(kRight, rect, 200.5, 10);
  EXPECT_EQ(rect.right, 202);
}

} // namespace
} // namespace vantrel
