// The two registry views of 64-bit Windows and the value types, as the
// simulation and the real registry must agree on them: HKLM\Software has a
// 32-bit view in its WOW6432Node subkey, HKCU\Software is one key for both,
// and a value reads back with the type and bytes it was written with.
#include "common/registry.h"
#include "common/store/stored_run_values.h"
#include "contract/contract_fixture.h"

namespace vantrel::testing {
namespace {

class RegistryViewContract : public ContractTest {
protected:
  // The scratch key's path below "Software\", as a path of the 32-bit
  // view's own key.
  std::string wow(const std::string& path) {
    return "Software\\WOW6432Node" + path.substr(std::string("Software").size());
  }
  void TearDown() override {
    // The machine's keys outlive the backend: remove them, leaves first.
    for (const std::string& path : {key(), wow(key())}) {
      for (std::string at = path;
           at.find('\\') != std::string::npos && at != "Software" && at != "Software\\WOW6432Node";
           at = at.substr(0, at.rfind('\\')))
        platform().RegDeleteKey(kHkeyLocalMachine, at);
    }
  }
};

TEST_F(RegistryViewContract, TheMachinesSoftwareKeyHasA32BitViewTheUsersHasNot) {
  // 64-bit Windows has the key from the start; the simulated machine gets
  // it here.
  CRegistry(platform()).CreateKey(kHkeyLocalMachine, "Software\\WOW6432Node");
  ASSERT_TRUE(store::Has32BitRegistryView(platform()));
  const RegistryText expandable{kRegExpandSz, "%SystemDrive%\\Tools\\agent.exe -q"};
  CRegistry view32(platform(), kKeyWow64_32Key);
  CRegistry view64(platform(), kKeyWow64_64Key);
  CRegistry own(platform());
  view32.SaveSettingText(kHkeyLocalMachine, key(), "Agent32", expandable);
  view64.SaveSettingText(kHkeyLocalMachine, key(), "Agent64", {kRegSz, "C:\\a.exe"});
  view32.SaveSettingText(kHkeyCurrentUser, key(), "Shared", {kRegSz, "C:\\s.exe"});

  const struct {
    const char* what;
    CRegistry& registry;
    RegKey root;
    std::string path;
    const char* value;
    bool found;
  } rows[] = {
      {"32-bit value through its view", view32, kHkeyLocalMachine, key(), "Agent32", true},
      {"32-bit value through the 64-bit view", view64, kHkeyLocalMachine, key(), "Agent32", false},
      {"32-bit value under WOW6432Node", own, kHkeyLocalMachine, wow(key()), "Agent32", true},
      {"64-bit value through the 32-bit view", view32, kHkeyLocalMachine, key(), "Agent64", false},
      {"64-bit value in the process's view", own, kHkeyLocalMachine, key(), "Agent64", true},
      {"the user's key is shared", view64, kHkeyCurrentUser, key(), "Shared", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(row.found, row.registry.GetValueType(row.root, row.path, row.value).has_value());
  }
  std::vector<std::string> listed;
  ASSERT_TRUE(view32.EnumKey(kHkeyLocalMachine, key(), listed));
  EXPECT_EQ(std::vector<std::string>{"Agent32=" + expandable.text}, listed);
}

TEST_F(RegistryViewContract, ValuesReadBackWithTheirTypeAndBytes) {
  setRaw("Binary", kRegBinary, std::string("\x03\0\0\0\x01\x02\0\0\0\0\0\0", 12));
  setRaw("Number", kRegDword, std::string("\x2a\0\0\0", 4));
  CRegistry registry(platform());
  registry.SaveSettingText(kHkeyCurrentUser, key(), "Expand", {kRegExpandSz, "%windir%\\x.exe"});
  registry.SaveSettingText(kHkeyCurrentUser, key(), "Plain", {kRegSz, "C:\\x.exe"});
  const struct {
    const char* value;
    std::uint32_t type;
    std::optional<RegistryText> text;
  } rows[] = {
      {"Binary", kRegBinary, std::nullopt},
      {"Number", kRegDword, std::nullopt},
      {"Expand", kRegExpandSz, RegistryText{kRegExpandSz, "%windir%\\x.exe"}},
      {"Plain", kRegSz, RegistryText{kRegSz, "C:\\x.exe"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(row.type, registry.GetValueType(kHkeyCurrentUser, key(), row.value));
    EXPECT_EQ(row.text, registry.GetSettingText(kHkeyCurrentUser, key(), row.value));
  }
}

TEST_F(RegistryViewContract, ExpandsTheEnvironmentStringsItKnows) {
  const std::string drive = platform().ExpandEnvironmentStrings("%SystemDrive%");
  EXPECT_EQ(2u, drive.size());
  EXPECT_EQ(
      drive + "\\Tools\\a.exe %NoSuchVariable% 100%",
      platform().ExpandEnvironmentStrings("%SYSTEMDRIVE%\\Tools\\a.exe %NoSuchVariable% 100%"));
}

} // namespace
} // namespace vantrel::testing
