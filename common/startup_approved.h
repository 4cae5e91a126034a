// Windows' own startup switches. Since Windows 8, Task Manager's Startup
// tab and Settings > Apps > Startup leave an item where it is and only
// write a 12-byte REG_BINARY value, named like the item, under
// Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\ of
// the item's hive: "Run" for that hive's Run key, "Run32" for the 32-bit
// view of the machine's Run key, "StartupFolder" for the Startup folder of
// that scope (named by the file name, ".lnk" and all). The first byte is
// even (02, 06) for on and odd (03, 07) for off; bytes 4-11 are the
// FILETIME of switching off. A missing value is on. The switch is keyed by
// name and outlives the item, so an item that comes back to its location
// is still off. The key is shared by both registry views.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/platform/platform.h"

namespace vantrel {

inline constexpr const char* kStartupApprovedPath =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved";

// The location an item is switched in.
enum class StartupList { kRun, kRun32, kStartupFolder };

struct StartupSwitch {
  RegKey root = kHkeyCurrentUser;
  std::string key;  // under root: kStartupApprovedPath and the list's name
  std::string name; // the Run value's name or the shortcut's file name

  // The switch as a registry editor names it, for the log.
  std::string Where() const;
};

StartupSwitch SwitchOf(RegKey root, StartupList list, const std::string& name);

// The rule on the value's bytes: off when its first byte is odd. Nothing
// (an empty value) is on, as a missing one is.
bool SwitchDataIsOff(const std::vector<std::uint8_t>& data);

// The form Task Manager writes when it switches an item on: 02 and eleven
// zero bytes.
std::vector<std::uint8_t> SwitchOnData();

// The switch as Windows holds it: off only for a REG_BINARY value whose
// first byte is odd; a missing value, an empty one or one of another type
// is on. A switch that cannot be read is on.
bool IsSwitchedOff(Platform& platform, const StartupSwitch& where);

// The switch's bytes as they are (REG_BINARY only), to write back later.
std::optional<std::vector<std::uint8_t>> SwitchData(Platform& platform, const StartupSwitch& where);

// Writes the "on" form and reads it back; false when the switch is not on
// afterwards (an all-users switch needs administrator rights).
bool SwitchOn(Platform& platform, const StartupSwitch& where);

// Writes earlier bytes back (an undo); a switch that had no value loses it.
void RestoreSwitch(Platform& platform, const StartupSwitch& where,
                   const std::optional<std::vector<std::uint8_t>>& data);

} // namespace vantrel
