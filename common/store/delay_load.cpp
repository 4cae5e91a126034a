#include "common/store/delay_load.h"

#include "common/safe_save.h"
#include "common/store/clean_line.h"
#include "common/store/disallowed.h"
#include "common/store/group_operations.h"
#include "common/store/proggroup_file.h"
#include "common/store/proggroup_reader.h"
#include "common/store/proggroup_writer.h"
#include "common/store/stopped_programs.h"
#include "common/text_encoding.h"

namespace vantrel {

namespace {
constexpr int kLoadFailedMessage = 13;
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

void CDelayLoad::AddStoppedProgram(const std::string& name, int kind) {
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

void CDelayLoad::RemoveStoppedProgram(const std::string& name, int kind) {
  store::RemoveStoppedProgram(tables_, name, kind);
}

bool CDelayLoad::FileExists() const {
  return platform_.GetFileAttributes(filePath_) != kInvalidFileAttributes;
}

bool CDelayLoad::LoadItems() {
  if (!FileExists()) {
    SetDefaultTables(tables_);
    tables_.LastLoadFailed = false;
    WriteItems();
    SortArray();
    tables_.StartupGroupIndex = store::GetGroupID(tables_, kStartupGroupName);
    return true;
  }
  bool loaded = false;
  try {
    std::string text;
    loaded = platform_.ReadWholeFile(filePath_, &text) &&
             store::ReadProgGroup(AsUtf8Text(platform_, std::move(text)), tables_, host_,
                                  boundTreeView_);
  } catch (...) {
    loaded = false; // out of memory on a huge file: a failed load like any other
  }
  if (!loaded)
    ReportLoadFailure();
  tables_.LastLoadFailed = !loaded;
  return loaded;
}

void CDelayLoad::ReportLoadFailure() {
  const std::string text = host_.Message ? host_.Message(kLoadFailedMessage) : std::string();
  platform_.MessageBox(0, text, "Vantrel - Error", kMbOk | kMbIconInformation);
}

bool CDelayLoad::WriteItems() {
  std::string bytes;
  try {
    bytes = store::FormatProgGroup(tables_, host_.Languages);
  } catch (...) {
    return false;
  }
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
