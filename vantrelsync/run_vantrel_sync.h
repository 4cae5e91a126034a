// VantrelSync's whole run: choose the action from the command line and
// carry it out. The WinMain hands in the real platform; tests hand in the
// simulated one.
#pragma once

#include <string>

#include "common/platform/platform.h"

namespace vantrel::sync {

// commandLine is what follows the program's name. Returns the process's
// exit code: 0 when it did what it was asked (or was asked nothing it
// knows), 1 when the synchronisation failed or the run broke off.
int RunVantrelSync(Platform& platform, const std::string& commandLine);

} // namespace vantrel::sync
