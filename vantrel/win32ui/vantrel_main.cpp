// Entry of Vantrel.exe. For now it records that it ran and ends.
#include "common/event_log.h"
#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  vantrel::win32::Win32Platform platform;
  vantrel::WriteLog(platform, "Vantrel started.", vantrel::LogInfo);
  return 0;
}
