// Finding, adding, changing and removing groups and their programs, and
// the two questions self-registration asks about the Startup group. None
// of these saves: callers write the file when they want a change kept.
#pragma once

#include <string>
#include <string_view>

#include "common/store/store_tables.h"

namespace vantrel::store {

// The first group named exactly name; kNoIndex when none is.
StoreIndex GetGroupID(const StoreTables& tables, std::string_view name);

// The first program of the group whose Path, or Path + " " + Parameters,
// equals the trimmed text; kNoIndex when none does or the group is missing.
StoreIndex GetProgramID(const StoreTables& tables, std::string_view text, StoreIndex group);
StoreIndex GetProgramID(const StoreTables& tables, std::string_view text,
                        std::string_view groupName);

// The group of that name, appended (with one free slot) when missing;
// kNoIndex when the table is full.
StoreIndex AddGroup(StoreTables& tables, const std::string& name);

bool UpdateGroupName(StoreTables& tables, StoreIndex group, const std::string& newName);
bool UpdateGroupNameString(StoreTables& tables, std::string_view oldName,
                           const std::string& newName);

// The last group leaves the table; any other becomes a removed group (no
// name, no slots) until the next save and reload. The table never loses its
// only group: that one is emptied instead. False for a missing group.
bool RemoveProgramGroup(StoreTables& tables, StoreIndex group);

// Appends a new slot to the group (kNoIndex: the Startup group, created
// when missing). False, changing nothing, for a missing group or a full one.
bool AddProgramToGroup(StoreTables& tables, StoreIndex group, const std::string& command,
                       const std::string& path, const std::string& parameters, float delay,
                       const std::string& registryName);

// Sets Path, Parameters and Delay of an existing slot.
bool UpdateProgramInGroup(StoreTables& tables, StoreIndex group, StoreIndex program,
                          const std::string& path, const std::string& parameters, float delay);

// Removes one slot; later slots move down. A group keeps at least one slot.
// A negative program index changes nothing (true); a program index past the
// last slot or a missing group changes nothing (false).
bool RemoveProgramFromGroup(StoreTables& tables, StoreIndex group, StoreIndex program);

// Orders every group's slots by ascending Delay, keeping the order of equal
// delays; the order of the groups stays.
void SortArray(StoreTables& tables);

// Exchanges the contents of two slots, all fields.
void SwapPrograms(ProgramEntry& a, ProgramEntry& b);

// Whether the Startup group holds a program at all, and one of all users.
bool AreUserDelays(const StoreTables& tables);
bool AreAllUserDelays(const StoreTables& tables);

} // namespace vantrel::store
