#include "vantrel/login/paced_pump.h"

namespace vantrel {

void PacedMessagePump::Pump() {
  const std::uint32_t now = platform_.GetTickCount();
  // Unsigned subtraction, so that the tick count's wrap does no harm.
  if (pumped_ && now - lastTick_ < kIntervalMs)
    return;
  platform_.PumpMessages();
  // Taken after the pump: a handler that ran long does not earn an
  // immediate second round.
  lastTick_ = platform_.GetTickCount();
  pumped_ = true;
}

} // namespace vantrel
