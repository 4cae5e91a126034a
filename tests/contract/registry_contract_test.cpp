// CRegistry against the platform: what each operation reads back, what it
// stores, and what it does when keys or values are missing.
#include <cstring>

#include "common/registry.h"
#include "contract/contract_fixture.h"

namespace vantrel::testing {
namespace {

using RegistryContract = ContractTest;

std::string Sz(const std::string& text) {
  return text + std::string(1, '\0');
}
std::string Dword(std::uint32_t value) {
  std::string bytes(4, '\0');
  std::memcpy(bytes.data(), &value, 4);
  return bytes;
}

TEST_F(RegistryContract, GetSettingStringReadsOnlyPlainText) {
  const std::tuple<const char*, std::uint32_t, std::string, const char*> rows[] = {
      {"Plain", kRegSz, Sz("C:\\Tools\\agent.exe -q"), "C:\\Tools\\agent.exe -q"},
      {"Expand", kRegExpandSz, Sz("%SystemRoot%\\x.exe"), "dflt"},
      {"Number", kRegDword, Dword(7), "dflt"},
      {"EmbeddedNul", kRegSz, std::string("before\0after\0", 13), "before"},
      {"NoTerminator", kRegSz, "bare", "bare"},
  };
  for (const auto& [name, type, bytes, expected] : rows)
    setRaw(name, type, bytes);
  CRegistry registry(platform());
  for (const auto& [name, type, bytes, expected] : rows)
    EXPECT_EQ(expected, registry.GetSettingString(kHkeyCurrentUser, key(), name, "dflt")) << name;
  EXPECT_EQ("dflt", registry.GetSettingString(kHkeyCurrentUser, key(), "Missing", "dflt"));
}

TEST_F(RegistryContract, SaveSettingStringStoresTextWithItsTerminator) {
  CRegistry registry(platform());
  // Missing parents are created; a trailing backslash names the same key.
  registry.SaveSettingString(kHkeyCurrentUser, key("A\\B\\"), "Agent", "C:\\a.exe /x");
  registry.SaveSettingString(kHkeyCurrentUser, key("A\\B"), "", "default data");
  registry.SaveSettingString(kHkeyCurrentUser, key("A\\B"), "Blank", "");
  RegKey handle = 0;
  ASSERT_EQ(win32err::kSuccess, platform().RegOpenKey(kHkeyCurrentUser, key("A\\B"), &handle));
  std::uint32_t type = 0, size = 0;
  ASSERT_EQ(win32err::kSuccess, platform().RegQueryValue(handle, "Agent", &type, nullptr, &size));
  EXPECT_EQ(kRegSz, type);
  EXPECT_EQ(std::strlen("C:\\a.exe /x") + 1, size);
  platform().RegCloseKey(handle);
  std::vector<std::string> entries;
  ASSERT_TRUE(registry.EnumKey(kHkeyCurrentUser, key("A\\B"), entries));
  EXPECT_EQ(sorted({"=default data", "Agent=C:\\a.exe /x", "Blank="}), sorted(entries));
}

TEST_F(RegistryContract, EnumKeyListsValuesAsNameEqualsData) {
  CRegistry registry(platform());
  registry.CreateKey(kHkeyCurrentUser, key("Empty"));
  for (const char* empty : {"Missing", "Empty"}) {
    std::vector<std::string> entries{"stale", "entries"};
    EXPECT_TRUE(registry.EnumKey(kHkeyCurrentUser, key(empty), entries));
    EXPECT_EQ(std::vector<std::string>{""}, entries) << empty;
  }
  const std::string longData(300, 'd');
  const std::string longName(300, 'n');
  setRaw("a Agent", kRegSz, Sz("C:\\Tools\\agent.exe -q"), "Values");
  setRaw("b NoData", kRegBinary, "", "Values");
  setRaw("c Number", kRegDword, Dword(0x00434241), "Values");
  setRaw("d Long", kRegSz, Sz(longData), "Values");
  setRaw(longName, kRegSz, Sz("long name"), "Values");
  setRaw("e Unterminated", kRegSz, "tail", "Values");
  std::vector<std::string> entries;
  EXPECT_TRUE(registry.EnumKey(kHkeyCurrentUser, key("Values"), entries));
  EXPECT_EQ(sorted({"a Agent=C:\\Tools\\agent.exe -q", "c Number=ABC", "d Long=" + longData,
                    longName + "=long name", "e Unterminated=tail"}),
            sorted(entries));
}

TEST_F(RegistryContract, ByteValuesKeepTheirTypeAndDeletingValues) {
  CRegistry registry(platform());
  setRaw("Count", kRegDword, Dword(9));
  const std::vector<std::uint8_t> bytes{0, 1, 2, 255}, fallback{7};
  registry.SaveSettingByte(kHkeyCurrentUser, key(), "Blob", bytes);
  EXPECT_EQ(bytes, registry.GetSettingByte(kHkeyCurrentUser, key(), "Blob"));
  EXPECT_FALSE(registry.GetSettingByte(kHkeyCurrentUser, key(), "Count").has_value());
  EXPECT_EQ(fallback, registry.GetSettingByte(kHkeyCurrentUser, key(), "Missing", fallback));

  registry.SaveSettingString(kHkeyCurrentUser, key("Del"), "Gone", "x");
  registry.SaveSettingString(kHkeyCurrentUser, key("Del"), "Kept", "y");
  registry.DeleteValue(kHkeyCurrentUser, key("Del"), "Gone");
  std::vector<std::string> entries;
  registry.EnumKey(kHkeyCurrentUser, key("Del"), entries);
  EXPECT_EQ(std::vector<std::string>{"Kept=y"}, entries);
}

} // namespace
} // namespace vantrel::testing
