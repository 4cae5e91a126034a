#include "common/store/store_numbers.h"

#include <charconv>
#include <cmath>

#include "common/text.h"

namespace vantrel::store {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Checks the shape [sign] digits [. digits] [e [sign] digits] with at least
// one mantissa digit, and returns the text without a leading "+" (which
// from_chars refuses). from_chars alone would also take "inf" and "nan".
std::optional<std::string> DecimalText(std::string_view raw) {
  std::string text = TrimBlanks(raw);
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i]))
    ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i]))
      ++i, ++digits;
  }
  if (digits == 0)
    return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
      ++i;
    std::size_t exponentDigits = 0;
    while (i < text.size() && IsDigit(text[i]))
      ++i, ++exponentDigits;
    if (exponentDigits == 0)
      return std::nullopt;
  }
  if (i != text.size())
    return std::nullopt;
  if (text[0] == '+')
    text.erase(0, 1);
  return text;
}

template <typename T> std::optional<T> FromDecimal(std::string_view raw) {
  const auto text = DecimalText(raw);
  if (!text)
    return std::nullopt;
  T value{};
  const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
  if (error != std::errc() || end != text->data() + text->size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

} // namespace

std::string FormatNumber(float value) {
  if (!std::isfinite(value))
    return "0";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::optional<float> ParseSingle(std::string_view text) {
  return FromDecimal<float>(text);
}

std::optional<std::int16_t> ParseInteger16(std::string_view text) {
  const auto value = FromDecimal<double>(text);
  if (!value)
    return std::nullopt;
  const double rounded = std::nearbyint(*value); // the default mode rounds halves to even
  if (rounded < -32768.0 || rounded > 32767.0)
    return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

} // namespace vantrel::store
