#include "vantrel/win32ui/status_bar.h"

#include <commctrl.h>

namespace vantrel::win32ui {

namespace {

// Panel 1's width at 96 dots per inch.
constexpr int kProgressPanelWidth = 160;

} // namespace

bool MainStatusBar::Create(HWND parent, HINSTANCE instance, int id) {
  statusBar_ = ::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                                 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 instance, nullptr);
  if (statusBar_ == nullptr)
    return false;
  Resize();
  return true;
}

int MainStatusBar::Height() const {
  RECT bounds{};
  if (statusBar_ == nullptr || ::GetWindowRect(statusBar_, &bounds) == FALSE)
    return 0;
  return bounds.bottom - bounds.top;
}

void MainStatusBar::Resize() {
  if (statusBar_ == nullptr)
    return;
  ::SendMessageA(statusBar_, WM_SIZE, 0, 0);
  const UINT dpi = ::GetDpiForWindow(statusBar_);
  const int first = ::MulDiv(kProgressPanelWidth, dpi == 0 ? 96 : static_cast<int>(dpi), 96);
  const int parts[2] = {first, -1};
  ::SendMessageA(statusBar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
}

void MainStatusBar::SetPanelText(const std::string& text) {
  if (statusBar_ != nullptr)
    ::SendMessageA(statusBar_, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace vantrel::win32ui
