#include "vantrel/window/min_size.h"

#include <cmath>

namespace vantrel {

namespace {

constexpr double kTwipsPerInch = 1440;

// std::nearbyint rounds ties to even under the default rounding mode.
std::int32_t RoundedEdge(double edge) {
  return static_cast<std::int32_t>(std::nearbyint(edge));
}

} // namespace

double TwipsToPixels(std::int32_t twips, int dotsPerInch) {
  if (dotsPerInch <= 0)
    dotsPerInch = 96;
  return twips / (kTwipsPerInch / dotsPerInch);
}

void EnforceMinimumSize(int edge, SizingRect& rect, double minWidth, double minHeight) {
  using namespace sizing_edge;
  if (rect.right - rect.left < minWidth) {
    if (edge == kLeft || edge == kTopLeft || edge == kBottomLeft)
      rect.left = RoundedEdge(rect.right - minWidth);
    else if (edge == kRight || edge == kTopRight || edge == kBottomRight)
      rect.right = RoundedEdge(rect.left + minWidth);
  }
  if (rect.bottom - rect.top < minHeight) {
    if (edge == kTop || edge == kTopLeft || edge == kTopRight)
      rect.top = RoundedEdge(rect.bottom - minHeight);
    else if (edge == kBottom || edge == kBottomLeft || edge == kBottomRight)
      rect.bottom = RoundedEdge(rect.top + minHeight);
  }
}

} // namespace vantrel
