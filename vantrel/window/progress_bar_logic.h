// The state and arithmetic of the status bar's progress bar: Value, Min,
// Max, Percent and Gradient, and where the bar is drawn for a given control
// width. The Win32 control only paints what this says.
#pragma once

#include <cstdint>

namespace vantrel {

class ProgressBarLogic {
public:
  // Stores the magnitude; the bar is drawn at the value given.
  void SetValue(float value);
  float Value() const { return value_; }
  // The scale's left edge. Nothing is redrawn.
  void SetMin(float minimum) { minimum_ = minimum; }
  float Min() const { return minimum_; }
  // The scale's right edge. Nothing is redrawn.
  void SetMax(float maximum) { maximum_ = maximum; }
  float Max() const { return maximum_; }
  // A value above 1 is a percentage and is stored divided by 100; 1 or less
  // is a fraction already. Value then becomes Max times the fraction.
  void SetPercent(float percent);
  float Percent() const { return percent_; }
  void SetGradient(bool gradient) { gradient_ = gradient; }
  bool Gradient() const { return gradient_; }

  // The width in pixels of the filled part of a control clientWidth pixels
  // wide: from the scale's left edge to the value last drawn, within the
  // control. 0 when the bar is empty.
  int FilledWidth(int clientWidth) const;
  // The blue of a gradient bar's column x (0..clientWidth-1), growing
  // brighter from left to right.
  static std::uint8_t GradientBlue(int x, int clientWidth);

private:
  // Width of the scale: Max - Min, or 1 when that is 0.
  float ScaleWidth() const;

  float value_ = 0;
  float drawnAt_ = 0;
  float minimum_ = 0;
  float maximum_ = 0;
  float percent_ = 0;
  bool gradient_ = false;
};

} // namespace vantrel
