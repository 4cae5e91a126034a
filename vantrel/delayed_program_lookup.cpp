#include "vantrel/delayed_program_lookup.h"

#include <string>

#include "common/text.h"
#include "vantrel/startup_group.h"

namespace vantrel::items {

namespace {

bool Names(const ProgramEntry& program, std::string_view text) {
  return program.Path == text || program.Path + " " + program.Parameters == text;
}

} // namespace

StoreIndex FindDelayedProgram(const StoreTables& tables, std::string_view text,
                              std::string_view command, std::string_view registryName) {
  const ProgramGroup* group = StartupGroup(tables);
  if (group == nullptr)
    return kNoIndex;
  const std::string wanted = TrimBlanks(text);
  StoreIndex anyName = kNoIndex;
  const auto& programs = group->Programs;
  for (std::size_t i = 0; i < programs.size() && i < kMaxTableSlots; ++i) {
    const ProgramEntry& program = programs[i];
    if (program.Path.empty() || program.Command != command || !Names(program, wanted))
      continue;
    if (registryName.empty() || program.RegistryName == registryName)
      return static_cast<StoreIndex>(i);
    if (anyName == kNoIndex)
      anyName = static_cast<StoreIndex>(i);
  }
  return anyName;
}

} // namespace vantrel::items
