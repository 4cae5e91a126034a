// Scratch places for tests against the real Win32 API: a fresh folder
// under %TEMP% and a registry key named after the process.
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
// The logon name, which names each user's folder beside Vantrel.exe.
std::string UserName();

} // namespace vantrel::testing
