#include "vantrel/win32ui/item_command_services.h"

#include <vector>

#include "common/platform/win32/win32_api.h"

namespace vantrel::win32ui {

std::optional<items::LocalTime> SystemLocalTime() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return items::LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::string SystemCodePageToUtf8(std::string_view text) {
  if (text.empty())
    return {};
  const int size = static_cast<int>(text.size());
  const int wideChars = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  if (wideChars <= 0)
    return std::string(text);
  std::vector<wchar_t> wide(static_cast<std::size_t>(wideChars));
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), wideChars);
  const int bytes =
      ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideChars, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0)
    return std::string(text);
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideChars, utf8.data(), bytes, nullptr, nullptr);
  return utf8;
}

items::ItemCommandServices Win32ItemCommandServices() {
  items::ItemCommandServices services;
  services.localTime = SystemLocalTime;
  services.toUtf8 = SystemCodePageToUtf8;
  return services;
}

} // namespace vantrel::win32ui
