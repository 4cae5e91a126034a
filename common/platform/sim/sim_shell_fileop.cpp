#include "common/platform/sim/sim_shell_fileop.h"

namespace vantrel::sim {

namespace {

constexpr int kInvalidName = 123;     // ERROR_INVALID_NAME
constexpr int kFilenameTooLong = 206; // ERROR_FILENAME_EXCED_RANGE

SimPath WithoutTrailingSeparator(SimPath path) {
  path.trailingSeparator = false;
  return path;
}

// Nothing below node is locked or read-only, so all of it can go.
bool Removable(const SimNode& node) {
  if (node.locked || node.readOnlyFolder)
    return false;
  for (const auto& child : node.children) {
    if (!Removable(*child.second))
      return false;
  }
  return true;
}

// May node leave its folder (a read-only folder may not leave at all)?
bool Movable(const SimNode& node) {
  return !SimFileSystem::AnyLocked(node) &&
         SimFileSystem::Changeable(node.folder ? &node : node.parent);
}

class ShellOperation {
public:
  ShellOperation(SimFileSystem& files, bool move) : files_(files), move_(move) {}

  int Delete(const SimPath& path) {
    SimNode* node = files_.Find(path);
    if (node == nullptr)
      return win32err::kFileNotFound;
    if (node->parent == nullptr || !Removable(*node) || !SimFileSystem::Changeable(node->parent))
      return win32err::kAccessDenied;
    files_.Detach(node);
    return 0;
  }

  int Rename(const SimPath& source, const SimPath& target) {
    SimNode* node = files_.Find(source);
    if (!ValidEntryName(target.name()))
      return kInvalidName;
    SimNode* folder = node->parent;
    const auto it = folder->children.find(target.name());
    SimNode* existing = it == folder->children.end() ? nullptr : it->second.get();
    if (existing != nullptr && existing != node && (existing->folder || node->folder))
      return win32err::kAlreadyExists;
    if (!Movable(*node) || (existing != nullptr && existing->locked))
      return win32err::kAccessDenied;
    files_.Attach(folder, files_.Detach(node), target.name());
    return 0;
  }

  // Moves or copies one item to the full name target.
  int Transfer(const SimPath& source, const SimPath& target) {
    SimNode* node = files_.Find(source);
    if (node == nullptr) // gone with an item before it
      return 0;
    if (!ValidEntryName(target.name()))
      return kInvalidName;
    if (target.str().size() > kMaxPathChars)
      return kFilenameTooLong;
    const SimNode* same = files_.Find(target);
    if (same == node) {
      if (move_ && target.name() != node->name) // only the spelling changes
        return Rename(source, target);
      return node->folder ? kDeDestSubtree : kDeSameFile;
    }
    if (node->folder && IsWithin(target, source))
      return kDeDestSubtree;
    if (const long rc = files_.MakeFolders(target.parent(), true); rc != 0)
      return rc == win32err::kAlreadyExists ? kDeFldDestIsFile : static_cast<int>(rc);
    SimNode* folder = files_.Find(target.parent());
    const auto it = folder->children.find(target.name());
    SimNode* existing = it == folder->children.end() ? nullptr : it->second.get();
    if (existing != nullptr) {
      if (existing->folder && node->folder)
        return Merge(node, source, target);
      if (existing->folder)
        return kDeFileDestIsFld;
      if (node->folder)
        return kDeFldDestIsFile;
      if (existing->locked)
        return win32err::kAccessDenied;
    }
    if (!SimFileSystem::Changeable(folder))
      return win32err::kAccessDenied;
    if (move_) {
      if (!Movable(*node))
        return win32err::kAccessDenied;
      files_.Attach(folder, files_.Detach(node), target.name());
      return 0;
    }
    if (SimFileSystem::AnyLocked(*node))
      return win32err::kAccessDenied;
    const std::uint64_t room = files_.FreeBytes() + (existing ? existing->bytes.size() : 0);
    if (SimFileSystem::SizeOf(*node) > room)
      return win32err::kDiskFull;
    files_.Attach(folder, SimFileSystem::Clone(*node), target.name());
    return 0;
  }

  // Moves or copies items into folder, creating it when missing.
  int IntoFolder(const std::vector<SimPath>& items, const SimPath& folder) {
    if (items.empty())
      return 0;
    const SimNode* existing = files_.Find(WithoutTrailingSeparator(folder));
    if (existing != nullptr && !existing->folder)
      return kDeFldDestIsFile;
    if (const long rc = files_.MakeFolders(folder, true); rc != 0)
      return rc == win32err::kAlreadyExists ? kDeFldDestIsFile : static_cast<int>(rc);
    for (const auto& item : items) {
      const SimNode* node = files_.Find(item);
      if (node == nullptr)
        continue;
      if (const int rc = Transfer(item, folder.child(node->name)); rc != 0)
        return rc;
    }
    return 0;
  }

private:
  // A folder onto a folder: the contents join, and a moved folder goes.
  int Merge(SimNode* node, const SimPath& source, const SimPath& target) {
    std::vector<std::string> names;
    for (const auto& child : node->children)
      names.push_back(child.second->name);
    for (const auto& name : names) {
      if (const int rc = Transfer(source.child(name), target.child(name)); rc != 0)
        return rc;
    }
    if (move_) {
      if (!Movable(*node))
        return win32err::kAccessDenied;
      files_.Detach(node);
    }
    return 0;
  }

