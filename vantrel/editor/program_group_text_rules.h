// What proggroup.c can carry back. The file format has no escapes: a group
// name is written with underscores for blanks, and a program's texts sit
// between double quotes and commas on one line. Text that would come back
// from the file differently is refused before it is saved.
#pragma once

#include <string_view>

#include "common/store/store_tables.h"

namespace vantrel {

enum class TextProblem {
  kNone,
  kUnderscoreInGroupName, // would come back with a blank
  kQuoteInParameters,     // would end the parameters early
  kBadCharInRegistryName, // a double quote, comma or ")"
  kNotCarried,            // anything else that reads back differently
};

// The group name as it would be stored.
TextProblem CheckGroupName(std::string_view name);

// A program of a group, as it would be stored: the group's name and the
// entry's Path, Parameters, Delay, Command and RegistryName.
TextProblem CheckProgram(std::string_view groupName, const ProgramEntry& entry);

} // namespace vantrel
