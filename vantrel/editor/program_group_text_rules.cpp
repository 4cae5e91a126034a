#include "vantrel/editor/program_group_text_rules.h"

#include <string>
#include <vector>

#include "common/store/proggroup_reader.h"
#include "common/store/proggroup_writer.h"
#include "common/tree_model.h"

namespace vantrel {

namespace {

// The fields the file holds (MenuId is never stored).
bool SameStored(const ProgramEntry& a, const ProgramEntry& b) {
  return a.Path == b.Path && a.Parameters == b.Parameters && a.Command == b.Command &&
         a.Delay == b.Delay && a.RegistryName == b.RegistryName;
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// Writes the group (with the entry, when given) the way WriteItems does,
// followed by a program and a group that must survive it, and reads it back
// the way the editor's tree load does.
bool ReadsBackTheSame(std::string_view groupName, const ProgramEntry* entry) {
  ProgramEntry follower;
  follower.Path = "Follower.exe";
  follower.Command = std::string(kCommandExecute);
  follower.Delay = entry != nullptr ? entry->Delay : 0.0f; // the sort keeps equal delays' order

  StoreTables written;
  ProgramGroup group{std::string(groupName), {}};
  if (entry != nullptr)
    group.Programs.push_back(*entry);
  group.Programs.push_back(follower);
  written.ProgramGroups.push_back(group);
  written.ProgramGroups.push_back(ProgramGroup{"Follower", {follower}});

  StoreTables read;
  TreeModel tree;
  if (!store::ReadProgGroup(store::FormatProgGroup(written, nullptr), read, StoreHost{}, &tree))
    return false;
  if (read.ProgramGroups.size() != 2 || read.ProgramGroups[0].Name != groupName ||
      read.ProgramGroups[1].Name != "Follower" || read.ProgramGroups[1].Programs.size() != 1)
    return false;
  std::vector<ProgramEntry> back;
  for (const ProgramEntry& program : read.ProgramGroups[0].Programs) {
    if (!program.Path.empty())
      back.push_back(program);
  }
  if (entry == nullptr)
    return back.size() == 1 && SameStored(back[0], follower);
  return back.size() == 2 && SameStored(back[0], *entry) && SameStored(back[1], follower);
}

TextProblem GroupNameRule(std::string_view name) {
  return Contains(name, "_") ? TextProblem::kUnderscoreInGroupName : TextProblem::kNone;
}

} // namespace

TextProblem CheckGroupName(std::string_view name) {
  if (const TextProblem problem = GroupNameRule(name); problem != TextProblem::kNone)
    return problem;
  return ReadsBackTheSame(name, nullptr) ? TextProblem::kNone : TextProblem::kNotCarried;
}

TextProblem CheckProgram(std::string_view groupName, const ProgramEntry& entry) {
  if (const TextProblem problem = GroupNameRule(groupName); problem != TextProblem::kNone)
    return problem;
  return ReadsBackTheSame(groupName, &entry) ? TextProblem::kNone : TextProblem::kNotCarried;
}

} // namespace vantrel
