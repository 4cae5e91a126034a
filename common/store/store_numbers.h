// Numbers in proggroup.c: always written with "." and in the shortest form
// that reads back to the same 32-bit float (30, 2.5, 0.1), whatever the
// user's locale; read as plain decimal numbers with blanks around them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel::store {

// Non-finite values cannot be read back, so they are written as 0.
std::string FormatNumber(float value);

// A decimal number ("10", "-2.5", ".5", "1e+20") to a 32-bit float; empty
// when the text is no number or the value does not fit.
std::optional<float> ParseSingle(std::string_view text);

// A decimal number rounded to the nearest integer (halves to the even one);
// empty when it is no number or lies outside -32768..32767.
std::optional<std::int16_t> ParseInteger16(std::string_view text);

} // namespace vantrel::store
