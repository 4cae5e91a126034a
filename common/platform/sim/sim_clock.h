// Virtual time of the simulated machine, and the window messages scripted
// to arrive at given moments. Nothing waits for real: Sleep and the waits
// move the clock, and a callback runs when the program pumps messages at or
// after its moment, as a queued window message would.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace vantrel::sim {

class SimClock {
public:
  SimClock() { SetStartDate(2026, 6, 12); }

  // Milliseconds since the simulation started.
  std::uint64_t now() const { return now_; }
  void Advance(std::uint64_t milliseconds) { now_ += milliseconds; }

  // What GetTickCount answers: the tick count at the start plus the time
  // since, wrapping at 2^32 like the real one.
  void SetStartTick(std::uint32_t tick) { startTick_ = tick; }
  std::uint32_t TickCount() const { return static_cast<std::uint32_t>(startTick_ + now_); }

  // The local date and time at the start (default 12 June 2026, 08:00:00).
  void SetStartDate(int year, int month, int day);
  void SetStartTimeOfDay(int hours, int minutes, int seconds);
  std::string TimeOfDay() const; // "HH:MM:SS"
  std::string DateTime() const;  // "MM/DD/YYYY HH:MM:SS"

  // Callbacks due at the same moment run in the order they were scheduled.
  void Schedule(std::uint64_t atMs, std::function<void()> callback);
  std::optional<std::uint64_t> NextDue() const;
  // Runs the earliest callback that is due now; false when none is.
  bool RunOneDue();
  std::size_t pending() const { return queue_.size(); }

private:
  std::uint64_t now_ = 0;
  std::uint32_t startTick_ = 0;
  std::int64_t startDays_ = 0; // days since 1970-01-01
  std::int64_t startSecondOfDay_ = 8 * 3600;
  std::uint64_t nextSequence_ = 0;
  std::map<std::pair<std::uint64_t, std::uint64_t>, std::function<void()>> queue_;
};

} // namespace vantrel::sim
