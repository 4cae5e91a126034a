#include "vantrel/tree/delay_text.h"

#include "common/store/store_numbers.h"
#include "common/text.h"

namespace vantrel {

std::string DelayText(float seconds) {
  return store::FormatNumber(seconds);
}

std::optional<float> ParseDelayText(std::string_view text, std::string* reason) {
  const std::string trimmed = TrimBlanks(text);
  const auto fail = [&](std::string why) -> std::optional<float> {
    if (reason != nullptr)
      *reason = std::move(why);
    return std::nullopt;
  };
  if (trimmed.empty())
    return fail("the delay is empty");
  std::size_t digits = 0;
  std::size_t points = 0;
  for (const char c : trimmed) {
    if (c >= '0' && c <= '9')
      ++digits;
    else if (c == '.')
      ++points;
    else
      return fail("\"" + trimmed + "\" is not a number of seconds");
  }
  if (digits == 0 || points > 1)
    return fail("\"" + trimmed + "\" is not a number of seconds");
  const auto value = store::ParseSingle(trimmed);
  if (!value)
    return fail("\"" + trimmed + "\" is too large");
  return value;
}

} // namespace vantrel
