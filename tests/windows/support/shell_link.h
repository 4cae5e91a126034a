// Shortcut files for the tests, made through IShellLink as Explorer makes
// them.
#pragma once

#include <string>

namespace vantrel::testing {

// Writes a .lnk at linkPath that starts target with arguments. Joins COM
// for the call itself; false when the shell could not make the file.
bool MakeShortcut(const std::string& linkPath, const std::string& target,
                  const std::string& arguments);

} // namespace vantrel::testing
