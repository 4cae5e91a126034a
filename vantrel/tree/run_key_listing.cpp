#include "vantrel/tree/run_key_listing.h"

#include <cstdio>
#include <cstring>

#include "common/command_split.h"
#include "common/registry.h"
#include "common/run_keys.h"
#include "common/store/startup_group.h"
#include "common/store/stopped_programs.h"
#include "common/store/stored_run_values.h"
#include "vantrel/login/stored_run_launch.h"

namespace vantrel {

namespace {

constexpr ItemKind kAllUsersKind = ItemKind::kAllUsersRunValue;
constexpr ItemKind kAllUsers32Kind = ItemKind::kAllUsersRunValue32;

// The raw bytes of a value; empty when it cannot be read.
std::string RawData(Platform& platform, RegKey root, std::uint32_t view, const std::string& name) {
  RegKey key = 0;
  if (platform.RegOpenKey(root, kRunKeyPath, &key, view) != win32err::kSuccess)
    return {};
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  std::string bytes;
  if (platform.RegQueryValue(key, name, &type, nullptr, &size) == win32err::kSuccess && size > 0) {
    bytes.resize(size);
    if (platform.RegQueryValue(key, name, &type, reinterpret_cast<std::uint8_t*>(bytes.data()),
                               &size) == win32err::kSuccess)
      bytes.resize(size);
    else
      bytes.clear();
  }
  platform.RegCloseKey(key);
  return bytes;
}

} // namespace

std::string ShowRegistryData(std::uint32_t type, const std::string& bytes) {
  char text[40];
  if (type == kRegDword && bytes.size() == 4) {
    std::uint32_t number = 0;
    std::memcpy(&number, bytes.data(), sizeof number);
    std::snprintf(text, sizeof text, "0x%08x (%u)", static_cast<unsigned>(number),
                  static_cast<unsigned>(number));
    return text;
  }
  std::string shown;
  for (const char byte : bytes) {
    std::snprintf(text, sizeof text, shown.empty() ? "%02x" : " %02x",
                  static_cast<unsigned char>(byte));
    shown += text;
  }
  return shown;
}

std::vector<std::string> ListRunKey(Platform& platform, RegKey root, std::uint32_t view) {
  CRegistry registry(platform, view);
  std::vector<std::string> values;
  registry.EnumKey(root, kRunKeyPath, values);
  for (std::string& value : values) {
    if (value.empty())
      continue;
    const std::string name = SplitNameAndCommand(value).name;
    const auto type = registry.GetValueType(root, kRunKeyPath, name);
    if (type && !IsTextType(*type))
      value = name + "=" + ShowRegistryData(*type, RawData(platform, root, view, name));
  }
  return values;
}

void ReadRunKey32(Platform& platform, const StoreTables& tables, StartupItemLists& lists) {
  lists.Has32BitView = store::Has32BitRegistryView(platform);
  lists.AllUsersRunValues32.assign(1, std::string());
  lists.Delayed32Names.clear();
  lists.Stopped32Entries.clear();
  if (!lists.Has32BitView)
    return;
  lists.AllUsersRunValues32 = ListRunKey(platform, kHkeyLocalMachine, kKeyWow64_32Key);
  if (const ProgramGroup* group = StartupGroup(tables)) {
    for (const ProgramEntry& program : group->Programs) {
      StoredRunValueKey key;
      if (program.Command == kCommandExecuteRegAU &&
          FindStoredRunValueKey(platform, program, key) && key.view == kKeyWow64_32Key)
        lists.Delayed32Names.push_back(program.RegistryName);
    }
  }
  // A stopped entry names a program; it belongs to the 32-bit view when
  // only that view's store holds a value that starts it.
  const std::string_view prefix = store::StoppedPrefix(kAllUsersKind);
  for (const std::string& entry : tables.StoppedPrograms) {
    if (entry.rfind(prefix, 0) != 0)
      continue;
    const std::string_view path = std::string_view(entry).substr(prefix.size());
    std::string in64;
    std::string in32;
    store::FindStoppedRunValue(platform, tables, kAllUsersKind, path, in64);
    store::FindStoppedRunValue(platform, tables, kAllUsers32Kind, path, in32);
    if (in64.empty() && !in32.empty())
      lists.Stopped32Entries.push_back(entry);
  }
}

} // namespace vantrel
