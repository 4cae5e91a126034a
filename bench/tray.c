/* A yardstick for Vantrel's start-up benchmarks: what any program with a
 * tray icon does at the least. It creates a hidden window, adds its
 * notification icon, removes it again and ends. */
#include <windows.h>
#include <shellapi.h>
int WINAPI WinMain(HINSTANCE instance, HINSTANCE b, LPSTR c, int d) {
  (void)b; (void)c; (void)d;
  HWND window = CreateWindowExA(0, "STATIC", "tray", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL,
                                NULL, instance, NULL);
  NOTIFYICONDATAA icon;
  ZeroMemory(&icon, sizeof icon);
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = window;
  icon.uID = 1;
  icon.uFlags = NIF_ICON | NIF_TIP;
  icon.hIcon = LoadIconA(NULL, IDI_APPLICATION);
  lstrcpyA(icon.szTip, "tray");
  Shell_NotifyIconA(NIM_ADD, &icon);
  Shell_NotifyIconA(NIM_DELETE, &icon);
  DestroyWindow(window);
  return 0;
}
