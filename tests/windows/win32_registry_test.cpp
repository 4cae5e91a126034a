// Win32Platform's registry calls against the real registry: the seam's
// root values reach the real predefined keys, and opened keys allow what
// the user is granted.
#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_handles.h"
#include "contract/contract_fixture.h"

namespace vantrel::testing {
namespace {

using Win32Registry = ContractTest;

TEST_F(Win32Registry, RootsAreTheRealPredefinedKeys) {
  setRaw("Seen", kRegSz, std::string("through the seam\0", 17));
  char data[64] = {};
  DWORD size = sizeof data;
  ASSERT_EQ(ERROR_SUCCESS, ::RegGetValueA(HKEY_CURRENT_USER, key().c_str(), "Seen", RRF_RT_REG_SZ,
                                          nullptr, data, &size));
  EXPECT_STREQ("through the seam", data);

  const RegKey roots[] = {kHkeyClassesRoot, kHkeyCurrentUser, kHkeyLocalMachine};
  for (const RegKey root : roots) {
    SCOPED_TRACE(root);
    RegKey handle = 0;
    ASSERT_EQ(win32err::kSuccess, platform().RegOpenKey(root, "", &handle));
    EXPECT_NE(root, handle);
    EXPECT_EQ(win32err::kSuccess, platform().RegCloseKey(handle));
    EXPECT_EQ(win32err::kSuccess, platform().RegCloseKey(root));
  }
}

TEST_F(Win32Registry, OpenedKeysReadAndWrite) {
  setRaw("Existing", kRegDword, std::string("\x05\0\0\0", 4));
  RegKey handle = 0;
  ASSERT_EQ(win32err::kSuccess, platform().RegOpenKey(kHkeyCurrentUser, key(), &handle));
  const std::uint8_t bytes[] = {'o', 'k', 0};
  EXPECT_EQ(win32err::kSuccess, platform().RegSetValue(handle, "Written", kRegSz, bytes, 3));
  EXPECT_EQ(win32err::kSuccess, platform().RegDeleteValue(handle, "Existing"));
  EXPECT_EQ(win32err::kFileNotFound, platform().RegDeleteValue(handle, "Existing"));

  std::uint32_t type = 0, size = 0;
  EXPECT_EQ(win32err::kFileNotFound,
            platform().RegQueryValue(handle, "Existing", &type, nullptr, &size));
  EXPECT_EQ(win32err::kSuccess, platform().RegQueryValue(handle, "Written", &type, nullptr, &size));
  EXPECT_EQ(kRegSz, type);
  EXPECT_EQ(3u, size);
  platform().RegCloseKey(handle);

  // The machine's Run key opens for reading also without the right to write.
  ASSERT_EQ(win32err::kSuccess,
            platform().RegOpenKey(kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                                  &handle));
  type = 0;
  size = 0;
  EXPECT_EQ(win32err::kSuccess,
            platform().RegQueryValue(handle, "ProgramFilesDir", &type, nullptr, &size));
  EXPECT_GT(size, 1u);
  platform().RegCloseKey(handle);
}

} // namespace
} // namespace vantrel::testing
