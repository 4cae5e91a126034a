// Run values in Vantrel's stores (Software\Korvane\Vantrel\HKCU and \HKLM)
// as both programs must read them: which record a value has, which value
// a stopped entry stands for, and which stored values are only leftover
// copies of what the Run key still holds.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/item_kind.h"
#include "common/platform/platform.h"
#include "common/store/store_tables.h"

namespace vantrel::store {

// Kinds are the Run-value ones: kAllUsersRunValue, kCurrentUserRunValue and
// kAllUsersRunValue32 (the 32-bit view of the machine's Run key and of the
// all-users store). The two all-users kinds share their records
// ("ExecuteRegAU", "_REGAU_"); which view's store holds the value tells them
// apart.
//
// The "Startup" program that records the value of this name as delayed
// (kCurrentUserRunValue: "ExecuteReg"; any other kind: "ExecuteRegAU"),
// found by the value name alone: two values that start one program differ
// in nothing else. kNoIndex when there is none.
StoreIndex DelayedRunValueRecord(const StoreTables& tables, ItemKind kind, const std::string& name);

// Empties the entries of a listing of a store ("name=data") that the Run key
// of the same hive lists unchanged: copies a move could not take out again.
// Windows starts those; a record would start them a second time. A Run key
// that cannot be listed leaves the listing as it is.
void ForgetCopiesOfRunKey(Platform& platform, RegKey root, std::vector<std::string>& storeValues,
                          std::uint32_t view = 0);

// Whether the machine has a 32-bit registry view: 64-bit Windows keeps it
// under HKEY_LOCAL_MACHINE\Software\WOW6432Node. Elsewhere the 32-bit view
// is the only one, and must not be read a second time.
bool Has32BitRegistryView(Platform& platform);

// The registry view of a kind's Run key and store (kKeyWow64_32Key for
// kAllUsersRunValue32).
std::uint32_t RunValueView(ItemKind kind);

// The stored value a stopped entry of that kind stands for, known only by
// its program's path: the first value of the store whose listed text holds
// the path. Several values may start one program (rundll32.exe with other
// arguments), so a value recorded as delayed is never a stopped item's, and
// neither is a leftover copy. value is "name=data", or empty when none is;
// false when the store cannot be listed.
bool FindStoppedRunValue(Platform& platform, const StoreTables& tables, ItemKind kind,
                         std::string_view path, std::string& value);

} // namespace vantrel::store
