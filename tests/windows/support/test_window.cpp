#include "windows/support/test_window.h"

namespace vantrel::testing {

namespace {

constexpr const char* kClassName = "VantrelTestWindow";

} // namespace

TestWindow::TestWindow(const std::string& title) {
  static const bool registered = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &TestWindow::Procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    return ::RegisterClassA(&windowClass) != 0;
  }();
  if (!registered)
    return;
  window_ = ::CreateWindowExA(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                              nullptr, nullptr, ::GetModuleHandleA(nullptr), this);
}

TestWindow::~TestWindow() {
  if (window_ != nullptr)
    ::DestroyWindow(window_);
}

LRESULT CALLBACK TestWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TestWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self != nullptr && message == WM_APP)
    ++self->appMessages_;
  return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace vantrel::testing
