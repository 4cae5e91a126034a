#include "common/platform/sim/sim_clock.h"

#include <cstdio>

namespace vantrel::sim {

namespace {

// Days between 1970-01-01 and a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yearOfEra = y - era * 400;
  const std::int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(std::int64_t z, int* year, int* month, int* day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t dayOfEra = z - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t mp = (5 * dayOfYear + 2) / 153;
  *day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  *month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  *year = static_cast<int>(yearOfEra + era * 400 + (*month <= 2 ? 1 : 0));
}

} // namespace

void SimClock::SetStartDate(int year, int month, int day) {
  startDays_ = DaysFromCivil(year, month, day);
}

void SimClock::SetStartTimeOfDay(int hours, int minutes, int seconds) {
  startSecondOfDay_ = hours * 3600 + minutes * 60 + seconds;
}

std::string SimClock::TimeOfDay() const {
  const std::int64_t seconds = (startSecondOfDay_ + static_cast<std::int64_t>(now_ / 1000)) % 86400;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(seconds / 3600),
                static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  return text;
}

std::string SimClock::DateTime() const {
  const std::int64_t total = startSecondOfDay_ + static_cast<std::int64_t>(now_ / 1000);
  int year = 0;
  int month = 0;
  int day = 0;
  CivilFromDays(startDays_ + total / 86400, &year, &month, &day);
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d ", month, day, year);
  return text + TimeOfDay();
}

void SimClock::Schedule(std::uint64_t atMs, std::function<void()> callback) {
  queue_.emplace(std::make_pair(atMs, nextSequence_++), std::move(callback));
}

std::optional<std::uint64_t> SimClock::NextDue() const {
  if (queue_.empty())
    return std::nullopt;
  return queue_.begin()->first.first;
}

bool SimClock::RunOneDue() {
  if (queue_.empty() || queue_.begin()->first.first > now_)
    return false;
  // Taken out before it runs: the callback may pump messages itself.
  auto callback = std::move(queue_.begin()->second);
  queue_.erase(queue_.begin());
  if (callback)
    callback();
  return true;
}

} // namespace vantrel::sim
