// Registry members of Win32Platform: the ...A calls with the seam's handles.
#include "common/platform/win32/win32_convert.h"
#include "common/platform/win32/win32_platform.h"

namespace vantrel::win32 {

long Win32Platform::RegOpenKey(RegKey root, const std::string& subKey, RegKey* result,
                               std::uint32_t view) {
  if (result == nullptr)
    return win32err::kInvalidParameter;
  HKEY opened = nullptr;
  // MAXIMUM_ALLOWED: reading works where writing is refused (HKLM for a
  // user without administrator rights).
  const LONG rc = ::RegOpenKeyExA(ToHkey(root), subKey.c_str(), 0, MAXIMUM_ALLOWED | view, &opened);
  *result = rc == ERROR_SUCCESS ? FromHkey(opened) : 0;
  return rc;
}

long Win32Platform::RegCreateKey(RegKey root, const std::string& subKey, RegKey* result,
                                 std::uint32_t view) {
  if (result == nullptr)
    return win32err::kInvalidParameter;
  HKEY created = nullptr;
  const LONG rc =
      ::RegCreateKeyExA(ToHkey(root), subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        MAXIMUM_ALLOWED | view, nullptr, &created, nullptr);
  *result = rc == ERROR_SUCCESS ? FromHkey(created) : 0;
  return rc;
}

long Win32Platform::RegQueryValue(RegKey key, const std::string& name, std::uint32_t* type,
                                  std::uint8_t* data, std::uint32_t* dataSize) {
  if (data != nullptr && dataSize == nullptr)
    return win32err::kInvalidParameter;
  // Copied in and out, so that what the call leaves alone stays as it was.
  DWORD valueType = type != nullptr ? *type : 0;
  DWORD size = dataSize != nullptr ? *dataSize : 0;
  const LONG rc = ::RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &valueType, data,
                                     dataSize != nullptr ? &size : nullptr);
  if (type != nullptr)
    *type = valueType;
  if (dataSize != nullptr)
    *dataSize = size;
  return rc;
}

long Win32Platform::RegSetValue(RegKey key, const std::string& name, std::uint32_t type,
                                const std::uint8_t* data, std::uint32_t dataSize) {
  if (data == nullptr && dataSize != 0)
    return win32err::kInvalidParameter;
  return ::RegSetValueExA(ToHkey(key), name.c_str(), 0, type, data, dataSize);
}

long Win32Platform::RegEnumValue(RegKey key, std::uint32_t index, char* name,
                                 std::uint32_t* nameChars, std::uint32_t* type, std::uint8_t* data,
                                 std::uint32_t* dataSize) {
  if (name == nullptr || nameChars == nullptr || (data != nullptr && dataSize == nullptr))
    return win32err::kInvalidParameter;
  DWORD nameLength = *nameChars;
  DWORD valueType = type != nullptr ? *type : 0;
  DWORD size = dataSize != nullptr ? *dataSize : 0;
  const LONG rc = ::RegEnumValueA(ToHkey(key), index, name, &nameLength, nullptr,
                                  type != nullptr ? &valueType : nullptr, data,
                                  dataSize != nullptr ? &size : nullptr);
  *nameChars = nameLength;
  if (type != nullptr)
    *type = valueType;
  if (dataSize != nullptr)
    *dataSize = size;
  return rc;
}

long Win32Platform::RegDeleteValue(RegKey key, const std::string& name) {
  return ::RegDeleteValueA(ToHkey(key), name.c_str());
}

long Win32Platform::RegDeleteKey(RegKey root, const std::string& subKey) {
  return ::RegDeleteKeyA(ToHkey(root), subKey.c_str());
}

long Win32Platform::RegCloseKey(RegKey key) {
  return ::RegCloseKey(ToHkey(key));
}

} // namespace vantrel::win32
