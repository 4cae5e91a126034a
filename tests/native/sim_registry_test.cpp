// The simulated registry's own rules: RegEnumValue's buffer handling, value
// order, key spelling, handles of deleted keys, access without
// administrator rights and the fault hook.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/platform/sim/sim_platform.h"

namespace vantrel::sim {
namespace {

constexpr const char* kKey = "Software\\SimTest";

class SimRegistryTest : public ::testing::Test {
protected:
  RegKey Create(RegKey root, const std::string& path) {
    RegKey key = 0;
    EXPECT_EQ(win32err::kSuccess, platform.RegCreateKey(root, path, &key)) << path;
    return key;
  }
  long Set(RegKey key, const std::string& name, const std::string& bytes,
           std::uint32_t type = kRegSz) {
    return platform.RegSetValue(key, name, type,
                                reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                static_cast<std::uint32_t>(bytes.size()));
  }
  std::vector<std::string> Names(RegKey key) {
    std::vector<std::string> names;
    for (std::uint32_t i = 0;; ++i) {
      char name[64];
      std::uint32_t chars = sizeof name;
      if (platform.RegEnumValue(key, i, name, &chars, nullptr, nullptr, nullptr) != 0)
        return names;
      names.emplace_back(name, chars);
    }
  }

  SimWorld world;
  SimPlatform platform{world};
};

TEST_F(SimRegistryTest, EnumValueBufferRules) {
  const RegKey key = Create(kHkeyCurrentUser, kKey);
  ASSERT_EQ(0, Set(key, "Test", std::string("foobar", 7)));
  struct Row {
    const char* label;
    std::uint32_t nameChars;
    std::uint32_t dataSize;
    long result;
    std::uint32_t nameCharsAfter;
    const char* nameAfter;
    const char* dataAfter;
  };
  const Row rows[] = {
      {"both too small", 2, 2, win32err::kMoreData, 2, "xxxxxxxxxx", "xxxxxxxxxx"},
      {"name too small", 4, 20, win32err::kMoreData, 4, "xxxxxxxxxx", "xxxxxxxxxx"},
      {"no room for a name", 0, 20, win32err::kMoreData, 0, "xxxxxxxxxx", "xxxxxxxxxx"},
      {"data too small", 20, 6, win32err::kMoreData, 20, "xxxxxxxxxx", "xxxxxxxxxx"},
      {"exact fit", 5, 7, win32err::kSuccess, 4, "Test", "foobar"},
      {"room to spare", 20, 20, win32err::kSuccess, 4, "Test", "foobar"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    char name[20];
    char data[20];
    std::strcpy(name, "xxxxxxxxxx");
    std::strcpy(data, "xxxxxxxxxx");
    std::uint32_t nameChars = row.nameChars;
    std::uint32_t dataSize = row.dataSize;
    std::uint32_t type = 0xdeadbeef;
    EXPECT_EQ(row.result, platform.RegEnumValue(key, 0, name, &nameChars, &type,
                                                reinterpret_cast<std::uint8_t*>(data), &dataSize));
    EXPECT_EQ(row.nameCharsAfter, nameChars);
    EXPECT_EQ(7u, dataSize); // the size needed, also when it did not fit
    EXPECT_EQ(kRegSz, type);
    EXPECT_STREQ(row.nameAfter, name);
    EXPECT_STREQ(row.dataAfter, data);
  }
  char name[20];
  std::uint32_t nameChars = sizeof name;
  std::uint32_t dataSize = 0;
  EXPECT_EQ(0, platform.RegEnumValue(key, 0, name, &nameChars, nullptr, nullptr, &dataSize));
  EXPECT_EQ(7u, dataSize) << "without a data buffer only the size comes back";
  EXPECT_EQ(win32err::kNoMoreItems,
            platform.RegEnumValue(key, 1, name, &nameChars, nullptr, nullptr, nullptr));
  EXPECT_EQ(win32err::kInvalidParameter,
            platform.RegEnumValue(key, 0, nullptr, &nameChars, nullptr, nullptr, nullptr));
  platform.RegCloseKey(key);
}

TEST_F(SimRegistryTest, ValuesKeepOrderAndSpelling) {
  const RegKey key = Create(kHkeyCurrentUser, kKey);
  for (const char* name : {"Zeta", "alpha", "", "Mid"})
    ASSERT_EQ(0, Set(key, name, "x"));
  ASSERT_EQ(0, Set(key, "ALPHA", "changed", kRegExpandSz));
  EXPECT_EQ((std::vector<std::string>{"Zeta", "alpha", "", "Mid"}), Names(key));
  EXPECT_EQ(kRegExpandSz, world.RegGetValue(kHkeyCurrentUser, kKey, "Alpha")->type);
  ASSERT_EQ(0, platform.RegDeleteValue(key, "zeta"));
  EXPECT_EQ(win32err::kFileNotFound, platform.RegDeleteValue(key, "zeta"));
  ASSERT_EQ(0, Set(key, "Zeta", "again"));
  EXPECT_EQ((std::vector<std::string>{"alpha", "", "Mid", "Zeta"}), Names(key));
  platform.RegCloseKey(key);
}

TEST_F(SimRegistryTest, QueryValueSizes) {
  const RegKey key = Create(kHkeyCurrentUser, kKey);
  ASSERT_EQ(0, Set(key, "Text", std::string("hello", 6)));
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  EXPECT_EQ(0, platform.RegQueryValue(key, "TEXT", &type, nullptr, &size));
  EXPECT_EQ(kRegSz, type);
  EXPECT_EQ(6u, size);
  std::uint8_t small[3] = {};
  size = sizeof small;
  EXPECT_EQ(win32err::kMoreData, platform.RegQueryValue(key, "Text", &type, small, &size));
  EXPECT_EQ(6u, size);
  EXPECT_EQ(win32err::kInvalidParameter,
            platform.RegQueryValue(key, "Text", &type, small, nullptr));
  size = 99;
  EXPECT_EQ(win32err::kFileNotFound, platform.RegQueryValue(key, "None", &type, nullptr, &size));
  EXPECT_EQ(0u, size) << "a size-only query of a missing value answers 0";
  size = sizeof small;
  EXPECT_EQ(win32err::kFileNotFound, platform.RegQueryValue(key, "None", &type, small, &size));
  EXPECT_EQ(sizeof small, size);
  EXPECT_EQ(win32err::kInvalidParameter, platform.RegSetValue(key, "Bad", kRegBinary, nullptr, 4));
  EXPECT_EQ(0, platform.RegSetValue(key, "Empty", kRegBinary, nullptr, 0));
  platform.RegCloseKey(key);
}

TEST_F(SimRegistryTest, KeyPathsAndHandles) {
  const RegKey created = Create(kHkeyCurrentUser, "Software\\MyKey\\Leaf");
  RegKey opened = 0;
  EXPECT_EQ(0, platform.RegOpenKey(kHkeyCurrentUser, "software\\MYKEY\\\\", &opened));
  EXPECT_NE(0u, opened);
  RegKey failed = 1;
  EXPECT_EQ(kErrorBadPathname, platform.RegOpenKey(kHkeyCurrentUser, "\\Software", &failed));
  EXPECT_EQ(kErrorInvalidName, platform.RegCreateKey(kHkeyCurrentUser, "a\\\\b", &failed));
  EXPECT_EQ(win32err::kFileNotFound,
            platform.RegOpenKey(kHkeyCurrentUser, "Software\\No", &failed));
  EXPECT_EQ(0u, failed);
  EXPECT_TRUE(world.RegKeyExists(kHkeyCurrentUser, "SOFTWARE\\mykey"));
  EXPECT_NE(nullptr, world.registry().FindKey(kHkeyCurrentUser, "Software\\MyKey"));
  EXPECT_EQ("HKCU\\Software\\MyKey",
            SimRegistry::PathOf(*world.registry().FindKey(kHkeyCurrentUser, "software\\mykey")));
  RegKey root = 0;
  EXPECT_EQ(0, platform.RegOpenKey(kHkeyLocalMachine, "", &root));
  EXPECT_EQ(kHkeyLocalMachine, root);
  EXPECT_EQ(0, platform.RegCloseKey(root));

  // Keys with subkeys, roots and missing keys cannot be deleted.
  EXPECT_EQ(win32err::kAccessDenied, platform.RegDeleteKey(kHkeyCurrentUser, "Software\\MyKey"));
  EXPECT_EQ(win32err::kFileNotFound, platform.RegDeleteKey(kHkeyCurrentUser, "Software\\No"));
  EXPECT_EQ(win32err::kAccessDenied, platform.RegDeleteKey(kHkeyCurrentUser, ""));

  // A handle keeps referring to its key object: once that is deleted every
  // call on the handle fails, even after a key of that name is made again.
  EXPECT_EQ(0, platform.RegDeleteKey(kHkeyCurrentUser, "Software\\MyKey\\Leaf"));
  EXPECT_EQ(kErrorKeyDeleted, Set(created, "v", "x"));
  std::uint32_t size = 0;
  EXPECT_EQ(kErrorKeyDeleted, platform.RegQueryValue(created, "v", nullptr, nullptr, &size));
  RegKey child = 0;
  EXPECT_EQ(kErrorKeyDeleted, platform.RegCreateKey(created, "Child", &child));
  const RegKey again = Create(kHkeyCurrentUser, "Software\\MyKey\\Leaf");
  EXPECT_EQ(kErrorKeyDeleted, Set(created, "v", "x"));
  EXPECT_EQ(0, Set(again, "v", "x"));

  EXPECT_EQ(3u, platform.openKeyHandles());
  for (const RegKey key : {created, opened, again})
    EXPECT_EQ(0, platform.RegCloseKey(key));
  EXPECT_EQ(win32err::kInvalidHandle, platform.RegCloseKey(created));
  EXPECT_EQ(win32err::kInvalidHandle, Set(created, "v", "x"));
  EXPECT_EQ(0u, platform.openKeyHandles());
}

TEST_F(SimRegistryTest, MachineKeysAreReadOnlyWithoutAdministratorRights) {
  const char* run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  world.RegSetString(kHkeyLocalMachine, run, "Tool", "tool.exe");
  world.SetAdmin(false);
  RegKey key = 0;
  EXPECT_EQ(win32err::kAccessDenied,
            platform.RegCreateKey(kHkeyLocalMachine, "Software\\New\\Sub", &key));
  EXPECT_FALSE(world.RegKeyExists(kHkeyLocalMachine, "Software\\New"));
  // An existing key opens with the rights granted: reading only.
  key = Create(kHkeyLocalMachine, run);
  char data[32];
  std::uint32_t size = sizeof data;
  EXPECT_EQ(0, platform.RegQueryValue(key, "Tool", nullptr, reinterpret_cast<std::uint8_t*>(data),
                                      &size));
  EXPECT_STREQ("tool.exe", data);
  EXPECT_EQ(win32err::kAccessDenied, Set(key, "Other", "x"));
  EXPECT_EQ(win32err::kAccessDenied, platform.RegDeleteValue(key, "Tool"));
  EXPECT_EQ(win32err::kAccessDenied, platform.RegDeleteKey(kHkeyLocalMachine, run));
  EXPECT_EQ(win32err::kAccessDenied, Set(kHkeyLocalMachine, "Root", "x"));
  platform.RegCloseKey(key);
  EXPECT_EQ(0, Set(Create(kHkeyCurrentUser, kKey), "UserValue", "x"));
  EXPECT_EQ("tool.exe", world.RegGetString(kHkeyLocalMachine, run, "tool"));
  // A handle opened with administrator rights keeps them.
  world.SetAdmin(true);
  key = Create(kHkeyLocalMachine, run);
  world.SetAdmin(false);
  EXPECT_EQ(0, Set(key, "Other", "x"));
  platform.RegCloseKey(key);
}

TEST_F(SimRegistryTest, FaultHookRefusesChangesAndLeavesNothingBehind) {
  std::vector<std::string> asked;
  world.faults = [&](SimOp op, const std::string& subject) {
    asked.push_back(std::to_string(static_cast<int>(op)) + " " + subject);
    return subject.find("Fail") != std::string::npos;
  };
  RegKey key = 0;
  EXPECT_EQ(win32err::kAccessDenied,
            platform.RegCreateKey(kHkeyCurrentUser, "Software\\Fail\\X", &key));
  EXPECT_FALSE(world.RegKeyExists(kHkeyCurrentUser, "Software\\Fail"));
  key = Create(kHkeyCurrentUser, kKey);
  EXPECT_EQ(win32err::kAccessDenied, Set(key, "Fail", "x"));
  EXPECT_EQ(0, Set(key, "Good", "x"));
  EXPECT_EQ(0, platform.RegDeleteValue(key, "good"));
  platform.RegCloseKey(key);
  EXPECT_EQ(0, platform.RegDeleteKey(kHkeyCurrentUser, kKey));
  const auto op = [](SimOp o) { return std::to_string(static_cast<int>(o)) + " "; };
  EXPECT_EQ((std::vector<std::string>{
                op(SimOp::kRegCreateKey) + "HKCU\\Software\\Fail\\X",
                op(SimOp::kRegCreateKey) + "HKCU\\Software\\SimTest",
                op(SimOp::kRegSetValue) + "HKCU\\Software\\SimTest\\Fail",
                op(SimOp::kRegSetValue) + "HKCU\\Software\\SimTest\\Good",
                op(SimOp::kRegDeleteValue) + "HKCU\\Software\\SimTest\\good",
                op(SimOp::kRegDeleteKey) + "HKCU\\Software\\SimTest",
            }),
            asked);
  EXPECT_EQ(std::vector<std::string>{}, world.RegValueNames(kHkeyCurrentUser, kKey));
}

} // namespace
} // namespace vantrel::sim
