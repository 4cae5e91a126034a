// The local date and time of day, as the registry backups name their
// folders and files by it.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "common/platform/platform.h"

namespace vantrel::items {

struct LocalTime {
  int year = 0;
  int month = 0; // 1-12
  int day = 0;   // 1-31
  int hour = 0;  // 0-23
  int minute = 0;
  int second = 0;

  bool operator==(const LocalTime&) const = default;
};

// Where the current local time comes from. The Win32 window hands in one
// that asks the system clock directly; without one the platform's
// formatted clock text is read back (see ParseLocalDateTime).
using LocalTimeSource = std::function<std::optional<LocalTime>()>;

// Reads a date and time as the platform formats them: a numeric date
// (year first, or year last with the day first after "." or "-" and the
// month first after "/"), a blank, and the time as hours, minutes and
// seconds with an optional AM/PM marker. Nothing for any other text.
std::optional<LocalTime> ParseLocalDateTime(std::string_view text);

// The time from source, or else from the platform's clock text.
std::optional<LocalTime> CurrentLocalTime(Platform& platform, const LocalTimeSource& source);

} // namespace vantrel::items
