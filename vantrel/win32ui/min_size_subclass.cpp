#include "vantrel/win32ui/min_size_subclass.h"

#include "vantrel/window/min_size.h"

namespace vantrel::win32ui {

namespace {

struct TrackedWindow {
  HWND window = nullptr;
  WNDPROC previous = nullptr;
  std::int32_t minWidthTwips = 0;
  std::int32_t minHeightTwips = 0;
};

// The table of tracked windows: one entry. Messages for the window arrive
// one at a time on its thread, so no lock is needed.
TrackedWindow tracked;

// The resolution the window is shown at; the system's when it has none.
int DotsPerInch(HWND window, bool horizontal) {
  if (const UINT dpi = ::GetDpiForWindow(window); dpi != 0)
    return static_cast<int>(dpi);
  const HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, horizontal ? LOGPIXELSX : LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi;
}

} // namespace

bool InstallMinimumSize(HWND window, std::int32_t minWidthTwips, std::int32_t minHeightTwips) {
  if (window == nullptr || tracked.window != nullptr)
    return false;
  tracked.window = window;
  tracked.minWidthTwips = minWidthTwips;
  tracked.minHeightTwips = minHeightTwips;
  tracked.previous = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MinimumSizeProc)));
  if (tracked.previous == nullptr) {
    tracked = TrackedWindow{};
    return false;
  }
  return true;
}

void RemoveMinimumSize(HWND window) {
  if (window == nullptr || window != tracked.window)
    return;
  ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(tracked.previous));
  tracked = TrackedWindow{};
}

LRESULT CALLBACK MinimumSizeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window != tracked.window || tracked.previous == nullptr)
    return 0;
  if (message == WM_NCDESTROY) {
    // A window destroyed while tracked lets go of the table entry, so that a
    // window created later can be tracked.
    const WNDPROC previous = tracked.previous;
    tracked = TrackedWindow{};
    return ::CallWindowProcA(previous, window, message, wParam, lParam);
  }
  if (message != WM_SIZING)
    return ::CallWindowProcA(tracked.previous, window, message, wParam, lParam);

  // The proposed rectangle is copied into a work area, corrected and
  // copied back; the previous procedure never sees this message.
  auto* proposed = reinterpret_cast<RECT*>(lParam);
  SizingRect work{proposed->left, proposed->top, proposed->right, proposed->bottom};
  const double minWidth = TwipsToPixels(tracked.minWidthTwips, DotsPerInch(window, true));
  const double minHeight = TwipsToPixels(tracked.minHeightTwips, DotsPerInch(window, false));
  EnforceMinimumSize(static_cast<int>(wParam), work, minWidth, minHeight);
  *proposed = RECT{work.left, work.top, work.right, work.bottom};
  return 0;
}

} // namespace vantrel::win32ui
