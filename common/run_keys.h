// The registry keys both programs work on: Windows' Run key, the same path
// under HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE, and Vantrel's stores of
// the Run values it delays or stops, one per hive.
#pragma once

namespace vantrel {

inline constexpr const char* kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kCurrentUserRunStore = "Software\\Korvane\\Vantrel\\HKCU";
inline constexpr const char* kAllUsersRunStore = "Software\\Korvane\\Vantrel\\HKLM";

} // namespace vantrel
