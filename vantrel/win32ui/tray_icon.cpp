#include "vantrel/win32ui/tray_icon.h"

#include <cstring>

#include "common/exception_policy.h"
#include "vantrel/tray/tray_command.h"
#include "vantrel/win32ui/tray_popup.h"

namespace vantrel::win32ui {

namespace {

constexpr const char* kClassName = "VantrelTray";
constexpr UINT kIconId = 1;
// The shell reports mouse activity on the icon as this message, with the
// mouse message itself in lParam.
constexpr UINT kCallbackMessage = WM_MOUSEMOVE;
constexpr UINT kFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

TrayMouse MouseOf(LPARAM lParam) {
  switch (static_cast<UINT>(lParam)) {
  case WM_LBUTTONDOWN:
    return TrayMouse::kLeftClick;
  case WM_LBUTTONDBLCLK:
    return TrayMouse::kLeftDoubleClick;
  case WM_RBUTTONUP: // on release, so that the menu does not catch it
    return TrayMouse::kRightClick;
  default:
    return TrayMouse::kOther;
  }
}

} // namespace

Tray::Tray(AppContext& context) : context_(context) {}

Tray::~Tray() {
  if (loaded_)
    RemoveTrayIcon();
  menuToPopup_ = nullptr;
  formToPopup_ = nullptr;
  if (hwnd_ != nullptr)
    ::DestroyWindow(hwnd_);
  if (picture_ != nullptr)
    ::DestroyIcon(picture_);
}

bool Tray::Create(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = &Tray::WndProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  ::RegisterClassExA(&windowClass); // fails harmlessly when already registered
  // A hidden top-level window rather than a message-only one: only
  // top-level windows hear the TaskbarCreated broadcast.
  hwnd_ = ::CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, instance, this);
  taskbarCreated_ = ::RegisterWindowMessageA("TaskbarCreated");
  return hwnd_ != nullptr;
}

void Tray::SetPicture(HICON icon) {
  if (picture_ != nullptr)
    ::DestroyIcon(picture_);
  picture_ = icon != nullptr ? ::CopyIcon(icon) : nullptr;
}

void Tray::SetFormToPopup(MainWindowPort* window, HWND handle) {
  formToPopup_ = window;
  formHandle_ = handle;
}

bool Tray::Notify(DWORD command) {
  return ::Shell_NotifyIconA(command, &data_) != FALSE;
}

bool Tray::LoadTrayIcon(const std::string& tip) {
  if (picture_ == nullptr)
    return false;
  data_ = NOTIFYICONDATAA{};
  // The original, smallest record: a 64-byte tip and nothing after it.
  data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data_.hWnd = hwnd_;
  data_.uID = kIconId;
  data_.uFlags = kFlags;
  data_.uCallbackMessage = kCallbackMessage;
  data_.hIcon = picture_;
  ::lstrcpynA(data_.szTip, tip.c_str(), sizeof data_.szTip);
  // A failed add leaves no icon and is not reported.
  Notify(NIM_ADD);
  loaded_ = true;
  return true;
}

bool Tray::RemoveTrayIcon() {
  NOTIFYICONDATAA remove{};
  remove.cbSize = NOTIFYICONDATAA_V1_SIZE;
  remove.hWnd = hwnd_;
  remove.uID = kIconId;
  ::Shell_NotifyIconA(NIM_DELETE, &remove);
  loaded_ = false;
  return true;
}

bool Tray::ToolTip(const std::string& tip) {
  ::lstrcpynA(data_.szTip, tip.c_str(), sizeof data_.szTip);
  Notify(NIM_MODIFY);
  return true;
}

void Tray::OnMouse(TrayMouse mouse) {
  switch (clicks_.OnMouse(mouse)) {
  case TrayAction::kShowWindow:
    if (formToPopup_ != nullptr && formToPopup_->IsLoaded())
      OpenMainWindow(context_, *formToPopup_);
    break;
  case TrayAction::kShowMenu: {
    const std::int32_t id = ShowTrayMenu(context_, formHandle_ != nullptr ? formHandle_ : hwnd_);
    if (ItemClicked)
      ItemClicked(id);
    break;
  }
  case TrayAction::kNone:
    break;
  }
}

LRESULT Tray::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCallbackMessage && wParam == kIconId) {
    OnMouse(MouseOf(lParam));
    return 0;
  }
  if (message == WM_LBUTTONDBLCLK) {
    OnMouse(TrayMouse::kLeftDoubleClick);
    return 0;
  }
  if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    // Explorer started again and has forgotten every icon.
    if (loaded_)
      Notify(NIM_ADD);
    return 0;
  }
  return ::DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Tray::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<Tray*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    created->hwnd_ = hwnd;
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* tray = reinterpret_cast<Tray*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (tray == nullptr)
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    tray->hwnd_ = nullptr;
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  }
  return CatchAtWindowEntry([&] { return tray->HandleMessage(message, wParam, lParam); },
                            [&] { return ::DefWindowProcA(hwnd, message, wParam, lParam); });
}

} // namespace vantrel::win32ui
