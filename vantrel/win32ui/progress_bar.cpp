#include "vantrel/win32ui/progress_bar.h"
#include "common/exception_policy.h"
#include "vantrel/win32ui/ui_handles.h"

#include <commctrl.h>

#include <algorithm>

namespace vantrel::win32ui {

namespace {

constexpr const char* kProgressBarClass = "VantrelAdvProgressBar";
// The panel's sunken border stays visible around the bar.
constexpr int kPanelInset = 2;

bool RegisterClassOnce(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExA(instance, kProgressBarClass, &existing) != FALSE)
    return true;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
  windowClass.lpszClassName = kProgressBarClass;
  return ::RegisterClassExA(&windowClass) != 0;
}

} // namespace

AdvProgressBar::~AdvProgressBar() {
  if (hwnd_ != nullptr) {
    ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
}

bool AdvProgressBar::Create(HWND owner, HINSTANCE instance) {
  if (!RegisterClassOnce(instance, &AdvProgressBar::WndProc))
    return false;
  hwnd_ = ::CreateWindowExA(0, kProgressBarClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                            10, 10, owner, nullptr, instance, this);
  return hwnd_ != nullptr;
}

void AdvProgressBar::SetValue(float value) {
  logic_.SetValue(value);
  Redraw();
}

void AdvProgressBar::SetPercent(float percent) {
  logic_.SetPercent(percent);
  Redraw();
}

void AdvProgressBar::Redraw() {
  if (hwnd_ == nullptr)
    return;
  ::InvalidateRect(hwnd_, nullptr, FALSE);
  ::UpdateWindow(hwnd_);
}

void AdvProgressBar::SetMyParent(HWND parent) {
  myParent_ = parent;
  if (hwnd_ != nullptr)
    ::SetParent(hwnd_, parent);
}

void AdvProgressBar::SetStatusBarPanelIndex(int index) {
  panelIndex_ = index;
  FitIntoPanel();
}

void AdvProgressBar::FitIntoPanel() {
  if (hwnd_ == nullptr || myParent_ == nullptr || panelIndex_ < 1)
    return;
  RECT panel{};
  if (::SendMessageA(myParent_, SB_GETRECT, static_cast<WPARAM>(panelIndex_ - 1),
                     reinterpret_cast<LPARAM>(&panel)) == FALSE)
    return;
  ::SetWindowPos(hwnd_, HWND_TOP, panel.left + kPanelInset, panel.top + kPanelInset,
                 std::max<int>(0, panel.right - panel.left - 2 * kPanelInset),
                 std::max<int>(0, panel.bottom - panel.top - 2 * kPanelInset), SWP_NOACTIVATE);
}

void AdvProgressBar::Paint() {
  PAINTSTRUCT paint{};
  const HDC dc = ::BeginPaint(hwnd_, &paint);
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
  const int filled = logic_.FilledWidth(client.right);
  if (filled > 0 && !logic_.Gradient()) {
    RECT bar = client;
    bar.right = filled;
    ::FillRect(dc, &bar, ::GetSysColorBrush(COLOR_HIGHLIGHT));
  } else if (filled > 0) {
    for (int x = 0; x < filled; ++x) {
      const UniqueBrush shade(
          ::CreateSolidBrush(RGB(0, 0, ProgressBarLogic::GradientBlue(x, client.right))));
      const RECT column{x, client.top, x + 1, client.bottom};
      ::FillRect(dc, &column, shade.get());
    }
  }
  ::EndPaint(hwnd_, &paint);
}

LRESULT CALLBACK AdvProgressBar::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto handle = [&]() -> LRESULT {
    if (message == WM_NCCREATE) {
      auto* created =
          static_cast<AdvProgressBar*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
      created->hwnd_ = hwnd;
      ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* bar = reinterpret_cast<AdvProgressBar*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (bar != nullptr) {
      switch (message) {
      case WM_PAINT:
        bar->Paint();
        return 0;
      case WM_ERASEBKGND:
        return 1; // Paint covers every pixel
      case WM_LBUTTONUP:
        if (bar->Click)
          bar->Click();
        return 0;
      case WM_NCDESTROY:
        bar->hwnd_ = nullptr;
        break;
      default:
        break;
      }
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  };
  return CatchAtWindowEntry(handle,
                            [&] { return ::DefWindowProcA(hwnd, message, wParam, lParam); });
}

} // namespace vantrel::win32ui
