#include "common/store/stopped_programs.h"

#include <algorithm>

#include "common/command_split.h"
#include "common/registry.h"
#include "common/store/stored_run_values.h"
#include "common/text.h"

namespace vantrel::store {

namespace {

constexpr std::size_t kPrefixLength = 7;

// The program and parameters of the stored value a stopped entry stands
// for; path and parameters stay as they are when none does.
bool StoredRunValue(Platform& platform, const StoreTables& tables, ItemKind kind,
                    std::string_view name, std::string& path, std::string& parameters) {
  std::string value;
  if (!FindStoppedRunValue(platform, tables, kind, name, value))
    return false;
  if (const auto equals = value.find('='); equals != std::string::npos) {
    PathAndParameters split =
        SplitCommandLine(TrimBlanks(std::string_view(value).substr(equals + 1)));
    path = std::move(split.path);
    parameters = std::move(split.parameters);
  }
  return true;
}

} // namespace

std::string_view StoppedPrefix(ItemKind kind) {
  switch (kind) {
  case ItemKind::kAllUsersRunValue:
    return "_REGAU_";
  case ItemKind::kCurrentUserRunValue:
    return "_REGCU_";
  case ItemKind::kAllUsersShortcut:
    return "_STPAU_";
  case ItemKind::kCurrentUserShortcut:
    return "_STPCU_";
  case ItemKind::kAllUsersRunValue32: // recorded as kAllUsersRunValue
    return "_REGAU_";
  }
  return {};
}

void AddStoppedProgram(StoreTables& tables, const std::string& name, ItemKind kind) {
  auto& list = tables.StoppedPrograms;
  if (list.empty() || !list.back().empty())
    list.emplace_back();
  // Trimmed, as the file holds it: a Run value's path may still end in the
  // blank that preceded its parameters.
  list.back() = TrimBlanks(std::string(StoppedPrefix(kind)) + name);
}

void RemoveStoppedProgram(StoreTables& tables, const std::string& name, ItemKind kind) {
  const std::string wanted = TrimBlanks(std::string(StoppedPrefix(kind)) + name);
  for (std::string& entry : tables.StoppedPrograms) {
    if (entry == wanted) {
      entry.clear();
      return;
    }
  }
}

bool GetStoppedInfo(Platform& platform, const StoreTables& tables, StoreIndex item,
                    std::string& path, std::string& parameters) {
  if (item < 0 || static_cast<std::size_t>(item) >= tables.StoppedPrograms.size())
    return false;
  const std::string& entry = tables.StoppedPrograms[static_cast<std::size_t>(item)];
  const std::string_view kind = std::string_view(entry).substr(0, kPrefixLength);
  const std::string_view name =
      std::string_view(entry).substr(std::min(kPrefixLength, entry.size()));
  if (kind == StoppedPrefix(ItemKind::kCurrentUserShortcut)) {
    path = tables.CurrentUserItemsFolder + std::string(name);
  } else if (kind == StoppedPrefix(ItemKind::kAllUsersShortcut)) {
    path = tables.AllUsersItemsFolder + std::string(name);
  } else if (kind == StoppedPrefix(ItemKind::kCurrentUserRunValue)) {
    return StoredRunValue(platform, tables, ItemKind::kCurrentUserRunValue, name, path, parameters);
  } else if (kind == StoppedPrefix(ItemKind::kAllUsersRunValue)) {
    // A value a 32-bit Vantrel stopped lies in the 32-bit view of the store.
    std::string value;
    const bool in64 =
        FindStoppedRunValue(platform, tables, ItemKind::kAllUsersRunValue, name, value) &&
        !value.empty();
    return StoredRunValue(platform, tables,
                          in64 ? ItemKind::kAllUsersRunValue : ItemKind::kAllUsersRunValue32, name,
                          path, parameters);
  }
  return true;
}

bool GetStoppedInfo(Platform& platform, const StoreTables& tables, std::string_view item,
                    std::string& path, std::string& parameters) {
  const auto& list = tables.StoppedPrograms;
  for (std::size_t i = 0; i < list.size() && i < kMaxTableSlots; ++i) {
    if (list[i] == item)
      return GetStoppedInfo(platform, tables, static_cast<StoreIndex>(i), path, parameters);
  }
  return false;
}

} // namespace vantrel::store
