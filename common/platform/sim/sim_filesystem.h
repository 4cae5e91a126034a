// The simulated file system: drives of folders and files whose names match
// without regard to case but keep their spelling, listed in NTFS order.
// The Win32-shaped calls keep Windows' rules (parent must exist, a folder
// must be empty to go, read-only files refuse changes); for fault tests a
// file can be locked (held open elsewhere), a folder made read-only (its
// whole subtree refuses changes), and the disk given a size.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/platform/platform.h"
#include "common/platform/sim/sim_faults.h"
#include "common/platform/sim/sim_names.h"
#include "common/platform/sim/sim_path.h"

namespace vantrel::sim {

struct SimNode {
  std::string name;
  bool folder = false;
  std::string bytes;
  std::uint32_t attributes = 0; // includes kFileAttributeDirectory for folders
  bool locked = false;          // a file another process holds open
  bool readOnlyFolder = false;  // nothing below it may change
  SimNode* parent = nullptr;
  std::map<std::string, std::unique_ptr<SimNode>, NameLess> children;
};

class SimFileSystem {
public:
  explicit SimFileSystem(const SimFaultHook& faults);

  // --- Win32-shaped calls on absolute paths.
  // The entries a FindFirstFile pattern finds; false when it finds none.
  bool List(const SimPath& pattern, std::vector<FindData>* entries) const;
  std::uint32_t Attributes(const SimPath& path) const;
  bool CreateDirectory(const SimPath& path);
  bool RemoveDirectory(const SimPath& path);
  bool Read(const SimPath& path, std::string* bytes) const;
  // A file another process holds open (LockFile).
  bool IsLocked(const SimPath& path) const;
  // A write that outgrows the disk stores what fits and fails, as a full
  // disk leaves a file that was being written in place. Like CreateFile
  // with CREATE_ALWAYS, Write refuses an existing hidden or system file.
  bool Write(const SimPath& path, const std::string& bytes);
  bool Append(const SimPath& path, const std::string& bytes);
  bool Replace(const SimPath& from, const SimPath& to);
  bool Copy(const SimPath& from, const SimPath& to);
  bool Delete(const SimPath& path);

  // --- Building blocks for the shell's file operation.
  SimNode* Find(const SimPath& path) const;
  // Nothing at or above folder is read-only.
  static bool Changeable(const SimNode* folder);
  static bool AnyLocked(const SimNode& node);
  static std::uint64_t SizeOf(const SimNode& node);
  std::uint64_t FreeBytes() const;
  // Creates every missing folder of path; a Win32 code.
  long MakeFolders(const SimPath& path, bool checked);
  std::unique_ptr<SimNode> Detach(SimNode* node);
  // Puts node into folder under name, replacing what was there.
  SimNode* Attach(SimNode* folder, std::unique_ptr<SimNode> node, const std::string& name);
  static std::unique_ptr<SimNode> Clone(const SimNode& node);

  // --- Test helpers, free of protections and faults ("C:\" is the
  // directory for relative paths).
  bool AddFile(const std::string& path, const std::string& bytes);
  bool MakeDirs(const std::string& path);
  std::optional<std::string> ReadFile(const std::string& path) const;
  bool Exists(const std::string& path) const;
  bool IsFolder(const std::string& path) const;
  // Every folder (with a trailing "\") and file, in listing order.
  std::vector<std::string> ListAll() const;
  std::vector<std::string> Names(const std::string& folder) const;
  bool SetLocked(const std::string& path, bool locked);
  bool SetReadOnlyFolder(const std::string& path, bool readOnly);
  // Sets the read-only, hidden, system and archive bits of an entry.
  bool SetAttributes(const std::string& path, std::uint32_t attributes);
  void SetDiskLimit(std::optional<std::uint64_t> bytes) { diskLimit_ = bytes; }
  std::uint64_t UsedBytes() const;

private:
  SimNode* FindHelperPath(const std::string& path) const;
  // WriteWholeFile and AppendToFile.
  bool StoreBytes(const SimPath& path, const std::string& bytes, bool append);

  const SimFaultHook& faults_;
  std::map<std::string, std::unique_ptr<SimNode>, NameLess> drives_;
  std::optional<std::uint64_t> diskLimit_;
};

} // namespace vantrel::sim
