// CDelayLoad: loads and saves the current user's proggroup.c and offers the
// operations on the program-group tables. Every CDelayLoad of a process
// works on the same StoreTables; only the file path and the bound tree are
// its own. Editing operations never save: callers call WriteItems.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/item_kind.h"
#include "common/platform/platform.h"
#include "common/store/store_host.h"
#include "common/store/store_tables.h"
#include "common/tree_model.h"

namespace vantrel {

class CDelayLoad {
public:
  // Works on the current user's file (program folder, logon name,
  // proggroup.c) and creates the user's folder when it is missing.
  CDelayLoad(Platform& platform, StoreTables& tables, StoreHost host);
  // Works on the file at filePath.
  CDelayLoad(Platform& platform, StoreTables& tables, StoreHost host, std::string filePath);

  // When set, LoadItems also rebuilds this tree (groups and programs in
  // file order).
  void SetBoundTreeView(TreeModel* tree) { boundTreeView_ = tree; }

  void RemoveDisallowed(std::vector<std::string>& removed);
  StoreIndex GetGroupID(std::string_view name) const;
  StoreIndex GetProgramID(std::string_view text, std::string_view groupName) const;
  StoreIndex GetProgramID(std::string_view text, StoreIndex group) const;
  bool GetStoppedInfo(StoreIndex item, std::string& path, std::string& parameters);
  bool GetStoppedInfo(std::string_view item, std::string& path, std::string& parameters);
  void AddStoppedProgram(const std::string& name, ItemKind kind);
  StoreIndex AddGroup(const std::string& name);
  bool UpdateGroupName(StoreIndex group, const std::string& newName);
  bool UpdateGroupNameString(std::string_view oldName, const std::string& newName);
  bool AddProgramToGroup(StoreIndex group, const std::string& command, const std::string& path,
                         const std::string& parameters, float delay,
                         const std::string& registryName);
  bool UpdateProgramInGroup(StoreIndex group, StoreIndex program, const std::string& path,
                            const std::string& parameters, float delay);
  bool RemoveProgramFromGroup(StoreIndex group, StoreIndex program);
  bool RemoveProgramGroup(StoreIndex group);
  void RemoveStoppedProgram(const std::string& name, ItemKind kind);

  // Reads the file into the tables; a missing file gets the default tables,
  // written at once. A file that does not fully load is copied to
  // proggroup.c.bak before the next save overwrites it: a faulty line keeps
  // every line before it (Messages(13)); bytes that are not Vantrel's text
  // (14), a file another program still holds open after a few seconds of
  // retries (15) or one that cannot be read (16) keep the tables as they
  // were. The box shows once for the same problem. False on failure.
  bool LoadItems();
  // LoadItems without the box, for a caller that may wait and try again.
  LoadProblem LoadItemsQuietly();
  // The box of a problem, unless the same problem was shown last.
  void ReportLoadProblem(LoadProblem problem);
  // Saves the tables (through a temporary file). False when the file, or
  // the backup copy of a file that failed to load, could not be written; the
  // old file is then untouched.
  bool WriteItems();
  void SortArray();
  bool AreAllUserDelays() const;
  bool AreUserDelays() const;

  const std::string& FilePath() const { return filePath_; }

private:
  static void SwapPrograms(ProgramEntry& a, ProgramEntry& b);
  static std::string CleanLine(std::string_view line);
  bool FileExists() const;
  LoadProblem ReadFileBytes(std::string& text);

  Platform& platform_;
  StoreTables& tables_;
  StoreHost host_;
  std::string filePath_;
  TreeModel* boundTreeView_ = nullptr;
};

} // namespace vantrel
