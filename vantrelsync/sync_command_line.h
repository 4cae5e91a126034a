// What VantrelSync is asked to do: its command line is one word or none.
#pragma once

#include <string_view>

namespace vantrel::sync {

enum class SyncAction {
  kNothing,     // an unknown command line: end without a word
  kSynchronize, // rebuild proggroup.c from Vantrel's stores
  kUpgrade,     // move the old Start-menu layout, then synchronise
};

// The command line after the program's name, trimmed of blanks and taken
// in any letter case, must be exactly one of the known words (or nothing).
SyncAction ChooseSyncAction(std::string_view commandLine);

} // namespace vantrel::sync
