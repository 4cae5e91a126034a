// CRegistry: the one way both programs read and write the registry. Every
// operation opens its key, acts and closes it again; no failure is
// reported: readers fall back to the caller's default and refused writes
// leave the registry as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/platform/platform.h"

namespace vantrel {

// A text value as the registry holds it: its type and its text up to the
// first NUL.
struct RegistryText {
  std::uint32_t type = kRegSz;
  std::string text;
  bool operator==(const RegistryText&) const = default;
};

// REG_SZ and REG_EXPAND_SZ: the values Windows starts from a Run key.
constexpr bool IsTextType(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz;
}

class CRegistry {
public:
  // view: the registry view every key is opened in (0, kKeyWow64_64Key or
  // kKeyWow64_32Key).
  explicit CRegistry(Platform& platform, std::uint32_t view = 0)
      : platform_(platform), view_(view) {}

  void DeleteValue(RegKey hKey, const std::string& strPath, const std::string& strValue);
  void DeleteKey(RegKey hKey, const std::string& strPath);
  void CreateKey(RegKey hKey, const std::string& strPath);
  std::string GetSettingString(RegKey hKey, const std::string& strPath, const std::string& strValue,
                               const std::string& Default = "");
  void SaveSettingString(RegKey hKey, const std::string& strPath, const std::string& strValue,
                         const std::string& strData);
  void SaveSettingLong(RegKey hKey, const std::string& strPath, const std::string& strValue,
                       std::int32_t lData);
  std::int32_t GetSettingLong(RegKey hKey, const std::string& strPath, const std::string& strValue,
                              std::int32_t Default = 0);
  // Empty optional stands for the no-value result.
  std::optional<std::vector<std::uint8_t>>
  GetSettingByte(RegKey hKey, const std::string& strPath, const std::string& strValueName,
                 std::optional<std::vector<std::uint8_t>> Default = std::nullopt);
  void SaveSettingByte(RegKey hKey, const std::string& strPath, const std::string& strValueName,
                       const std::vector<std::uint8_t>& byData);
  void CreateExtension(const std::string& strExtension, const std::string& strIconPath,
                       std::int16_t iIconIndex, const std::string& strProperName,
                       const std::string& strContentType);
  // The type of a value; nothing when the key or value is missing.
  std::optional<std::uint32_t> GetValueType(RegKey hKey, const std::string& strPath,
                                            const std::string& strValue);
  // A REG_SZ or REG_EXPAND_SZ value with its type; nothing for any other.
  std::optional<RegistryText> GetSettingText(RegKey hKey, const std::string& strPath,
                                             const std::string& strValue);
  // SaveSettingString with the type given (REG_SZ or REG_EXPAND_SZ).
  void SaveSettingText(RegKey hKey, const std::string& strPath, const std::string& strValue,
                       const RegistryText& value);
  // Lists the values of Path as "name=data" texts in registry order;
  // Buffer is one empty string when there are none.
  bool EnumKey(RegKey hKey, const std::string& Path, std::vector<std::string>& Buffer);

private:
  Platform& platform_;
  std::uint32_t view_ = 0;
};

} // namespace vantrel
