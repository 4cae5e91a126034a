// SHFileOperation on the simulated file system, as documented Windows
// (Vista and later) carries it out: several sources and wildcards, missing
// destination folders created, existing files replaced, folders merged.
#pragma once

#include <string>
#include <vector>

#include "common/platform/platform.h"
#include "common/platform/sim/sim_faults.h"
#include "common/platform/sim/sim_filesystem.h"

namespace vantrel::sim {

// The shell's own result codes that Windows still returns.
constexpr int kDeSameFile = 0x71;      // source and destination are the same file
constexpr int kDeManySrc1Dest = 0x72;  // several sources for one rename
constexpr int kDeDiffDir = 0x73;       // a rename into another folder
constexpr int kDeDestSubtree = 0x76;   // a folder into itself
constexpr int kDeFldDestIsFile = 0x7E; // a folder (or several items) onto a file
constexpr int kDeFileDestIsFld = 0x80; // a file onto a folder

// The paths of a list of NUL-separated paths ended by an empty one.
std::vector<std::string> SplitPathList(const std::string& list);

// Returns 0 on success, 2 when a source is missing (then nothing is done),
// another code for any other failure (what was done before it stays).
int RunShFileOperation(SimFileSystem& files, const SimFaultHook& faults,
                       const std::string& currentDirectory, ShFileOpStruct* op);

} // namespace vantrel::sim
