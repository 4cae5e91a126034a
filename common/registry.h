// CRegistry: the one way both programs read and write the registry. Every
// operation opens its key, acts and closes it again; no failure is
// reported: readers fall back to the caller's default and refused writes
// leave the registry as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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

  void DeleteValue(RegKey root, const std::string& path, const std::string& name);
  void CreateKey(RegKey root, const std::string& path);
  std::string GetSettingString(RegKey root, const std::string& path, const std::string& name,
                               const std::string& fallback = "");
  void SaveSettingString(RegKey root, const std::string& path, const std::string& name,
                         const std::string& data);
  // Empty optional stands for the no-value result.
  std::optional<std::vector<std::uint8_t>>
  GetSettingByte(RegKey root, const std::string& path, const std::string& name,
                 std::optional<std::vector<std::uint8_t>> fallback = std::nullopt);
  void SaveSettingByte(RegKey root, const std::string& path, const std::string& name,
                       const std::vector<std::uint8_t>& data);
  // The type of a value; nothing when the key or value is missing.
  std::optional<std::uint32_t> GetValueType(RegKey root, const std::string& path,
                                            const std::string& name);
  // A REG_SZ or REG_EXPAND_SZ value with its type; nothing for any other.
  std::optional<RegistryText> GetSettingText(RegKey root, const std::string& path,
                                             const std::string& name);
  // SaveSettingString with the type given (REG_SZ or REG_EXPAND_SZ).
  void SaveSettingText(RegKey root, const std::string& path, const std::string& name,
                       const RegistryText& value);
  // Lists the values of path as "name=data" texts in registry order;
  // entries is one empty string when there are none.
  bool EnumKey(RegKey root, const std::string& path, std::vector<std::string>& entries);
  // The data of the value called name as EnumKey lists it (so a value of
  // any type reads as the text the tree shows). Windows names values
  // without regard to case, so "dreg" finds "DReg"; a name may hold "=".
  std::optional<std::string> ListedValue(RegKey root, const std::string& path,
                                         std::string_view name);

private:
  Platform& platform_;
  std::uint32_t view_ = 0;
};

} // namespace vantrel
