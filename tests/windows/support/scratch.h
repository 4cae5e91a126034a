// Scratch places for tests against the real Win32 API: a fresh folder
// under %TEMP%, a registry key named after the process, and the programs
// built beside the test binary.
#pragma once

#include <string>

namespace vantrel::testing {

inline constexpr const char* kScratchKeyParent = "Software\\VantrelTest";

// A new, empty folder under %TEMP% (or under base, which is made when
// missing), without a trailing backslash.
std::string NewScratchFolder(const std::string& base = "");
// "Software\VantrelTest\<process id>" under HKEY_CURRENT_USER.
std::string ScratchKeyPath();
// Deletes a folder with everything in it, read-only files included.
void RemoveTree(const std::string& folder);
// True when ntdll exports wine_get_version.
bool RunningUnderWine();
// The folder of the running test binary, where the built exes lie beside it.
std::string ThisExeFolder();
// Copies a program built beside the test binary into folder (as name when
// given); false when it is not there.
bool CopyBuiltExe(const std::string& exe, const std::string& folder, const std::string& as = "");
// The logon name, which names each user's folder beside Vantrel.exe.
std::string UserName();
// Writes a .lnk at linkPath that starts target with arguments, through
// IShellLink as Explorer makes them; false when the shell could not.
bool MakeShortcut(const std::string& linkPath, const std::string& target,
                  const std::string& arguments);

} // namespace vantrel::testing
