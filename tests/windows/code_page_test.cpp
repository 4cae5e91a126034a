// The UTF-8 code page of Vantrel's processes (this test binary carries the
// same manifest entry) and the legacy code page that files of earlier
// builds are read in.
#include <gtest/gtest.h>

#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_code_page.h"
#include "common/platform/win32/win32_platform.h"
#include "windows/moves_rig.h"

namespace vantrel::testing {

TEST(CodePage, EightBitCallsSpeakUtf8AndTheLegacyCodePageStaysKnown) {
  EXPECT_EQ(::GetACP(), static_cast<UINT>(CP_UTF8)) << "the manifest's activeCodePage";
  // The prefix is made with a Western locale.
  const std::uint32_t legacy = win32::LegacyAnsiCodePage();
  EXPECT_EQ(legacy, RunningUnderWine() ? 1252u : legacy);
  if (legacy == 1252) {
    EXPECT_EQ(win32::Win32Platform().LegacyAnsiToUtf8("M\xFCller \x80"),
              "M\xC3\xBCller \xE2\x82\xAC");
  }
  // Expanded CJK text keeps every byte, whatever unit the count comes in.
  const std::string tail = "\\\xE7\xA8\x8B\xE5\xBA\x8F\\a.exe \xE6\xBC\xA2\xE5\xAD\x97";
  win32::Win32Platform platform;
  EXPECT_EQ(platform.ExpandEnvironmentStrings("%SystemDrive%" + tail),
            platform.ExpandEnvironmentStrings("%SystemDrive%") + tail);
  EXPECT_EQ(win32::CodePageToUtf8(1251, "\xD4\xE0\xE9\xEB"), "\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB");
  EXPECT_EQ(win32::CodePageToUtf8(932, "\x93\xFA\x96\x7B"), "\xE6\x97\xA5\xE6\x9C\xAC");
}

} // namespace vantrel::testing
