#include "common/store/stored_run_values.h"

#include <algorithm>

#include "common/registry.h"
#include "common/run_keys.h"
#include "common/store/startup_group.h"
#include "common/text.h"

namespace vantrel::store {

namespace {

bool CurrentUserKind(ItemKind kind) {
  return kind == ItemKind::kCurrentUserRunValue;
}

std::string NameOf(const std::string& listed) {
  return listed.substr(0, listed.find('='));
}

} // namespace

StoreIndex DelayedRunValueRecord(const StoreTables& tables, ItemKind kind,
                                 const std::string& name) {
  const std::string_view command =
      CurrentUserKind(kind) ? kCommandExecuteReg : kCommandExecuteRegAU;
  return FindStartupProgram(tables, [&](const ProgramEntry& program) {
    return program.Command == command && EqualsIgnoreCase(program.RegistryName, name);
  });
}

bool Has32BitRegistryView(Platform& platform) {
  RegKey key = 0;
  if (platform.RegOpenKey(kHkeyLocalMachine, "Software\\WOW6432Node", &key, kKeyWow64_64Key) !=
      win32err::kSuccess)
    return false;
  platform.RegCloseKey(key);
  return true;
}

std::uint32_t RunValueView(ItemKind kind) {
  return kind == ItemKind::kAllUsersRunValue32 ? kKeyWow64_32Key : 0;
}

void ForgetCopiesOfRunKey(Platform& platform, RegKey root, std::vector<std::string>& storeValues,
                          std::uint32_t view) {
  std::vector<std::string> inRunKey;
  if (!CRegistry(platform, view).EnumKey(root, kRunKeyPath, inRunKey))
    return;
  // The same value: a name equal but for case, and the same data.
  const auto sameValue = [](const std::string& a, const std::string& b) {
    const auto equals = a.find('=');
    return equals != std::string::npos && a.size() == b.size() &&
           b.compare(equals, std::string::npos, a, equals) == 0 &&
           EqualsIgnoreCase(std::string_view(a).substr(0, equals),
                            std::string_view(b).substr(0, equals));
  };
  for (std::string& value : storeValues) {
    if (!value.empty() &&
        std::any_of(inRunKey.begin(), inRunKey.end(),
                    [&](const std::string& run) { return sameValue(value, run); }))
      value.clear();
  }
}

bool FindStoppedRunValue(Platform& platform, const StoreTables& tables, ItemKind kind,
                         std::string_view path, std::string& value) {
  value.clear();
  const bool currentUser = CurrentUserKind(kind);
  const RegKey root = currentUser ? kHkeyCurrentUser : kHkeyLocalMachine;
  std::vector<std::string> values;
  const std::uint32_t view = RunValueView(kind);
  if (!CRegistry(platform, view)
           .EnumKey(root, currentUser ? kCurrentUserRunStore : kAllUsersRunStore, values))
    return false;
  ForgetCopiesOfRunKey(platform, root, values, view);
  for (const std::string& listed : values) {
    if (!listed.empty() && listed.find(path) != std::string::npos &&
        DelayedRunValueRecord(tables, kind, NameOf(listed)) == kNoIndex) {
      value = listed;
      break;
    }
  }
  return true;
}

} // namespace vantrel::store
