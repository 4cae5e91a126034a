// Where the running program lives, and the shell's special folders.
#pragma once

#include <string>

#include "common/platform/platform.h"

namespace vantrel {

// The folder that holds the running exe, without a trailing backslash.
std::string ProgramFolder(Platform& platform);

// The path of a shell special folder by number; empty when the shell has none.
std::string GetSpecialFolder(Platform& platform, int csidl);

} // namespace vantrel
