// The legacy ANSI code page of the system and conversions from it.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel::win32 {

// The system locale's default ANSI code page (the Nls\CodePage ACP entry
// when the locale does not say, 1252 when neither names one other than
// UTF-8).
std::uint32_t LegacyAnsiCodePage();

// Text in a code page as UTF-8; the bytes unchanged when they do not
// convert.
std::string CodePageToUtf8(std::uint32_t codePage, const std::string& bytes);

// A NUL-terminated UTF-16 text in the code page of the process's 8-bit
// calls (UTF-8 with the manifest entry).
std::string WideToProcessCodePage(const wchar_t* text);

} // namespace vantrel::win32
