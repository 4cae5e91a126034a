// AdvProgressBar: a small progress bar that draws itself, as one filled
// block or as a blue colour ramp, and can sit inside a panel of a status
// bar. The arithmetic is ProgressBarLogic's; this control paints it.
#pragma once

#include <functional>

#include "common/platform/win32/win32_api.h"
#include "vantrel/window/progress_bar_logic.h"

namespace vantrel::win32ui {

class AdvProgressBar {
public:
  AdvProgressBar() = default;
  ~AdvProgressBar();
  AdvProgressBar(const AdvProgressBar&) = delete;
  AdvProgressBar& operator=(const AdvProgressBar&) = delete;

  // Creates the control's window as a child of owner; false on failure.
  bool Create(HWND owner, HINSTANCE instance);
  HWND hwnd() const { return hwnd_; }

  // Writing Value or Percent redraws the bar at once (a refresh runs without
  // letting messages through). Min, Max and Gradient take effect at the
  // next draw.
  void SetValue(float value);
  float Value() const { return logic_.Value(); }
  void SetMin(float minimum) { logic_.SetMin(minimum); }
  float Min() const { return logic_.Min(); }
  void SetMax(float maximum) { logic_.SetMax(maximum); }
  float Max() const { return logic_.Max(); }
  void SetPercent(float percent);
  float Percent() const { return logic_.Percent(); }
  void SetGradient(bool gradient) { logic_.SetGradient(gradient); }
  bool Gradient() const { return logic_.Gradient(); }

  // The window the control lives in (SetParent); a status bar in Vantrel.
  void SetMyParent(HWND parent);
  HWND MyParent() const { return myParent_; }
  // Fits the control into this 1-based panel of the status bar MyParent.
  void SetStatusBarPanelIndex(int index);
  int StatusBarPanelIndex() const { return panelIndex_; }
  // Fits it again after the status bar changed its panels.
  void FitIntoPanel();

  // The user clicked the control.
  std::function<void()> Click;

private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void Redraw();

  HWND hwnd_ = nullptr;
  HWND myParent_ = nullptr;
  int panelIndex_ = 0;
  ProgressBarLogic logic_;
};

} // namespace vantrel::win32ui
