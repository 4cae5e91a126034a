#include "vantrel/window/progress_bar_logic.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

void ProgressBarLogic::SetValue(float value) {
  value_ = std::fabs(value);
  drawnAt_ = value;
}

void ProgressBarLogic::SetPercent(float percent) {
  percent_ = percent > 1 ? percent / 100 : percent;
  SetValue(maximum_ * percent_);
}

float ProgressBarLogic::ScaleWidth() const {
  // The scale runs from Min to Max, so that Max always fills the bar.
  const float width = maximum_ - minimum_;
  return width == 0 ? 1.0f : width;
}

int ProgressBarLogic::FilledWidth(int clientWidth) const {
  if (drawnAt_ == 0 || clientWidth <= 0)
    return 0;
  const double share = (static_cast<double>(drawnAt_) - minimum_) / ScaleWidth();
  const double pixels = std::nearbyint(share * clientWidth);
  return static_cast<int>(std::clamp(pixels, 0.0, static_cast<double>(clientWidth)));
}

std::uint8_t ProgressBarLogic::GradientBlue(int x, int clientWidth) {
  if (clientWidth <= 1)
    return 255;
  constexpr int kDarkest = 64;
  const int blue =
      kDarkest + (255 - kDarkest) * std::clamp(x, 0, clientWidth - 1) / (clientWidth - 1);
  return static_cast<std::uint8_t>(blue);
}

} // namespace vantrel
