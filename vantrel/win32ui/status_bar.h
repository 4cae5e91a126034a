// The main window's status bar: panel 1 holds the progress bar, panel 2 a
// line of text from the language texts.
#pragma once

#include <string>

#include "common/platform/win32/win32_api.h"

namespace vantrel::win32ui {

class MainStatusBar {
public:
  bool Create(HWND parent, HINSTANCE instance, int id);
  HWND hwnd() const { return statusBar_; }
  int Height() const;
  // Follows the parent's new size and lays out the two panels.
  void Resize();
  void SetPanelText(const std::string& text);

private:
  HWND statusBar_ = nullptr;
};

} // namespace vantrel::win32ui
