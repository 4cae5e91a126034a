// Lets pending window messages through during a long loop, but not more
// often than every few milliseconds. Under Wine every look into the message
// queue is a round trip to the Wine server; a loop over a file's lines that
// looked once per line would pay that hundreds of times in a start, while
// the windows answer just as well when they are served every few ms.
#pragma once

#include <cstdint>

#include "common/platform/platform.h"

namespace vantrel {

class PacedMessagePump {
public:
  static constexpr std::uint32_t kIntervalMs = 5;

  explicit PacedMessagePump(Platform& platform) : platform_(platform) {}

  // Lets the pending messages run on the first call, and afterwards when
  // kIntervalMs have passed since they last did.
  void Pump();

private:
  Platform& platform_;
  bool pumped_ = false;
  std::uint32_t lastTick_ = 0;
};

} // namespace vantrel
