// One program line of a group block:
//      Command ("Path", "Parameters", Delay, "RegistryName");
// Paths inside an items folder come back as the bare file name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/store/store_tables.h"

namespace vantrel::store {

struct ProgramLineResult {
  bool ok = false;    // false: the line is broken and the load stops
  ProgramEntry entry; // Path empty: the line names no program
};

// A path that starts with one of the items folders loses that folder (and
// one backslash after it); an empty folder is never stripped.
ProgramLineResult ParseProgramLine(std::string_view line, std::string_view currentUserItemsFolder,
                                   std::string_view allUsersItemsFolder);

} // namespace vantrel::store
