// The kinds of startup item Vantrel moves: Run values and Startup-folder
// shortcuts, each for all users or the current user. The codes are stored
// nowhere as numbers, but the stopped list's prefixes and the store's
// look-ups are keyed by them, and both programs read them.
#pragma once

namespace vantrel {

enum class ItemKind : int {
  kAllUsersRunValue = 0,
  kCurrentUserRunValue = 1,
  kAllUsersShortcut = 2,
  kCurrentUserShortcut = 3,
  // A value of the 32-bit view of the machine's Run key. Its records are
  // those of kAllUsersRunValue ("ExecuteRegAU", "_REGAU_"); its value lies in
  // the 32-bit view of the all-users store, which tells the two apart.
  kAllUsersRunValue32 = 4,
};

} // namespace vantrel
