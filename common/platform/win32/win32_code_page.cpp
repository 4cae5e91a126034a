// The system's legacy ANSI code page, which the process still asks for
// although its own 8-bit calls speak UTF-8: files of earlier builds were
// written in it.
#include "common/platform/win32/win32_code_page.h"

#include <cwchar>
#include <vector>

#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_platform.h"
#include "common/text_encoding.h"

namespace vantrel::win32 {

namespace {

// A code page the system can convert from, other than UTF-8 itself.
bool UsableLegacy(UINT codePage) {
  return codePage != 0 && codePage != CP_UTF8 && ::IsValidCodePage(codePage) != FALSE;
}

// The ACP entry of HKLM\SYSTEM\CurrentControlSet\Control\Nls\CodePage:
// the code page the system gives 8-bit calls of programs without the
// UTF-8 manifest entry.
UINT RegistryAnsiCodePage() {
  wchar_t text[16] = {};
  DWORD size = sizeof text - sizeof(wchar_t);
  if (::RegGetValueW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage",
                     L"ACP", RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
    return 0;
  return static_cast<UINT>(std::wcstoul(text, nullptr, 10));
}

} // namespace

std::uint32_t LegacyAnsiCodePage() {
  // The system locale's default ANSI code page: what GetACP() answers
  // without the manifest entry.
  UINT codePage = 0;
  if (::GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPWSTR>(&codePage),
                       sizeof codePage / sizeof(wchar_t)) == 0 ||
      !UsableLegacy(codePage))
    codePage = RegistryAnsiCodePage();
  if (!UsableLegacy(codePage))
    codePage = kCodePageWestern; // a system that is UTF-8 throughout had no other
  return codePage;
}

std::string CodePageToUtf8(std::uint32_t codePage, const std::string& bytes) {
  if (bytes.empty())
    return {};
  const int size = static_cast<int>(bytes.size());
  const int wideChars = ::MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  if (wideChars <= 0)
    return bytes;
  std::vector<wchar_t> wide(static_cast<std::size_t>(wideChars));
  ::MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), wideChars);
  const int length =
      ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideChars, nullptr, 0, nullptr, nullptr);
  if (length <= 0)
    return bytes;
  std::string utf8(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideChars, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::string WideToProcessCodePage(const wchar_t* text) {
  const int length = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1)
    return {};
  std::string out(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), length, nullptr, nullptr);
  out.pop_back(); // the NUL
  return out;
}

std::string Win32Platform::LegacyAnsiToUtf8(const std::string& bytes) {
  return CodePageToUtf8(LegacyAnsiCodePage(), bytes);
}

} // namespace vantrel::win32
