// The encodings of Vantrel's text. Both programs run with the UTF-8 code
// page, so every name, path and value they hold is UTF-8. Files written by
// earlier builds (proggroup.c, log.txt, the caption and data files) are in
// the system's legacy ANSI code page; a text that is not valid UTF-8 is
// read in that code page. Registry backups that hold more than ASCII are
// written as the registry editor exports: UTF-16LE with a byte-order mark.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/platform/platform.h"

namespace vantrel {

constexpr std::uint32_t kCodePageWestern = 1252;
constexpr std::uint32_t kCodePageUtf8 = 65001;

bool IsAscii(std::string_view bytes);

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above
// U+10FFFF, no sequence cut short.
bool IsValidUtf8(std::string_view bytes);

// Text in a code page as UTF-8, for the code pages that have a portable
// table: 1252 (Western) and 65001 itself. Nothing for any other.
std::optional<std::string> PortableCodePageToUtf8(std::uint32_t codePage, std::string_view bytes);

// Text that Vantrel reads from a file or from an earlier build, as UTF-8:
// a UTF-8 byte-order mark is dropped, valid UTF-8 stays as it is, and
// anything else is taken to be in the system's legacy ANSI code page.
std::string AsUtf8Text(Platform& platform, std::string bytes);

// The code points of UTF-8 text; a byte that starts no valid sequence
// stands for itself as 0xDC00 + byte, which no valid text holds.
std::u32string CodePoints(std::string_view utf8);

// UTF-8 text as UTF-16LE bytes after the byte-order mark FF FE; a byte
// that is not part of valid UTF-8 becomes U+FFFD.
std::string Utf16LeWithBom(std::string_view utf8);

} // namespace vantrel
