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

class CRegistry {
public:
  explicit CRegistry(Platform& platform) : platform_(platform) {}

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
  // Lists the values of Path as "name=data" texts in registry order;
  // Buffer is one empty string when there are none.
  bool EnumKey(RegKey hKey, const std::string& Path, std::vector<std::string>& Buffer);

private:
  Platform& platform_;
};

} // namespace vantrel
