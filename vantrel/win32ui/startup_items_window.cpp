#include "vantrel/win32ui/startup_items_window.h"

#include <string>

#include "common/event_log.h"
#include "vantrel/tray_command.h"

namespace vantrel::win32ui {

namespace {

constexpr const char* kClassName = "VantrelStartupItems";
// 10725 x 6285 twips at 15 twips a pixel.
constexpr int kWidth = 715;
constexpr int kHeight = 419;
constexpr const char* kTrayTip = "Vantrel";

// The system's description of the last error, without its line end.
std::string LastErrorText() {
  const DWORD error = ::GetLastError();
  char text[512] = {};
  const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, text, sizeof text, nullptr);
  std::string description(text, length);
  while (!description.empty() && (description.back() == '\n' || description.back() == '\r'))
    description.pop_back();
  return description.empty() ? "error " + std::to_string(error) : description;
}

} // namespace

StartupItemsWindow::StartupItemsWindow(AppContext& context, HINSTANCE instance)
    : context_(context), instance_(instance) {}

StartupItemsWindow::~StartupItemsWindow() {
  // The process ends: no close logic, just let go.
  tray_.reset();
  if (hwnd_ != nullptr)
    ::DestroyWindow(hwnd_);
}

HICON StartupItemsWindow::ClockIcon(int size) const {
  // Shared: the system keeps the image for the life of the process.
  if (HANDLE icon = ::LoadImageA(instance_, "clock", IMAGE_ICON, size, size, LR_SHARED))
    return static_cast<HICON>(icon);
  // Without the resource the standard application icon stands in, so that
  // the tray icon is still there to reach the window.
  return ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512)); // IDI_APPLICATION
}

void StartupItemsWindow::Load() {
  if (hwnd_ != nullptr)
    return;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &StartupItemsWindow::WndProc;
  windowClass.hInstance = instance_;
  windowClass.hIcon = ClockIcon(::GetSystemMetrics(SM_CXICON));
  windowClass.hIconSm = ClockIcon(::GetSystemMetrics(SM_CXSMICON));
  windowClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  ::RegisterClassExA(&windowClass); // fails harmlessly when already registered
  if (::CreateWindowExA(0, kClassName, kMainWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, kWidth, kHeight, nullptr, nullptr, instance_,
                        this) == nullptr) {
    WriteLog(context_.platform, "Startup Items Error! Reported: " + LastErrorText(), LogError);
    return;
  }
  FormLoad();
}

void StartupItemsWindow::FormLoad() {
  store_ = std::make_unique<CDelayLoad>(context_.NewDelayLoad());

  // The control lives as long as this object: it may be closing the window
  // from inside its own notification handling.
  if (tray_ == nullptr) {
    tray_ = std::make_unique<Tray>(context_);
    tray_->Create(instance_);
  }
  if (tray_->hwnd() != nullptr) {
    const HICON clock = ClockIcon(::GetSystemMetrics(SM_CXSMICON));
    tray_->SetPicture(clock);
    tray_->SetFormToPopup(this, hwnd_);
    tray_->ItemClicked = [this](std::int32_t id) { HandleTrayCommand(context_, *this, id); };
    tray_->LoadTrayIcon(kTrayTip);
  }

  if (context_.GuiMode) {
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::UpdateWindow(hwnd_);
    context_.platform.PumpMessages();
    const HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));
    RefreshData();
    ::SetCursor(previous);
  }
}

bool StartupItemsWindow::IsVisible() const {
  return hwnd_ != nullptr && ::IsWindowVisible(hwnd_);
}

bool StartupItemsWindow::IsMinimized() const {
  return hwnd_ != nullptr && ::IsIconic(hwnd_);
}

void StartupItemsWindow::Unload() {
  if (hwnd_ != nullptr)
    FormQueryUnload(CloseReason::kProgram);
}

void StartupItemsWindow::Restore() {
  if (hwnd_ != nullptr)
    ::ShowWindow(hwnd_, SW_RESTORE);
}

void StartupItemsWindow::ShowAndActivate() {
  if (hwnd_ == nullptr)
    return;
  ::ShowWindow(hwnd_, SW_SHOW);
  ::SetForegroundWindow(hwnd_);
}

void StartupItemsWindow::RefreshData() {
  // The item tree is not part of this window yet.
}

void StartupItemsWindow::ShowTipOfTheDay() {
  // The tip-of-the-day window is not part of Vantrel yet.
}

void StartupItemsWindow::FormQueryUnload(CloseReason reason) {
  if (closing_)
    return;
  closing_ = true;
  const bool closes = QueryUnloadMainWindow(context_, reason, [this] { CloseForGood(); });
  closing_ = false;
  if (!closes)
    ::ShowWindow(hwnd_, SW_HIDE);
  else if (hwnd_ != nullptr)
    ::DestroyWindow(hwnd_);
}

void StartupItemsWindow::CloseForGood() {
  if (tray_ != nullptr)
    tray_->RemoveTrayIcon();
  store_.reset();
}

LRESULT StartupItemsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_SYSCOMMAND:
    if ((wParam & 0xFFF0) == SC_CLOSE) {
      closeFromSystemMenu_ = true;
      const LRESULT result = ::DefWindowProcA(hwnd_, message, wParam, lParam);
      closeFromSystemMenu_ = false;
      return result;
    }
    break;
  case WM_CLOSE:
    // Not from the title bar or system menu: another program asked.
    FormQueryUnload(closeFromSystemMenu_ ? CloseReason::kUserClose : CloseReason::kTaskManager);
    return 0;
  case WM_QUERYENDSESSION:
    return TRUE;
  case WM_ENDSESSION:
    if (wParam != FALSE)
      FormQueryUnload(CloseReason::kWindowsShutdown);
    return 0;
  case WM_DESTROY:
    ::PostQuitMessage(0);
    return 0;
  default:
    break;
  }
  return ::DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK StartupItemsWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created =
        static_cast<StartupItemsWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    created->hwnd_ = hwnd;
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* window = reinterpret_cast<StartupItemsWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (window == nullptr)
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    window->hwnd_ = nullptr;
    window->store_.reset();
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  }
  return window->HandleMessage(message, wParam, lParam);
}

} // namespace vantrel::win32ui
