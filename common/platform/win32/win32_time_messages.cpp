// Time, message and message-box members of Win32Platform.
#include <vector>

#include "common/platform/win32/win32_convert.h"
#include "common/platform/win32/win32_platform.h"

namespace vantrel::win32 {

namespace {

// GetTimeFormatA and GetDateFormatA share their shape: ask for the size,
// then fill.
template <typename Format> std::string Formatted(Format format) {
  const int needed = format(nullptr, 0);
  if (needed <= 0)
    return {};
  std::vector<char> buffer(static_cast<std::size_t>(needed));
  const int written = format(buffer.data(), needed);
  if (written <= 0)
    return {};
  return CutAtNul(buffer.data(), buffer.size());
}

std::string TimeOfDay(const SYSTEMTIME& when) {
  return Formatted([&](char* buffer, int size) {
    return ::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &when, nullptr, buffer, size);
  });
}

std::string ShortDate(const SYSTEMTIME& when) {
  return Formatted([&](char* buffer, int size) {
    return ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, buffer, size);
  });
}

} // namespace

std::uint32_t Win32Platform::GetTickCount() {
  return ::GetTickCount();
}

void Win32Platform::Sleep(std::uint32_t milliseconds) {
  ::Sleep(milliseconds);
}

std::string Win32Platform::FormatTimeOfDay() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return TimeOfDay(now);
}

std::string Win32Platform::FormatDateTime() {
  // One reading of the clock for both halves, so that a call just before
  // midnight cannot pair one day's date with the next day's time.
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return ShortDate(now) + " " + TimeOfDay(now);
}

void Win32Platform::WaitForMessages(std::uint32_t milliseconds) {
  // MWMO_INPUTAVAILABLE: also wake for messages that are already queued
  // but were seen (not removed) by an earlier peek.
  ::MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void Win32Platform::PumpMessages() {
  MSG message{};
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Leave the quit for the message loop that owns the process.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

int Win32Platform::MessageBox(WindowHandle owner, const std::string& text,
                              const std::string& caption, std::uint32_t flags) {
  return ::MessageBoxA(ToHwnd(owner), text.c_str(), caption.c_str(), flags);
}

} // namespace vantrel::win32
