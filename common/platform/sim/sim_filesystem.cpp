#include "common/platform/sim/sim_filesystem.h"

#include <cstring>
#include <limits>

namespace vantrel::sim {

namespace {

bool TooLong(const SimPath& path) {
  return path.str().size() > kMaxPathChars;
}

// A path that can name a new entry: below a root, no trailing separator.
bool UsableName(const SimPath& path) {
  return path.valid && !path.isRoot() && !path.trailingSeparator && !TooLong(path) &&
         ValidEntryName(path.name());
}

std::uint32_t ReportedAttributes(const SimNode& node) {
  if (!node.folder && node.attributes == 0)
    return kFileAttributeNormal;
  return node.attributes;
}

FindData EntryData(const std::string& name, std::uint32_t attributes, std::uint64_t size) {
  FindData data;
  data.attributes = attributes;
  data.size = size;
  std::strncpy(data.fileName, name.c_str(), sizeof data.fileName - 1);
  return data;
}

} // namespace

SimFileSystem::SimFileSystem(const SimFaultHook& faults) : faults_(faults) {
  MakeDirs("C:\\");
}

SimNode* SimFileSystem::Find(const SimPath& path) const {
  if (!path.valid)
    return nullptr;
  const auto drive = drives_.find(path.drive);
  if (drive == drives_.end())
    return nullptr;
  SimNode* node = drive->second.get();
  for (const auto& part : path.parts) {
    const auto it = node->children.find(part);
    if (!node->folder || it == node->children.end())
      return nullptr;
    node = it->second.get();
  }
  // "file.txt\" names nothing.
  if (path.trailingSeparator && !node->folder)
    return nullptr;
  return node;
}

bool SimFileSystem::List(const SimPath& pattern, std::vector<FindData>* entries) const {
  entries->clear();
  // "C:\dir\" and "C:\" find nothing: a pattern needs a last component.
  if (!pattern.valid || pattern.isRoot() || pattern.trailingSeparator || TooLong(pattern))
    return false;
  const SimNode* folder = Find(pattern.parent());
  if (folder == nullptr || !folder->folder)
    return false;
  const std::string& wanted = pattern.name();
  if (!HasWildcard(wanted)) {
    const auto it = folder->children.find(wanted);
    if (it == folder->children.end())
      return false;
    const SimNode& node = *it->second;
    entries->push_back(EntryData(node.name, ReportedAttributes(node), node.bytes.size()));
    return true;
  }
  if (folder->parent != nullptr) { // a root has no "." and ".."
    for (const char* dots : {".", ".."}) {
      if (MatchesPattern(wanted, dots))
        entries->push_back(EntryData(dots, kFileAttributeDirectory, 0));
    }
  }
  for (const auto& entry : folder->children) {
    const SimNode& node = *entry.second;
    if (MatchesPattern(wanted, node.name))
      entries->push_back(EntryData(node.name, ReportedAttributes(node), node.bytes.size()));
  }
  return !entries->empty();
}

std::uint32_t SimFileSystem::Attributes(const SimPath& path) const {
  const SimNode* node = TooLong(path) ? nullptr : Find(path);
  return node == nullptr ? kInvalidFileAttributes : ReportedAttributes(*node);
}

bool SimFileSystem::CreateDirectory(const SimPath& path) {
  if (!UsableName(path) || path.str().size() > kMaxFolderPathChars)
    return false;
  SimNode* parent = Find(path.parent());
  if (parent == nullptr || !parent->folder || parent->children.count(path.name()) != 0 ||
      !Changeable(parent) || Faulted(faults_, SimOp::kCreateDirectory, path.str()))
    return false;
  auto node = std::make_unique<SimNode>();
  node->folder = true;
  node->attributes = kFileAttributeDirectory;
  Attach(parent, std::move(node), path.name());
  return true;
}

bool SimFileSystem::RemoveDirectory(const SimPath& path) {
  SimNode* node = TooLong(path) ? nullptr : Find(path);
  if (node == nullptr || !node->folder || node->parent == nullptr || !node->children.empty() ||
      !Changeable(node) || (node->attributes & kFileAttributeReadOnly) != 0 ||
      Faulted(faults_, SimOp::kRemoveDirectory, path.str()))
    return false;
  Detach(node);
  return true;
}

bool SimFileSystem::Read(const SimPath& path, std::string* bytes) const {
  const SimNode* node = TooLong(path) ? nullptr : Find(path);
  if (node == nullptr || node->folder || node->locked ||
      Faulted(faults_, SimOp::kFileRead, path.str()))
    return false;
  *bytes = node->bytes;
  return true;
}

bool SimFileSystem::IsLocked(const SimPath& path) const {
  const SimNode* node = TooLong(path) ? nullptr : Find(path);
  return node != nullptr && node->locked;
}

bool SimFileSystem::Write(const SimPath& path, const std::string& bytes) {
  return StoreBytes(path, bytes, false);
}

bool SimFileSystem::Append(const SimPath& path, const std::string& bytes) {
  return StoreBytes(path, bytes, true);
}

bool SimFileSystem::StoreBytes(const SimPath& path, const std::string& bytes, bool append) {
  if (!UsableName(path))
    return false;
  SimNode* parent = Find(path.parent());
  if (parent == nullptr || !parent->folder)
    return false;
  const auto it = parent->children.find(path.name());
  SimNode* file = it == parent->children.end() ? nullptr : it->second.get();
  // WriteWholeFile creates with CREATE_ALWAYS and FILE_ATTRIBUTE_NORMAL,
  // which Windows refuses for an existing hidden or system file.
  const std::uint32_t refused =
      kFileAttributeReadOnly | (append ? 0 : kFileAttributeHidden | kFileAttributeSystem);
  if (file != nullptr && (file->folder || file->locked || (file->attributes & refused) != 0))
    return false;
  if (!Changeable(parent) ||
      Faulted(faults_, append ? SimOp::kFileAppend : SimOp::kFileWrite, path.str()))
    return false;
  if (file == nullptr) {
    auto node = std::make_unique<SimNode>();
    node->attributes = kFileAttributeArchive;
    file = Attach(parent, std::move(node), path.name());
  }
  const std::uint64_t room = FreeBytes() + file->bytes.size();
  std::string content = append ? file->bytes + bytes : bytes;
  file->attributes |= kFileAttributeArchive;
  if (content.size() > room) {
    content.resize(room);
    file->bytes = std::move(content);
    return false;
  }
  file->bytes = std::move(content);
  return true;
}

bool SimFileSystem::Replace(const SimPath& from, const SimPath& to) {
  SimNode* source = TooLong(from) ? nullptr : Find(from);
  if (source == nullptr || source->parent == nullptr || AnyLocked(*source) || !UsableName(to))
    return false;
  // Without MOVEFILE_COPY_ALLOWED a move stays on its volume.
  if (!NamesEqual(from.drive, to.drive) ||
      (source->folder && IsWithin(to, from) && !SamePath(to, from)))
    return false;
  SimNode* folder = Find(to.parent());
  if (folder == nullptr || !folder->folder)
    return false;
  const auto it = folder->children.find(to.name());
  SimNode* target = it == folder->children.end() ? nullptr : it->second.get();
  if (target != nullptr && target != source &&
      (target->folder || source->folder || target->locked ||
       (target->attributes & kFileAttributeReadOnly) != 0))
    return false;
  if (!Changeable(source->parent) || !Changeable(folder) ||
      Faulted(faults_, SimOp::kFileReplace, to.str()) ||
      Faulted(faults_, SimOp::kFileReplace, from.str()))
    return false;
  // Onto itself, only the spelling of the name may change.
  Attach(folder, Detach(source), to.name());
  return true;
}

bool SimFileSystem::Copy(const SimPath& from, const SimPath& to) {
  const SimNode* source = TooLong(from) ? nullptr : Find(from);
  if (source == nullptr || source->folder || source->locked ||
      Faulted(faults_, SimOp::kFileRead, from.str()) || !UsableName(to))
    return false;
  SimNode* folder = Find(to.parent());
  if (folder == nullptr || !folder->folder)
    return false;
  const auto it = folder->children.find(to.name());
  const SimNode* target = it == folder->children.end() ? nullptr : it->second.get();
  // CopyFile refuses to overwrite a hidden or read-only file.
  constexpr std::uint32_t kRefused = kFileAttributeReadOnly | kFileAttributeHidden;
  if (target != nullptr &&
      (target == source || target->folder || target->locked || (target->attributes & kRefused)))
    return false;
  const std::uint64_t room = FreeBytes() + (target == nullptr ? 0 : target->bytes.size());
  if (!Changeable(folder) || Faulted(faults_, SimOp::kFileCopy, to.str()) ||
      source->bytes.size() > room)
    return false;
  Attach(folder, Clone(*source), to.name());
  return true;
}

bool SimFileSystem::Delete(const SimPath& path) {
  SimNode* node = TooLong(path) ? nullptr : Find(path);
  if (node == nullptr || node->folder || node->locked ||
      (node->attributes & kFileAttributeReadOnly) != 0 || !Changeable(node->parent) ||
      Faulted(faults_, SimOp::kFileDelete, path.str()))
    return false;
  Detach(node);
  return true;
}

bool SimFileSystem::Changeable(const SimNode* folder) {
  for (; folder != nullptr; folder = folder->parent) {
    if (folder->readOnlyFolder)
      return false;
  }
  return true;
}

bool SimFileSystem::AnyLocked(const SimNode& node) {
  if (node.locked)
    return true;
  for (const auto& child : node.children) {
    if (AnyLocked(*child.second))
      return true;
  }
  return false;
}

std::uint64_t SimFileSystem::SizeOf(const SimNode& node) {
  std::uint64_t size = node.bytes.size();
  for (const auto& child : node.children)
    size += SizeOf(*child.second);
  return size;
}

std::uint64_t SimFileSystem::UsedBytes() const {
  std::uint64_t used = 0;
  for (const auto& drive : drives_)
    used += SizeOf(*drive.second);
  return used;
}

std::uint64_t SimFileSystem::FreeBytes() const {
  if (!diskLimit_)
    return std::numeric_limits<std::uint64_t>::max() / 2;
  const std::uint64_t used = UsedBytes();
  return used >= *diskLimit_ ? 0 : *diskLimit_ - used;
}

long SimFileSystem::MakeFolders(const SimPath& path, bool checked) {
  if (!path.valid)
    return win32err::kPathNotFound;
  auto& drive = drives_[path.drive];
  if (drive == nullptr) {
    if (checked)
      return win32err::kPathNotFound;
    drive = std::make_unique<SimNode>();
    drive->name = path.drive;
    drive->folder = true;
    drive->attributes = kFileAttributeDirectory;
  }
  SimNode* node = drive.get();
  for (const auto& part : path.parts) {
    const auto it = node->children.find(part);
    if (it != node->children.end()) {
      if (!it->second->folder)
        return win32err::kAlreadyExists;
      node = it->second.get();
      continue;
    }
    if (checked && (!Changeable(node) || !ValidEntryName(part)))
      return win32err::kAccessDenied;
    auto folder = std::make_unique<SimNode>();
    folder->folder = true;
    folder->attributes = kFileAttributeDirectory;
    node = Attach(node, std::move(folder), part);
  }
  return win32err::kSuccess;
}

std::unique_ptr<SimNode> SimFileSystem::Detach(SimNode* node) {
  SimNode* parent = node->parent;
  const auto it = parent->children.find(node->name);
  std::unique_ptr<SimNode> owned = std::move(it->second);
  parent->children.erase(it);
  owned->parent = nullptr;
  return owned;
}

SimNode* SimFileSystem::Attach(SimNode* folder, std::unique_ptr<SimNode> node,
                               const std::string& name) {
  // Erase first: an entry spelled differently would otherwise keep its key.
  folder->children.erase(name);
  node->name = name;
  node->parent = folder;
  SimNode* raw = node.get();
  folder->children.emplace(name, std::move(node));
  return raw;
}

std::unique_ptr<SimNode> SimFileSystem::Clone(const SimNode& node) {
  auto copy = std::make_unique<SimNode>();
  copy->name = node.name;
  copy->folder = node.folder;
  copy->bytes = node.bytes;
  copy->attributes = node.attributes;
  for (const auto& child : node.children) {
    auto childCopy = Clone(*child.second);
    childCopy->parent = copy.get();
    copy->children.emplace(childCopy->name, std::move(childCopy));
  }
  return copy;
}

} // namespace vantrel::sim
