// Entry of VantrelSync.exe: a GUI-subsystem program without a window, so
// that starting it never flashes a console.
#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_platform.h"
#include "vantrelsync/run_vantrel_sync.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  vantrel::win32::Win32Platform platform;
  // commandLine holds what follows the program's name.
  return vantrel::sync::RunVantrelSync(platform, commandLine != nullptr ? commandLine : "");
}
