#include "vantrel/login/wait.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

std::optional<std::int32_t> DelayToMilliseconds(float seconds) {
  // The product is a 32-bit float, as the delay itself is.
  const float product = seconds * 1000.0f;
  constexpr float kLimit = 2147483648.0f; // 2^31
  if (!std::isfinite(product) || product < -kLimit || product >= kLimit)
    return std::nullopt;
  return static_cast<std::int32_t>(std::nearbyint(product));
}

void WaitMilliseconds(AppContext& context, std::int32_t milliseconds) {
  Platform& platform = context.platform;
  const bool outerWait = context.WaitInProgress;
  context.WaitInProgress = true;

  const std::uint64_t wanted = milliseconds > 0 ? static_cast<std::uint64_t>(milliseconds) : 0;
  std::uint64_t waited = 0;
  while (waited < wanted && !context.AbortWait) {
    const auto slice =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(kWaitSliceMs, wanted - waited));
    const std::uint32_t before = platform.GetTickCount();
    if (context.WaitForMessagesHook)
      context.WaitForMessagesHook(slice);
    else
      platform.WaitForMessages(slice);
    // Unsigned difference: right across the tick count's wrap at 2^32.
    waited += static_cast<std::uint32_t>(platform.GetTickCount() - before);
    platform.PumpMessages();
  }

  context.WaitInProgress = outerWait;
}

} // namespace vantrel
