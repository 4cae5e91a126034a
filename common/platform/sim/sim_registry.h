// The simulated registry: three predefined roots, keys matched without
// regard to case but keeping their spelling, values kept in the order they
// were first set (the order RegEnumValue reports). The calls follow the
// Win32 rules on buffer sizes and error codes; handles and their access
// rights belong to the process (SimPlatform), which passes key objects in.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/platform/platform.h"
#include "common/platform/sim/sim_faults.h"
#include "common/platform/sim/sim_names.h"

namespace vantrel::sim {

// Win32 codes the registry gives beyond those the seam names.
constexpr long kErrorInvalidName = 123; // ERROR_INVALID_NAME
constexpr long kErrorBadPathname = 161; // ERROR_BAD_PATHNAME
constexpr long kErrorKeyDeleted = 1018; // ERROR_KEY_DELETED

// The key that a path under HKEY_LOCAL_MACHINE names in the 32-bit view
// of 64-bit Windows: "Software\X" is "Software\WOW6432Node\X"; other
// paths, and those already under WOW6432Node, are the same in both views.
std::string View32Path(const std::string& subKey);

struct SimRegValue {
  std::string name;
  std::uint32_t type = kRegNone;
  std::string data;
};

// A key lives as long as a handle refers to it; a deleted key is cut from
// the tree and marked, so that calls on an old handle fail.
struct SimKey {
  std::string name;
  RegKey hive = 0;
  SimKey* parent = nullptr;
  bool deleted = false;
  std::map<std::string, std::shared_ptr<SimKey>, NameLess> subkeys;
  std::vector<SimRegValue> values;
};
using SimKeyPtr = std::shared_ptr<SimKey>;

class SimRegistry {
public:
  explicit SimRegistry(const SimFaultHook& faults);

  // Null for anything but the three predefined roots.
  SimKeyPtr Root(RegKey hive) const;
  // Without administrator rights HKEY_LOCAL_MACHINE is read-only.
  void SetAdmin(bool admin) { admin_ = admin; }
  bool admin() const { return admin_; }
  bool Writable(RegKey hive) const { return admin_ || hive != kHkeyLocalMachine; }

  long Open(const SimKeyPtr& base, const std::string& subKey, SimKeyPtr* result) const;
  long Create(const SimKeyPtr& base, const std::string& subKey, SimKeyPtr* result);
  long Query(const SimKey& key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
             std::uint32_t* dataSize) const;
  long Set(SimKey& key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
           std::uint32_t dataSize);
  long Enum(const SimKey& key, std::uint32_t index, char* name, std::uint32_t* nameChars,
            std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) const;
  long DeleteValue(SimKey& key, const std::string& name);
  long DeleteKey(const SimKeyPtr& base, const std::string& subKey);

  // "HKCU\Software\Key" with the keys' own spelling.
  static std::string PathOf(const SimKey& key);

  // Test helpers, free of access rights and faults.
  SimKeyPtr FindKey(RegKey hive, const std::string& path) const;
  // Creates path and its missing parents; null for a path that is not valid.
  SimKeyPtr MakeKey(RegKey hive, const std::string& path);
  void SetValue(RegKey hive, const std::string& path, const std::string& name, std::uint32_t type,
                const std::string& data);
  std::optional<SimRegValue> GetValue(RegKey hive, const std::string& path,
                                      const std::string& name) const;
  std::vector<std::string> Dump() const;

private:
  // Splits a relative key path; trailing backslashes are allowed, a leading
  // one or an empty part in the middle is not.
  static long SplitKeyPath(const std::string& path, std::vector<std::string>* parts);
  static const SimRegValue* FindValue(const SimKey& key, const std::string& name);

  const SimFaultHook& faults_;
  bool admin_ = true;
  SimKeyPtr roots_[3];
};

} // namespace vantrel::sim
