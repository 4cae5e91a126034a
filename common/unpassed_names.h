// Names that did not reach Vantrel intact. Windows before 10 version 1903
// ignores the UTF-8 code page of Vantrel's manifest and passes every name
// through the system's own code page, where a character it lacks becomes
// "?". No Windows file, folder or logon name holds a "?", so one in such a
// name means the name was lost on the way; Vantrel then says so, naming
// the item, rather than failing without a word.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/platform/platform.h"

namespace vantrel {

// True when a path or name that Windows handed over holds a "?".
bool NameNotPassed(std::string_view name);

// Why an item of that name cannot be handled, for the user.
std::string NameNotPassedReason();

// The message for the first of the program folder and the logon name that
// did not pass, naming it; nothing when both passed. Without them neither
// program finds its files.
std::optional<std::string> UnpassedProgramPlaces(Platform& platform);

} // namespace vantrel
