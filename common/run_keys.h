// The registry keys both programs work on: Windows' Run key, the same path
// under HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE, and Vantrel's stores of
// the Run values it delays or stops, one per hive.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

inline constexpr const char* kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kCurrentUserRunStore = "Software\\Korvane\\Vantrel\\HKCU";
inline constexpr const char* kAllUsersRunStore = "Software\\Korvane\\Vantrel\\HKLM";

// The Run key's full name as a registry editor exports it: the 32-bit view
// of the machine's key lies under SOFTWARE\WOW6432Node.
inline std::string RunKeyFullName(bool currentUser, bool view32 = false) {
  std::string name = currentUser ? "HKEY_CURRENT_USER\\" : "HKEY_LOCAL_MACHINE\\";
  if (view32 && !currentUser)
    return name + "SOFTWARE\\WOW6432Node" +
           std::string(std::string_view(kRunKeyPath).substr(std::string_view("Software").size()));
  return name + kRunKeyPath;
}

} // namespace vantrel
