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
  setRaw("Plain", kRegSz, Sz("C:\\Tools\\agent.exe -q"));
  setRaw("Expand", kRegExpandSz, Sz("%SystemRoot%\\x.exe"));
  setRaw("Number", kRegDword, Dword(7));
  setRaw("Bytes", kRegBinary, "abc");
  setRaw("EmbeddedNul", kRegSz, std::string("before\0after\0", 13));
  setRaw("NoTerminator", kRegSz, "bare");
  setRaw("Empty", kRegSz, Sz(""));
  CRegistry registry(platform());
  struct Row {
    const char* value;
    const char* expected;
  } rows[] = {
      {"Plain", "C:\\Tools\\agent.exe -q"},
      {"Expand", "dflt"},
      {"Number", "dflt"},
      {"Bytes", "dflt"},
      {"EmbeddedNul", "before"},
      {"NoTerminator", "bare"},
      {"Empty", ""},
      {"Missing", "dflt"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(row.expected, registry.GetSettingString(kHkeyCurrentUser, key(), row.value, "dflt"));
  }
  EXPECT_EQ("", registry.GetSettingString(kHkeyCurrentUser, key(), "Missing"));
  EXPECT_EQ("d", registry.GetSettingString(kHkeyCurrentUser, key("No\\Such"), "Plain", "d"));
  EXPECT_EQ("", registry.GetSettingString(kHkeyCurrentUser, key("No\\Such"), "Plain"));
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
  EXPECT_EQ("C:\\a.exe /x", registry.GetSettingString(kHkeyCurrentUser, key("A\\B\\"), "Agent"));
}

TEST_F(RegistryContract, EnumKeyListsValuesAsNameEqualsData) {
  CRegistry registry(platform());
  std::vector<std::string> entries{"stale", "entries"};
  EXPECT_TRUE(registry.EnumKey(kHkeyCurrentUser, key("Missing"), entries));
  EXPECT_EQ(std::vector<std::string>{""}, entries);

  registry.CreateKey(kHkeyCurrentUser, key("Empty"));
  EXPECT_TRUE(registry.EnumKey(kHkeyCurrentUser, key("Empty"), entries));
  EXPECT_EQ(std::vector<std::string>{""}, entries);

  const std::string longData(300, 'd');
  const std::string longName(300, 'n');
  setRaw("a Agent", kRegSz, Sz("C:\\Tools\\agent.exe -q"), "Values");
  setRaw("b NoData", kRegBinary, "", "Values");
  setRaw("c Number", kRegDword, Dword(0x00434241), "Values");
  setRaw("d Long", kRegSz, Sz(longData), "Values");
  setRaw(longName, kRegSz, Sz("long name"), "Values");
  setRaw("e Unterminated", kRegSz, "tail", "Values");
  EXPECT_TRUE(registry.EnumKey(kHkeyCurrentUser, key("Values"), entries));
  EXPECT_EQ(sorted({"a Agent=C:\\Tools\\agent.exe -q", "c Number=ABC", "d Long=" + longData,
                    longName + "=long name", "e Unterminated=tail"}),
            sorted(entries));
}

TEST_F(RegistryContract, ByteValuesKeepTheirType) {
  CRegistry registry(platform());
  setRaw("Count", kRegDword, Dword(9));
  const std::vector<std::uint8_t> bytes{0, 1, 2, 255};
  registry.SaveSettingByte(kHkeyCurrentUser, key(), "Blob", bytes);
  EXPECT_EQ(bytes, registry.GetSettingByte(kHkeyCurrentUser, key(), "Blob"));
  EXPECT_FALSE(registry.GetSettingByte(kHkeyCurrentUser, key(), "Count").has_value());
  const std::vector<std::uint8_t> fallback{7};
  EXPECT_EQ(fallback, registry.GetSettingByte(kHkeyCurrentUser, key(), "Missing", fallback));
}

TEST_F(RegistryContract, DeletingValuesAndKeys) {
  CRegistry registry(platform());
  registry.SaveSettingString(kHkeyCurrentUser, key(), "Gone", "x");
  registry.SaveSettingString(kHkeyCurrentUser, key(), "Kept", "y");
  registry.DeleteValue(kHkeyCurrentUser, key(), "Gone");
  registry.DeleteValue(kHkeyCurrentUser, key(), "NeverThere");
  registry.DeleteValue(kHkeyCurrentUser, key("No\\Such\\Key"), "Gone");
  std::vector<std::string> entries;
  registry.EnumKey(kHkeyCurrentUser, key(), entries);
  EXPECT_EQ(std::vector<std::string>{"Kept=y"}, entries);

  // A key that still has a subkey is not deleted.
  registry.CreateKey(kHkeyCurrentUser, key("Parent\\Child"));
  EXPECT_NE(win32err::kSuccess, platform().RegDeleteKey(kHkeyCurrentUser, key("Parent")));
  RegKey handle = 0;
  ASSERT_EQ(win32err::kSuccess, platform().RegOpenKey(kHkeyCurrentUser, key("Parent"), &handle));
  platform().RegCloseKey(handle);
  EXPECT_EQ(win32err::kSuccess, platform().RegDeleteKey(kHkeyCurrentUser, key("Parent\\Child")));
  EXPECT_EQ(win32err::kSuccess, platform().RegDeleteKey(kHkeyCurrentUser, key("Parent")));
  EXPECT_NE(win32err::kSuccess, platform().RegOpenKey(kHkeyCurrentUser, key("Parent"), &handle));
}

} // namespace
} // namespace vantrel::testing
