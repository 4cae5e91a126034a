#include "common/store/delay_load.h"

#include "common/safe_save.h"
#include "common/store/clean_line.h"
#include "common/store/disallowed.h"
#include "common/store/foreign_text.h"
#include "common/store/group_operations.h"
#include "common/store/proggroup_file.h"
#include "common/store/proggroup_reader.h"
#include "common/store/proggroup_writer.h"
#include "common/store/stopped_programs.h"
#include "common/text_encoding.h"

namespace vantrel {

namespace {

// The Messages entry of each load problem's box.
int MessageOf(LoadProblem problem) {
  switch (problem) {
  case LoadProblem::kNotText:
    return 14;
  case LoadProblem::kHeldOpen:
    return 15;
  case LoadProblem::kUnreadable:
    return 16;
  default:
    return 13;
  }
}

// A file held open by another program is usually free again within a few
// seconds (a scanner, a backup tool).
constexpr std::uint32_t kHeldRetryMs = 250;
constexpr int kHeldRetries = 12;

} // namespace

CDelayLoad::CDelayLoad(Platform& platform, StoreTables& tables, StoreHost host)
    : CDelayLoad(platform, tables, std::move(host), store::UserProgGroupPath(platform)) {}

CDelayLoad::CDelayLoad(Platform& platform, StoreTables& tables, StoreHost host,
                       std::string filePath)
    : platform_(platform), tables_(tables), host_(std::move(host)), filePath_(std::move(filePath)) {
}

void CDelayLoad::RemoveDisallowed(std::vector<std::string>& removed) {
  store::RemoveDisallowed(tables_, removed);
}

StoreIndex CDelayLoad::GetGroupID(std::string_view name) const {
  return store::GetGroupID(tables_, name);
}

StoreIndex CDelayLoad::GetProgramID(std::string_view text, std::string_view groupName) const {
  return store::GetProgramID(tables_, text, groupName);
}

StoreIndex CDelayLoad::GetProgramID(std::string_view text, StoreIndex group) const {
  return store::GetProgramID(tables_, text, group);
}

bool CDelayLoad::GetStoppedInfo(StoreIndex item, std::string& path, std::string& parameters) {
  return store::GetStoppedInfo(platform_, tables_, item, path, parameters);
}

bool CDelayLoad::GetStoppedInfo(std::string_view item, std::string& path, std::string& parameters) {
  return store::GetStoppedInfo(platform_, tables_, item, path, parameters);
}

void CDelayLoad::AddStoppedProgram(const std::string& name, ItemKind kind) {
  store::AddStoppedProgram(tables_, name, kind);
}

StoreIndex CDelayLoad::AddGroup(const std::string& name) {
  return store::AddGroup(tables_, name);
}

bool CDelayLoad::UpdateGroupName(StoreIndex group, const std::string& newName) {
  return store::UpdateGroupName(tables_, group, newName);
}

bool CDelayLoad::UpdateGroupNameString(std::string_view oldName, const std::string& newName) {
  return store::UpdateGroupNameString(tables_, oldName, newName);
}

bool CDelayLoad::AddProgramToGroup(StoreIndex group, const std::string& command,
                                   const std::string& path, const std::string& parameters,
                                   float delay, const std::string& registryName) {
  return store::AddProgramToGroup(tables_, group, command, path, parameters, delay, registryName);
}

bool CDelayLoad::UpdateProgramInGroup(StoreIndex group, StoreIndex program, const std::string& path,
                                      const std::string& parameters, float delay) {
  return store::UpdateProgramInGroup(tables_, group, program, path, parameters, delay);
}

bool CDelayLoad::RemoveProgramFromGroup(StoreIndex group, StoreIndex program) {
  return store::RemoveProgramFromGroup(tables_, group, program);
}

bool CDelayLoad::RemoveProgramGroup(StoreIndex group) {
  return store::RemoveProgramGroup(tables_, group);
}

void CDelayLoad::RemoveStoppedProgram(const std::string& name, ItemKind kind) {
  store::RemoveStoppedProgram(tables_, name, kind);
}

bool CDelayLoad::FileExists() const {
  return platform_.GetFileAttributes(filePath_) != kInvalidFileAttributes;
}

bool CDelayLoad::LoadItems() {
  const LoadProblem problem = LoadItemsQuietly();
  ReportLoadProblem(problem);
  return problem == LoadProblem::kNone;
}

LoadProblem CDelayLoad::ReadFileBytes(std::string& text) {
  long error = platform_.ReadWholeFileError(filePath_, &text);
  for (int retry = 0; error == win32err::kSharingViolation && retry < kHeldRetries; ++retry) {
    platform_.Sleep(kHeldRetryMs);
    error = platform_.ReadWholeFileError(filePath_, &text);
  }
  if (error == win32err::kSuccess)
    return LoadProblem::kNone;
  return error == win32err::kSharingViolation ? LoadProblem::kHeldOpen : LoadProblem::kUnreadable;
}

LoadProblem CDelayLoad::LoadItemsQuietly() {
  if (!FileExists()) {
    SetDefaultTables(tables_);
    tables_.LastLoadFailed = false;
    tables_.ReportedLoadProblem = LoadProblem::kNone;
    WriteItems();
    SortArray();
    tables_.StartupGroupIndex = store::GetGroupID(tables_, kStartupGroupName);
    return LoadProblem::kNone;
  }
  std::string text;
  LoadProblem problem = ReadFileBytes(text);
  if (problem == LoadProblem::kNone && store::ClassifyRawBytes(text) != store::ForeignText::kNone)
    problem = LoadProblem::kNotText;
  if (problem == LoadProblem::kNone) {
    // Not loaded until the whole file is read: should memory run out on a
    // huge file, the file is kept before anything is written over it.
    tables_.LastLoadFailed = true;
    if (!store::ReadProgGroup(AsUtf8Text(platform_, std::move(text)), tables_, host_,
                              boundTreeView_))
      problem = LoadProblem::kFaultyLine;
  } else if (tables_.ProgramGroups.empty()) {
    // Nothing was ever loaded: the options start from their defaults, never
    // from zeros that would read as "do not run at login".
    SetDefaultTables(tables_);
  }
  tables_.LastLoadFailed = problem != LoadProblem::kNone;
  if (problem == LoadProblem::kNone)
    tables_.ReportedLoadProblem = LoadProblem::kNone;
  return problem;
}

void CDelayLoad::ReportLoadProblem(LoadProblem problem) {
  if (problem == LoadProblem::kNone || problem == tables_.ReportedLoadProblem)
    return;
  tables_.ReportedLoadProblem = problem;
  const std::string text = host_.Message ? host_.Message(MessageOf(problem)) : std::string();
  platform_.MessageBox(0, text, "Vantrel - Error", kMbOk | kMbIconInformation);
}

bool CDelayLoad::WriteItems() {
  const std::string bytes = store::FormatProgGroup(tables_, host_.Languages);
  // The file that did not load is kept once before it is overwritten.
  if (tables_.LastLoadFailed) {
    if (!KeepBackupCopy(platform_, filePath_))
      return false;
    tables_.LastLoadFailed = false;
  }
  return SaveFileSafely(platform_, filePath_, bytes);
}

void CDelayLoad::SortArray() {
  store::SortArray(tables_);
}

bool CDelayLoad::AreAllUserDelays() const {
  return store::AreAllUserDelays(tables_);
}

bool CDelayLoad::AreUserDelays() const {
  return store::AreUserDelays(tables_);
}

void CDelayLoad::SwapPrograms(ProgramEntry& a, ProgramEntry& b) {
  store::SwapPrograms(a, b);
}

std::string CDelayLoad::CleanLine(std::string_view line) {
  return store::CleanLine(line);
}

} // namespace vantrel
