#include "common/store/group_operations.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "common/text.h"

namespace vantrel::store {

namespace {

bool ValidGroup(const StoreTables& tables, StoreIndex group) {
  return group >= 0 && static_cast<std::size_t>(group) < tables.ProgramGroups.size();
}

bool ValidProgram(const ProgramGroup& group, StoreIndex program) {
  return program >= 0 && static_cast<std::size_t>(program) < group.Programs.size();
}

const ProgramGroup* FindStartupGroup(const StoreTables& tables) {
  const StoreIndex index = GetGroupID(tables, kStartupGroupName);
  return index == kNoIndex ? nullptr : &tables.ProgramGroups[static_cast<std::size_t>(index)];
}

// NaN never comes from the file; were one set in memory it sorts as 0, so
// the ordering stays strict and weak.
float SortKey(float delay) {
  return std::isnan(delay) ? 0.0f : delay;
}

} // namespace

StoreIndex GetGroupID(const StoreTables& tables, std::string_view name) {
  const auto& groups = tables.ProgramGroups;
  for (std::size_t i = 0; i < groups.size() && i < kMaxTableSlots; ++i) {
    if (groups[i].Name == name)
      return static_cast<StoreIndex>(i);
  }
  return kNoIndex;
}

StoreIndex GetProgramID(const StoreTables& tables, std::string_view text, StoreIndex group) {
  if (!ValidGroup(tables, group))
    return kNoIndex;
  const std::string wanted = TrimBlanks(text);
  const auto& programs = tables.ProgramGroups[static_cast<std::size_t>(group)].Programs;
  for (std::size_t i = 0; i < programs.size() && i < kMaxTableSlots; ++i) {
    const ProgramEntry& entry = programs[i];
    if (entry.Path.empty())
      continue;
    if (wanted == entry.Path || wanted == entry.Path + " " + entry.Parameters)
      return static_cast<StoreIndex>(i);
  }
  return kNoIndex;
}

StoreIndex GetProgramID(const StoreTables& tables, std::string_view text,
                        std::string_view groupName) {
  return GetProgramID(tables, text, GetGroupID(tables, groupName));
}

StoreIndex AddGroup(StoreTables& tables, const std::string& name) {
  const StoreIndex existing = GetGroupID(tables, name);
  if (existing != kNoIndex)
    return existing;
  if (tables.ProgramGroups.size() >= kMaxTableSlots)
    return kNoIndex;
  tables.ProgramGroups.push_back(ProgramGroup{name, {ProgramEntry{}}});
  const auto index = static_cast<StoreIndex>(tables.ProgramGroups.size() - 1);
  if (name == kStartupGroupName)
    tables.StartupGroupIndex = index;
  return index;
}

bool UpdateGroupName(StoreTables& tables, StoreIndex group, const std::string& newName) {
  if (!ValidGroup(tables, group))
    return false;
  tables.ProgramGroups[static_cast<std::size_t>(group)].Name = newName;
  return true;
}

bool UpdateGroupNameString(StoreTables& tables, std::string_view oldName,
                           const std::string& newName) {
  return UpdateGroupName(tables, GetGroupID(tables, oldName), newName);
}

bool RemoveProgramGroup(StoreTables& tables, StoreIndex group) {
  if (!ValidGroup(tables, group))
    return false;
  auto& groups = tables.ProgramGroups;
  if (static_cast<std::size_t>(group) == groups.size() - 1 && groups.size() > 1) {
    groups.pop_back();
    return true;
  }
  ProgramGroup& removed = groups[static_cast<std::size_t>(group)];
  removed.Name.clear();
  removed.Programs.clear();
  return true;
}

bool AddProgramToGroup(StoreTables& tables, StoreIndex group, const std::string& command,
                       const std::string& path, const std::string& parameters, float delay,
                       const std::string& registryName) {
  if (group == kNoIndex)
    group = AddGroup(tables, std::string(kStartupGroupName));
  if (!ValidGroup(tables, group))
    return false;
  auto& programs = tables.ProgramGroups[static_cast<std::size_t>(group)].Programs;
  if (programs.size() >= kMaxTableSlots)
    return false;
  programs.push_back(ProgramEntry{path, parameters, command, delay, registryName, 0});
  return true;
}

bool UpdateProgramInGroup(StoreTables& tables, StoreIndex group, StoreIndex program,
                          const std::string& path, const std::string& parameters, float delay) {
  if (!ValidGroup(tables, group))
    return false;
  ProgramGroup& target = tables.ProgramGroups[static_cast<std::size_t>(group)];
  if (!ValidProgram(target, program))
    return false;
  ProgramEntry& entry = target.Programs[static_cast<std::size_t>(program)];
  entry.Path = path;
  entry.Parameters = parameters;
  entry.Delay = delay;
  return true;
}

bool RemoveProgramFromGroup(StoreTables& tables, StoreIndex group, StoreIndex program) {
  if (!ValidGroup(tables, group))
    return false;
  if (program < 0)
    return true;
  auto& programs = tables.ProgramGroups[static_cast<std::size_t>(group)].Programs;
  if (static_cast<std::size_t>(program) >= programs.size())
    return false;
  if (programs.size() == 1)
    programs.assign(1, ProgramEntry{});
  else
    programs.erase(programs.begin() + program);
  return true;
}

void SortArray(StoreTables& tables) {
  for (ProgramGroup& group : tables.ProgramGroups) {
    std::stable_sort(group.Programs.begin(), group.Programs.end(),
                     [](const ProgramEntry& a, const ProgramEntry& b) {
                       return SortKey(a.Delay) < SortKey(b.Delay);
                     });
  }
}

void SwapPrograms(ProgramEntry& a, ProgramEntry& b) {
  std::swap(a, b);
}

bool AreUserDelays(const StoreTables& tables) {
  const ProgramGroup* startup = FindStartupGroup(tables);
  if (!startup)
    return false;
  return std::any_of(startup->Programs.begin(), startup->Programs.end(),
                     [](const ProgramEntry& entry) { return !entry.Path.empty(); });
}

bool AreAllUserDelays(const StoreTables& tables) {
  const ProgramGroup* startup = FindStartupGroup(tables);
  if (!startup)
    return false;
  return std::any_of(
      startup->Programs.begin(), startup->Programs.end(), [](const ProgramEntry& entry) {
        return entry.Command == kCommandExecuteAU || entry.Command == kCommandExecuteRegAU;
      });
}

} // namespace vantrel::store
