// The smallest size a window may be dragged to. While the user drags a
// border, Windows proposes a rectangle (WM_SIZING); a rectangle narrower or
// lower than the minimum is widened or heightened on the dragged side, so
// that the opposite edge stays where it is.
#pragma once

#include <cstdint>

namespace vantrel {

// The main window's minimum outer size, in twips.
constexpr std::int32_t kMainWindowMinWidthTwips = 10725;
constexpr std::int32_t kMainWindowMinHeightTwips = 6285;

// The edge being dragged, as WM_SIZING's wParam gives it.
namespace sizing_edge {
constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kTop = 3;
constexpr int kTopLeft = 4;
constexpr int kTopRight = 5;
constexpr int kBottom = 6;
constexpr int kBottomLeft = 7;
constexpr int kBottomRight = 8;
} // namespace sizing_edge

// Laid out as a Win32 RECT.
struct SizingRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  bool operator==(const SizingRect&) const = default;
};

// Twips to pixels at a screen resolution in dots per inch (1440 twips an
// inch): 15 twips a pixel at 96 dpi.
double TwipsToPixels(std::int32_t twips, int dotsPerInch);

// Corrects the proposed rectangle: a width below minWidth (pixels) moves the
// dragged left or right edge out to the minimum, a height below minHeight
// the dragged top or bottom edge; width and height are corrected
// independently. The moved edge is rounded to the nearest pixel, ties to
// even. A large enough rectangle is left unchanged.
void EnforceMinimumSize(int edge, SizingRect& rect, double minWidth, double minHeight);

} // namespace vantrel
