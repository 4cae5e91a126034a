// Where a Windows user's proggroup.c lives: in a folder named after the
// logon name directly inside the program folder.
#pragma once

#include <string>

#include "common/platform/platform.h"

namespace vantrel::store {

// The path of the current user's proggroup.c. Creates the user's folder in
// the program folder when it is missing.
std::string UserProgGroupPath(Platform& platform);

} // namespace vantrel::store
