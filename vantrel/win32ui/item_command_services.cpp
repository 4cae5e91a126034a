#include "vantrel/win32ui/item_command_services.h"

#include "common/platform/win32/win32_api.h"

namespace vantrel::win32ui {

std::optional<items::LocalTime> SystemLocalTime() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return items::LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

items::ItemCommandServices Win32ItemCommandServices() {
  items::ItemCommandServices services;
  services.localTime = SystemLocalTime;
  return services;
}

} // namespace vantrel::win32ui
