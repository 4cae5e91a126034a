// CProgramGroup: VantrelSync's own program-group store. It builds groups
// from what Vantrel's stores hold and writes them as a fresh proggroup.c
// with the built-in disallowed words, no stopped items and fixed options.
// It cannot read a file.
#pragma once

#include <string>

#include "common/platform/platform.h"
#include "common/store/store_tables.h"

namespace vantrel {

class CProgramGroup {
public:
  // Works on the current user's file and creates the user's folder when it
  // is missing.
  explicit CProgramGroup(Platform& platform);
  CProgramGroup(Platform& platform, std::string filePath);

  // Drops every group: the store then holds one unnamed group, which is
  // never written.
  void ResetGroups();

  StoreIndex AddGroup(const std::string& name);
  bool AddProgramToGroup(StoreIndex group, const std::string& command, const std::string& path,
                         const std::string& parameters, float delay,
                         const std::string& registryName);
  // Replaces the file (through a temporary file); false when it could not
  // be written, leaving the old file untouched.
  bool WriteItems();

  const StoreTables& Tables() const { return tables_; }
  const std::string& FilePath() const { return filePath_; }

private:
  Platform& platform_;
  StoreTables tables_;
  std::string filePath_;
};

} // namespace vantrel
