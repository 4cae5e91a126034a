// Saving the program-group tables from a window, and telling the user when
// the file could not be written rather than carrying on as if it had been.
#pragma once

#include <string_view>

#include "common/platform/platform.h"
#include "vantrel/app/app_context.h"

namespace vantrel {

// The Messages entry that says the program-group file could not be saved.
inline constexpr std::size_t kSaveFailedMessage = 8;

// Writes proggroup.c through a new CDelayLoad. On failure logs
// "<operation> error: ..." and shows Messages(8) owned by owner; false.
bool SaveProgramGroups(AppContext& context, WindowHandle owner, std::string_view operation);

} // namespace vantrel
