// The Run keys as the tree lists them, in both registry views, and which
// records belong to the 32-bit view of the machine's Run key.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/platform/platform.h"
#include "common/store/store_tables.h"
#include "vantrel/tree/startup_tree.h"

namespace vantrel {

// The data of a value that is not text, as Windows' registry editor shows
// it: a REG_DWORD as "0x0000002a (42)", anything else as its bytes in hex
// ("01 02 ff").
std::string ShowRegistryData(std::uint32_t type, const std::string& bytes);

// A Run key's values as "name=data" (one empty entry for none); a value
// that is neither REG_SZ nor REG_EXPAND_SZ shows its data as
// ShowRegistryData gives it.
std::vector<std::string> ListRunKey(Platform& platform, RegKey root, std::uint32_t view = 0);

// Reads the 32-bit view's Run values into lists and finds the records
// whose values lie in the 32-bit view of the all-users store, on a system
// that has that view.
void ReadRunKey32(Platform& platform, const StoreTables& tables, StartupItemLists& lists);

} // namespace vantrel
