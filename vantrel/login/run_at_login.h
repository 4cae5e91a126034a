// Vantrel's own Run value "Tarrow", which starts it with -nogui at login,
// kept in line with the startup type.
#pragma once

#include <cstdint>

#include "common/run_keys.h"
#include "vantrel/app/app_context.h"

namespace vantrel {

inline constexpr const char* kOwnRunValueName = "Tarrow";

// 0: no value in either Run key. 1: as 3 when the group "Startup" holds an
// all-users item, else as 2 when it holds any item, else as 0 (and nothing
// is touched when no value exists). 2: the value for the current user only.
// 3: the value for the machine only. A value that exists is never rewritten,
// even when its command differs; only a missing one is written, with
// OwnRunCommand. Other numbers change nothing, and so does every type while
// the last load of proggroup.c failed.
void SetRunAtLogin(AppContext& context, std::int32_t startupType);

} // namespace vantrel