  SimFileSystem& files_;
  bool move_;
};

// The items a source entry stands for; a missing source is an error.
int Expand(const SimFileSystem& files, const SimPath& entry, bool filesOnly,
           std::vector<SimPath>* items) {
  if (!HasWildcard(entry.name())) {
    if (files.Find(entry) == nullptr)
      return win32err::kFileNotFound;
    items->push_back(entry);
    return 0;
  }
  const SimNode* folder = files.Find(entry.parent());
  if (folder == nullptr || !folder->folder)
    return win32err::kFileNotFound;
  for (const auto& child : folder->children) {
    const SimNode& node = *child.second;
    if (MatchesPattern(entry.name(), node.name) && !(filesOnly && node.folder))
      items->push_back(entry.parent().child(node.name));
  }
  return 0;
}

int MoveOrCopy(ShellOperation& shell, const std::vector<SimPath>& from,
               const std::vector<std::vector<SimPath>>& items, const std::vector<SimPath>& to,
               std::uint32_t flags, const SimFileSystem& files) {
  if (to.empty())
    return win32err::kInvalidParameter;
  if ((flags & kFofMultiDestFiles) != 0) {
    // One destination per source: a full name when the counts agree (a
    // wildcard's destination is a folder); with counts that disagree every
    // destination is a folder, and sources left without one fail.
    const bool paired = from.size() == to.size();
    const std::size_t n = from.size() < to.size() ? from.size() : to.size();
    for (std::size_t i = 0; i < n; ++i) {
      const bool asFolder = !paired || HasWildcard(from[i].name());
      const int rc = asFolder ? shell.IntoFolder(items[i], to[i]) : shell.Transfer(from[i], to[i]);
      if (rc != 0)
        return rc;
    }
    return from.size() > to.size() ? kDeSameFile : 0;
  }
  if (from.size() == 1 && !HasWildcard(from[0].name())) {
    const SimNode* target = files.Find(to[0]);
    const bool intoFolder = to[0].trailingSeparator ||
                            (target != nullptr && target->folder && !SamePath(to[0], from[0]));
    return intoFolder ? shell.IntoFolder(items[0], to[0]) : shell.Transfer(from[0], to[0]);
  }
  // Several sources, or a wildcard: the (first) destination is a folder.
  std::vector<SimPath> all;
  for (const auto& list : items)
    all.insert(all.end(), list.begin(), list.end());
  return shell.IntoFolder(all, to[0]);
}

} // namespace

std::vector<std::string> SplitPathList(const std::string& list) {
  std::vector<std::string> paths;
  std::size_t start = 0;
  while (start < list.size()) {
    std::size_t end = list.find('\0', start);
    if (end == std::string::npos)
      end = list.size();
    if (end == start)
      break;
    paths.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return paths;
}

int RunShFileOperation(SimFileSystem& files, const SimFaultHook& faults,
                       const std::string& currentDirectory, ShFileOpStruct* op) {
  op->anyOperationsAborted = false;
  if (op->func < kFoMove || op->func > kFoRename)
    return win32err::kInvalidParameter;
  std::vector<SimPath> from;
  std::vector<SimPath> to;
  for (const auto& path : SplitPathList(op->from))
    from.push_back(ParseSimPath(path, currentDirectory));
  for (const auto& path : SplitPathList(op->to))
    to.push_back(ParseSimPath(path, currentDirectory));
  if (from.empty())
    return win32err::kAccessDenied;
  for (const auto* list : {&from, &to}) {
    for (const auto& path : *list) {
      if (!path.valid)
        return win32err::kFileNotFound;
      if (Faulted(faults, SimOp::kShFileOperation, path.str()))
        return win32err::kAccessDenied;
    }
  }
  std::vector<std::vector<SimPath>> items(from.size());
  for (std::size_t i = 0; i < from.size(); ++i) {
    if (const int rc = Expand(files, from[i], (op->flags & kFofFilesOnly) != 0, &items[i]))
      return rc;
  }
  ShellOperation shell(files, op->func == kFoMove);
  switch (op->func) {
  case kFoDelete:
    for (const auto& list : items) {
      for (const auto& item : list) {
        const int rc = shell.Delete(item);
        if (rc != 0 && rc != win32err::kFileNotFound) // gone with its folder
          return rc;
      }
    }
    return 0;
  case kFoRename:
    if (from.size() != 1 || HasWildcard(from[0].name()))
      return kDeManySrc1Dest;
    if (to.empty() || !SamePath(from[0].parent(), to[0].parent()))
      return kDeDiffDir;
    return shell.Rename(from[0], to[0]);
  default:
    return MoveOrCopy(shell, from, items, to, op->flags, files);
  }
}

} // namespace vantrel::sim
