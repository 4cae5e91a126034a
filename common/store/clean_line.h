// The comment rule of proggroup.c: a line ends at the first "//" that
// stands outside double quotes, so a URL inside a quoted path or parameter
// stays part of the line. Tabs are dropped; blanks are kept.
#pragma once

#include <string>
#include <string_view>

namespace vantrel::store {

std::string CleanLine(std::string_view line);

} // namespace vantrel::store
