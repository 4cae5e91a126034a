// The four kinds of startup item Vantrel moves, by the code that the stopped
// list and every move procedure use: Run values and Startup-folder
// shortcuts, each for all users or the current user.
#pragma once

namespace vantrel::items {

constexpr int kAllUsersRunValue = 0;
constexpr int kCurrentUserRunValue = 1;
constexpr int kAllUsersShortcut = 2;
constexpr int kCurrentUserShortcut = 3;
// A value of the 32-bit view of the machine's Run key. Its records are those
// of kind 0 ("ExecuteRegAU", "_REGAU_"); its value lies in the 32-bit view
// of the all-users store, which tells the two apart.
constexpr int kAllUsersRunValue32 = 4;

// The single-item procedures read 1 (Run values) and 3 (shortcuts) as the
// current user and anything else as all users.
constexpr bool IsCurrentUserRunValue(int kind) {
  return kind == kCurrentUserRunValue;
}
constexpr bool IsCurrentUserShortcut(int kind) {
  return kind == kCurrentUserShortcut;
}

} // namespace vantrel::items
