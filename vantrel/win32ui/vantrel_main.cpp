// Entry of Vantrel.exe: the process context over the real platform, the
// main window, Main, and then the window's message loop for as long as the
// window lives.
#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_platform.h"
#include "vantrel/app_context.h"
#include "vantrel/main_entry.h"
#include "vantrel/win32ui/startup_items_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  vantrel::win32::Win32Platform platform;
  vantrel::AppContext context(platform);
  vantrel::win32ui::StartupItemsWindow window(context, instance);
  if (vantrel::Main(context, window) == vantrel::MainOutcome::kWindowLives) {
    // The window posts the quit when it is destroyed.
    MSG message{};
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  return 0;
}
