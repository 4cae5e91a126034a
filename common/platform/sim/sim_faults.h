// Fault injection: the simulated machine asks one hook before each change
// it is about to make (and before each file read); a hook that answers true
// makes that call fail as Windows would, with nothing changed.
#pragma once

#include <functional>
#include <string>

namespace vantrel::sim {

enum class SimOp {
  kRegCreateKey,   // subject: "HKCU\Software\Key" (every RegCreateKey call)
  kRegSetValue,    // subject: key path + "\" + value name
  kRegDeleteValue, // subject: key path + "\" + value name
  kRegDeleteKey,   // subject: key path
  kFileRead,       // ReadWholeFile, and the source of CopyFile
  kFileWrite,      // WriteWholeFile
  kFileAppend,     // AppendToFile
  kFileReplace,    // ReplaceFile, asked for the destination, then the source
  kFileCopy,       // CopyFile, asked for the destination
  kFileDelete,     // DeleteFile
  kCreateDirectory,
  kRemoveDirectory,
  kShFileOperation, // asked for each path of the source and destination lists
};

// File subjects are absolute paths as "C:\dir\name", spelled as the caller
// spelled them.
using SimFaultHook = std::function<bool(SimOp op, const std::string& subject)>;

inline bool Faulted(const SimFaultHook& hook, SimOp op, const std::string& subject) {
  return hook && hook(op, subject);
}

} // namespace vantrel::sim
