// The program-group tables: the groups with their programs, the stopped and
// disallowed lists and the five options that proggroup.c holds. One
// StoreTables exists per process (held by Vantrel's context object) and
// every CDelayLoad works on that same instance; VantrelSync's CProgramGroup
// keeps one of its own.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/store/load_problem.h"

namespace vantrel {

// One program of a group. An entry whose Path is empty is a free slot:
// never written, skipped by everything that lists programs.
struct ProgramEntry {
  std::string Path;
  std::string Parameters;
  std::string Command;
  float Delay = 0;
  std::string RegistryName;
  std::int32_t MenuId = 0; // set when the tray menu is built; never stored

  bool operator==(const ProgramEntry&) const = default;
};

// A named list of programs. An empty Name marks a removed group.
struct ProgramGroup {
  std::string Name;
  std::vector<ProgramEntry> Programs;

  bool operator==(const ProgramGroup&) const = default;
};

// Groups and programs are addressed by 16-bit positions; -1 means none.
using StoreIndex = std::int16_t;
constexpr StoreIndex kNoIndex = -1;
// A table never grows past what a 16-bit position can address.
constexpr std::size_t kMaxTableSlots = 32768;

// The four command words of a delayed item.
inline constexpr std::string_view kCommandExecute = "Execute";
inline constexpr std::string_view kCommandExecuteAU = "ExecuteAU";
inline constexpr std::string_view kCommandExecuteReg = "ExecuteReg";
inline constexpr std::string_view kCommandExecuteRegAU = "ExecuteRegAU";

// The group whose programs are the delayed login items.
inline constexpr std::string_view kStartupGroupName = "Startup";

// Words that no delayed program may use, whatever the file says.
inline constexpr std::array<std::string_view, 6> kBuiltInDisallowed = {"format", "fdisk", "del",
                                                                       "rmdir",  "mkdir", "delete"};

struct StoreTables {
  std::vector<ProgramGroup> ProgramGroups;
  std::vector<std::string> StoppedPrograms;    // kind prefix + name; "" is a free slot
  std::vector<std::string> DisallowedPrograms; // single words

  float MainStartupDelay = 0;         // seconds
  std::int32_t StartupType = 0;       // 0-3
  std::int32_t CloseType = 0;         // 0-1
  std::string Language = "en";        // language code
  std::int16_t ShowTipsAtStartup = 0; // nonzero: show the tip window
  // The login run takes items that came back to Windows' startup into
  // Vantrel's care again by itself. Off unless the file says so.
  bool TakeBackReturnedItems = false;

  StoreIndex StartupGroupIndex = kNoIndex;

  // Set by Vantrel's start-up: the folders that hold delayed shortcuts, each
  // ending in a backslash. Paths inside them are kept as bare file names.
  std::string CurrentUserItemsFolder;
  std::string AllUsersItemsFolder;

  // The file on disk did not load; it is copied aside before anything
  // overwrites it, and Vantrel's own Run value is left as it is.
  bool LastLoadFailed = false;
  // The problem last shown in a box, so that the same one is told once.
  LoadProblem ReportedLoadProblem = LoadProblem::kNone;
};

// The tables Vantrel starts from when a user has no proggroup.c yet: group
// "Startup" with one free slot, the built-in words, an empty stopped list
// and the default options. The items folders and the load flag are kept.
void SetDefaultTables(StoreTables& tables);

} // namespace vantrel
