// Test helpers of the simulated file system: they arrange and inspect the
// machine directly, past locks, read-only folders, the disk size and the
// fault hook.
#include "common/platform/sim/sim_filesystem.h"

namespace vantrel::sim {

namespace {

SimPath HelperPath(const std::string& path) {
  return ParseSimPath(path, "C:\\");
}

void ListTree(const SimNode& folder, const std::string& prefix, std::vector<std::string>& out) {
  for (const auto& entry : folder.children) {
    const SimNode& node = *entry.second;
    if (node.folder) {
      out.push_back(prefix + node.name + "\\");
      ListTree(node, prefix + node.name + "\\", out);
    } else {
      out.push_back(prefix + node.name);
    }
  }
}

} // namespace

SimNode* SimFileSystem::FindHelperPath(const std::string& path) const {
  return Find(HelperPath(path));
}

bool SimFileSystem::AddFile(const std::string& path, const std::string& bytes) {
  const SimPath target = HelperPath(path);
  if (!target.valid || target.isRoot() || !ValidEntryName(target.name()) ||
      MakeFolders(target.parent(), false) != win32err::kSuccess)
    return false;
  SimNode* folder = Find(target.parent());
  const auto it = folder->children.find(target.name());
  if (it != folder->children.end()) {
    if (it->second->folder)
      return false;
    it->second->bytes = bytes;
    return true;
  }
  auto file = std::make_unique<SimNode>();
  file->bytes = bytes;
  file->attributes = kFileAttributeArchive;
  Attach(folder, std::move(file), target.name());
  return true;
}

bool SimFileSystem::MakeDirs(const std::string& path) {
  return MakeFolders(HelperPath(path), false) == win32err::kSuccess;
}

std::optional<std::string> SimFileSystem::ReadFile(const std::string& path) const {
  const SimNode* node = FindHelperPath(path);
  if (node == nullptr || node->folder)
    return std::nullopt;
  return node->bytes;
}

bool SimFileSystem::Exists(const std::string& path) const {
  return FindHelperPath(path) != nullptr;
}

bool SimFileSystem::IsFolder(const std::string& path) const {
  const SimNode* node = FindHelperPath(path);
  return node != nullptr && node->folder;
}

std::vector<std::string> SimFileSystem::ListAll() const {
  std::vector<std::string> out;
  for (const auto& drive : drives_)
    ListTree(*drive.second, drive.second->name + "\\", out);
  return out;
}

std::vector<std::string> SimFileSystem::Names(const std::string& folder) const {
  std::vector<std::string> names;
  if (const SimNode* node = FindHelperPath(folder); node != nullptr) {
    for (const auto& entry : node->children)
      names.push_back(entry.second->name);
  }
  return names;
}

bool SimFileSystem::SetLocked(const std::string& path, bool locked) {
  SimNode* node = FindHelperPath(path);
  if (node == nullptr)
    return false;
  node->locked = locked;
  return true;
}

bool SimFileSystem::SetReadOnlyFolder(const std::string& path, bool readOnly) {
  SimNode* node = FindHelperPath(path);
  if (node == nullptr || !node->folder)
    return false;
  node->readOnlyFolder = readOnly;
  return true;
}

bool SimFileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
  SimNode* node = FindHelperPath(path);
  if (node == nullptr)
    return false;
  constexpr std::uint32_t kSettable =
      kFileAttributeReadOnly | kFileAttributeHidden | kFileAttributeSystem | kFileAttributeArchive;
  node->attributes = (attributes & kSettable) | (node->folder ? kFileAttributeDirectory : 0);
  return true;
}

} // namespace vantrel::sim
