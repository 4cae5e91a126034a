#include "common/startup_approved.h"

#include "common/registry.h"

namespace vantrel {

namespace {

// The key is not redirected for 32-bit programs; it is read and written
// where a 64-bit program sees it.
CRegistry SwitchRegistry(Platform& platform) {
  return CRegistry(platform, kKeyWow64_64Key);
}

} // namespace

std::string StartupSwitch::Where() const {
  return std::string(root == kHkeyCurrentUser ? "HKEY_CURRENT_USER\\" : "HKEY_LOCAL_MACHINE\\") +
         key + "\\" + name;
}

StartupSwitch SwitchOf(RegKey root, StartupList list, const std::string& name) {
  const char* leaf = list == StartupList::kRun     ? "Run"
                     : list == StartupList::kRun32 ? "Run32"
                                                   : "StartupFolder";
  return StartupSwitch{root, std::string(kStartupApprovedPath) + "\\" + leaf, name};
}

bool SwitchDataIsOff(const std::vector<std::uint8_t>& data) {
  return !data.empty() && (data[0] & 1) != 0;
}

std::vector<std::uint8_t> SwitchOnData() {
  std::vector<std::uint8_t> data(12, 0);
  data[0] = 2;
  return data;
}

std::optional<std::vector<std::uint8_t>> SwitchData(Platform& platform,
                                                    const StartupSwitch& where) {
  return SwitchRegistry(platform).GetSettingByte(where.root, where.key, where.name);
}

bool IsSwitchedOff(Platform& platform, const StartupSwitch& where) {
  const auto data = SwitchData(platform, where);
  return data && SwitchDataIsOff(*data);
}

bool SwitchOn(Platform& platform, const StartupSwitch& where) {
  SwitchRegistry(platform).SaveSettingByte(where.root, where.key, where.name, SwitchOnData());
  return SwitchData(platform, where) == SwitchOnData();
}

void RestoreSwitch(Platform& platform, const StartupSwitch& where,
                   const std::optional<std::vector<std::uint8_t>>& data) {
  CRegistry registry = SwitchRegistry(platform);
  if (data)
    registry.SaveSettingByte(where.root, where.key, where.name, *data);
  else
    registry.DeleteValue(where.root, where.key, where.name);
}

} // namespace vantrel
