// The clock, message and message-box calls of a simulated process.
#include "common/platform/sim/sim_platform.h"

namespace vantrel::sim {

std::uint32_t SimPlatform::GetTickCount() {
  return world_.clock().TickCount();
}

void SimPlatform::Sleep(std::uint32_t milliseconds) {
  waits_.push_back({WaitRecord::Kind::kSleep, milliseconds, world_.Now(), milliseconds});
  world_.clock().Advance(milliseconds);
}

std::string SimPlatform::FormatTimeOfDay() {
  return world_.clock().TimeOfDay();
}

std::string SimPlatform::FormatDateTime() {
  return world_.clock().DateTime();
}

void SimPlatform::WaitForMessages(std::uint32_t milliseconds) {
  SimClock& clock = world_.clock();
  const std::uint64_t start = clock.now();
  std::uint64_t end = start + milliseconds;
  // A message that is (or becomes) due ends the wait; one already waiting
  // ends it at once.
  if (const auto due = clock.NextDue(); due && *due < end)
    end = *due < start ? start : *due;
  clock.Advance(end - start);
  waits_.push_back({WaitRecord::Kind::kWaitForMessages, milliseconds, start, end - start});
}

void SimPlatform::PumpMessages() {
  ++pumpCount_;
  while (world_.clock().RunOneDue()) {
  }
}

int SimPlatform::MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                            std::uint32_t flags) {
  int answer = (flags & 0x0F) == kMbYesNo ? kIdYes : kIdOk;
  if (!messageBoxAnswers_.empty()) {
    answer = messageBoxAnswers_.front();
    messageBoxAnswers_.pop_front();
  }
  messageBoxes_.push_back({owner, text, caption, flags, answer, world_.Now()});
  return answer;
}

} // namespace vantrel::sim
