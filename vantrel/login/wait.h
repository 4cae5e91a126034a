// The launch engine's wait: time passes in slices of at most two seconds
// while window messages are handled as they arrive, so that the tray icon
// and the main window answer during a login-time wait.
#pragma once

#include <cstdint>
#include <optional>

#include "vantrel/app/app_context.h"

namespace vantrel {

// The longest single wait for window messages.
constexpr std::uint32_t kWaitSliceMs = 2000;

// A delay in seconds as whole milliseconds (delay x 1000 in 32-bit float,
// rounded half to even); empty when that leaves the 32-bit range.
std::optional<std::int32_t> DelayToMilliseconds(float seconds);

// Waits until milliseconds of waiting have passed or AbortWait is set,
// handling window messages the moment they arrive. Time spent inside those
// handlers (a group started from the tray menu runs nested here) does not
// count towards this wait. WaitInProgress is set throughout and restored to
// what it was afterwards, so an outer wait still shows as running once a
// nested one ends. A request of 0 or less returns at once.
void WaitMilliseconds(AppContext& context, std::int32_t milliseconds);

} // namespace vantrel
