// The registry and file calls of a simulated process.
#include "common/platform/sim/sim_platform.h"

#include "common/text.h"

namespace vantrel::sim {

namespace {

bool IsRoot(RegKey key) {
  return key >= kHkeyClassesRoot && key <= kHkeyLocalMachine;
}

} // namespace

SimPlatform::SimPlatform(SimWorld& world, SimProcessOptions options)
    : world_(world), processId_(world.NewProcessId()),
      moduleFileName_(std::move(options.moduleFileName)),
      commandLine_(options.commandLine.empty() ? "\"" + moduleFileName_ + "\""
                                               : std::move(options.commandLine)),
      currentDirectory_(options.currentDirectory.empty() ? FolderOf(moduleFileName_)
                                                         : std::move(options.currentDirectory)),
      userName_(std::move(options.userName)) {}

SimPlatform::~SimPlatform() {
  world_.ReleaseMutexes(processId_);
}

bool SimPlatform::Change() {
  if (crashed_ || (crashAfter_ > 0 && changes_ >= crashAfter_)) {
    crashed_ = true;
    return false;
  }
  ++changes_;
  return true;
}

SimPath SimPlatform::Path(const std::string& path) const {
  return ParseSimPath(path, currentDirectory_);
}

// --- Registry

bool SimPlatform::ResolveKey(RegKey handle, OpenKey* key) const {
  if (IsRoot(handle)) {
    key->key = world_.registry().Root(handle);
    key->writable = world_.registry().Writable(handle);
    return true;
  }
  const auto it = keyHandles_.find(handle);
  if (it == keyHandles_.end())
    return false;
  *key = it->second;
  return true;
}

long SimPlatform::HandOut(RegKey root, const SimKeyPtr& key, RegKey* result) {
  // A root asked for with no subkey comes back as itself.
  if (IsRoot(root) && key == world_.registry().Root(root)) {
    *result = root;
    return win32err::kSuccess;
  }
  const RegKey handle = world_.NewHandle();
  keyHandles_[handle] = {key, world_.registry().Writable(key->hive)};
  *result = handle;
  return win32err::kSuccess;
}

long SimPlatform::RegOpenKey(RegKey root, const std::string& subKey, RegKey* result,
                             std::uint32_t view) {
  return OpenKeyHandle(root, subKey, result, false, view);
}

long SimPlatform::RegCreateKey(RegKey root, const std::string& subKey, RegKey* result,
                               std::uint32_t view) {
  if (!Change())
    return win32err::kAccessDenied;
  return OpenKeyHandle(root, subKey, result, true, view);
}

long SimPlatform::OpenKeyHandle(RegKey root, const std::string& subKey, RegKey* result, bool create,
                                std::uint32_t view) {
  OpenKey base;
  if (result == nullptr)
    return win32err::kInvalidParameter;
  if (!ResolveKey(root, &base))
    return win32err::kInvalidHandle;
  *result = 0;
  SimKeyPtr key;
  SimRegistry& registry = world_.registry();
  // The simulated machine is 64-bit Windows: the 32-bit view of
  // HKLM\Software lies in its WOW6432Node subkey.
  const std::string path =
      root == kHkeyLocalMachine && (view & kKeyWow64_32Key) != 0 ? View32Path(subKey) : subKey;
  const long rc =
      create ? registry.Create(base.key, path, &key) : registry.Open(base.key, path, &key);
  if (rc != win32err::kSuccess)
    return rc;
  return HandOut(root, key, result);
}

long SimPlatform::RegQueryValue(RegKey key, const std::string& name, std::uint32_t* type,
                                std::uint8_t* data, std::uint32_t* dataSize) {
  OpenKey open;
  if (!ResolveKey(key, &open))
    return win32err::kInvalidHandle;
  return world_.registry().Query(*open.key, name, type, data, dataSize);
}

long SimPlatform::RegSetValue(RegKey key, const std::string& name, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t dataSize) {
  if (!Change())
    return win32err::kAccessDenied;
  OpenKey open;
  if (!ResolveKey(key, &open))
    return win32err::kInvalidHandle;
  if (open.key->deleted)
    return kErrorKeyDeleted;
  if (!open.writable)
    return win32err::kAccessDenied;
  return world_.registry().Set(*open.key, name, type, data, dataSize);
}

long SimPlatform::RegEnumValue(RegKey key, std::uint32_t index, char* name,
                               std::uint32_t* nameChars, std::uint32_t* type, std::uint8_t* data,
                               std::uint32_t* dataSize) {
  OpenKey open;
  if (!ResolveKey(key, &open))
    return win32err::kInvalidHandle;
  return world_.registry().Enum(*open.key, index, name, nameChars, type, data, dataSize);
}

long SimPlatform::RegDeleteValue(RegKey key, const std::string& name) {
  if (!Change())
    return win32err::kAccessDenied;
  OpenKey open;
  if (!ResolveKey(key, &open))
    return win32err::kInvalidHandle;
  if (open.key->deleted)
    return kErrorKeyDeleted;
  if (!open.writable)
    return win32err::kAccessDenied;
  return world_.registry().DeleteValue(*open.key, name);
}

long SimPlatform::RegDeleteKey(RegKey root, const std::string& subKey) {
  if (!Change())
    return win32err::kAccessDenied;
  OpenKey base;
  if (!ResolveKey(root, &base))
    return win32err::kInvalidHandle;
  return world_.registry().DeleteKey(base.key, subKey);
}

long SimPlatform::RegCloseKey(RegKey key) {
  if (IsRoot(key))
    return win32err::kSuccess;
  return keyHandles_.erase(key) != 0 ? win32err::kSuccess : win32err::kInvalidHandle;
}

// --- Files and folders

FindHandle SimPlatform::FindFirstFile(const std::string& pattern, FindData* data) {
  Search search;
  if (data == nullptr || !world_.files().List(Path(pattern), &search.entries))
    return kInvalidFindHandle;
  *data = search.entries[0];
  search.next = 1;
  const FindHandle handle = world_.NewHandle();
  searches_[handle] = std::move(search);
  return handle;
}

bool SimPlatform::FindNextFile(FindHandle handle, FindData* data) {
  const auto it = searches_.find(handle);
  if (it == searches_.end() || data == nullptr || it->second.next >= it->second.entries.size())
    return false;
  *data = it->second.entries[it->second.next++];
  return true;
}

bool SimPlatform::FindClose(FindHandle handle) {
  return searches_.erase(handle) != 0;
}

std::uint32_t SimPlatform::GetFileAttributes(const std::string& path) {
  return world_.files().Attributes(Path(path));
}

bool SimPlatform::CreateDirectory(const std::string& path) {
  if (!Change())
    return false;
  return world_.files().CreateDirectory(Path(path));
}

bool SimPlatform::RemoveDirectory(const std::string& path) {
  if (!Change())
    return false;
  return world_.files().RemoveDirectory(Path(path));
}

bool SimPlatform::ReadWholeFile(const std::string& path, std::string* bytes) {
  return bytes != nullptr && world_.files().Read(Path(path), bytes);
}

long SimPlatform::ReadWholeFileError(const std::string& path, std::string* bytes) {
  if (ReadWholeFile(path, bytes))
    return win32err::kSuccess;
  if (world_.files().IsLocked(Path(path)))
    return win32err::kSharingViolation;
  return GetFileAttributes(path) == kInvalidFileAttributes ? win32err::kFileNotFound
                                                           : win32err::kReadFault;
}

bool SimPlatform::WriteWholeFile(const std::string& path, const std::string& bytes) {
  if (!Change())
    return false;
  return world_.files().Write(Path(path), bytes);
}

bool SimPlatform::AppendToFile(const std::string& path, const std::string& bytes) {
  if (!Change())
    return false;
  return world_.files().Append(Path(path), bytes);
}

bool SimPlatform::ReplaceFile(const std::string& from, const std::string& to) {
  if (!Change())
    return false;
  return world_.files().Replace(Path(from), Path(to));
}

bool SimPlatform::CopyFile(const std::string& from, const std::string& to) {
  if (!Change())
    return false;
  return world_.files().Copy(Path(from), Path(to));
}

bool SimPlatform::DeleteFile(const std::string& path) {
  if (!Change())
    return false;
  return world_.files().Delete(Path(path));
}

} // namespace vantrel::sim
