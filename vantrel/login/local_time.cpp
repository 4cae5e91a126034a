#include "vantrel/login/local_time.h"

#include <cctype>
#include <string>
#include <vector>

namespace vantrel::items {

namespace {

struct Numbers {
  std::vector<int> values;
  std::vector<std::size_t> digits;
  char separator = 0; // the first character between the first two numbers
};

// The runs of digits in text, with the separator the date uses.
std::optional<Numbers> ReadNumbers(std::string_view text) {
  Numbers found;
  std::size_t i = 0;
  while (i < text.size()) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
      if (found.values.size() == 1 && found.separator == 0)
        found.separator = text[i];
      ++i;
      continue;
    }
    int value = 0;
    std::size_t count = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i, ++count) {
      if (count >= 4)
        return std::nullopt;
      value = value * 10 + (text[i] - '0');
    }
    found.values.push_back(value);
    found.digits.push_back(count);
  }
  return found;
}

bool Valid(const LocalTime& t) {
  return t.year >= 1601 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 &&
         t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 &&
         t.second <= 59;
}

} // namespace

std::optional<LocalTime> ParseLocalDateTime(std::string_view text) {
  const auto blank = text.find(' ');
  if (blank == std::string_view::npos)
    return std::nullopt;
  const auto date = ReadNumbers(text.substr(0, blank));
  const std::string_view timeText = text.substr(blank + 1);
  const auto time = ReadNumbers(timeText);
  if (!date || !time || date->values.size() != 3 || time->values.size() != 3)
    return std::nullopt;

  LocalTime result;
  const auto& d = date->values;
  if (date->digits[0] == 4) {
    result = {d[0], d[1], d[2]};
  } else if (date->digits[2] == 4) {
    const bool monthFirst = date->separator == '/';
    result = {d[2], monthFirst ? d[0] : d[1], monthFirst ? d[1] : d[0]};
  } else {
    return std::nullopt;
  }
  result.hour = time->values[0];
  result.minute = time->values[1];
  result.second = time->values[2];

  std::string marker;
  for (char c : timeText)
    marker += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (marker.find("PM") != std::string::npos && result.hour < 12)
    result.hour += 12;
  else if (marker.find("AM") != std::string::npos && result.hour == 12)
    result.hour = 0;

  if (!Valid(result))
    return std::nullopt;
  return result;
}

std::optional<LocalTime> CurrentLocalTime(Platform& platform, const LocalTimeSource& source) {
  if (source)
    return source();
  return ParseLocalDateTime(platform.FormatDateTime());
}

} // namespace vantrel::items
