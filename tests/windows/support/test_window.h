// A plain top-level window for tests that need one: it counts the WM_APP
// messages it receives and is destroyed with the object.
#pragma once

#include <string>

#include "common/platform/win32/win32_api.h"

namespace vantrel::testing {

class TestWindow {
public:
  explicit TestWindow(const std::string& title);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND handle() const { return window_; }
  int appMessages() const { return appMessages_; }

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  int appMessages_ = 0;
};

} // namespace vantrel::testing
