#include "common/platform/sim/sim_registry.h"

#include <algorithm>
#include <cstring>

namespace vantrel::sim {

namespace {

const char* HiveName(RegKey hive) {
  switch (hive) {
  case kHkeyClassesRoot:
    return "HKCR";
  case kHkeyCurrentUser:
    return "HKCU";
  default:
    return "HKLM";
  }
}

std::string ValueSubject(const SimKey& key, const std::string& name) {
  return SimRegistry::PathOf(key) + "\\" + name;
}

} // namespace

std::string View32Path(const std::string& subKey) {
  constexpr std::string_view kSoftware = "Software";
  constexpr std::string_view kWow6432Node = "WOW6432Node";
  const std::string_view path = subKey;
  const std::string_view first = path.substr(0, path.find('\\'));
  if (!NamesEqual(first, kSoftware))
    return subKey;
  std::string_view rest = path.substr(first.size());
  while (!rest.empty() && rest.front() == '\\')
    rest.remove_prefix(1);
  if (NamesEqual(rest.substr(0, rest.find('\\')), kWow6432Node))
    return subKey;
  std::string redirected(first);
  redirected += "\\";
  redirected += kWow6432Node;
  if (!rest.empty()) {
    redirected += '\\';
    redirected += rest;
  }
  return redirected;
}

SimRegistry::SimRegistry(const SimFaultHook& faults) : faults_(faults) {
  const RegKey hives[] = {kHkeyClassesRoot, kHkeyCurrentUser, kHkeyLocalMachine};
  for (int i = 0; i < 3; ++i) {
    roots_[i] = std::make_shared<SimKey>();
    roots_[i]->name = HiveName(hives[i]);
    roots_[i]->hive = hives[i];
  }
}

SimKeyPtr SimRegistry::Root(RegKey hive) const {
  if (hive < kHkeyClassesRoot || hive > kHkeyLocalMachine)
    return nullptr;
  return roots_[hive - kHkeyClassesRoot];
}

long SimRegistry::SplitKeyPath(const std::string& path, std::vector<std::string>* parts) {
  parts->clear();
  if (!path.empty() && path[0] == '\\')
    return kErrorBadPathname;
  std::size_t end = path.find_last_not_of('\\');
  if (end == std::string::npos)
    return win32err::kSuccess;
  std::size_t start = 0;
  while (start <= end) {
    std::size_t stop = path.find('\\', start);
    if (stop == std::string::npos || stop > end)
      stop = end + 1;
    if (stop == start)
      return kErrorInvalidName;
    parts->push_back(path.substr(start, stop - start));
    start = stop + 1;
  }
  return win32err::kSuccess;
}

std::string SimRegistry::PathOf(const SimKey& key) {
  if (key.parent == nullptr)
    return key.name;
  return PathOf(*key.parent) + "\\" + key.name;
}

long SimRegistry::Open(const SimKeyPtr& base, const std::string& subKey, SimKeyPtr* result) const {
  std::vector<std::string> parts;
  if (const long rc = SplitKeyPath(subKey, &parts); rc != win32err::kSuccess)
    return rc;
  if (base->deleted)
    return kErrorKeyDeleted;
  SimKeyPtr key = base;
  for (const auto& part : parts) {
    const auto it = key->subkeys.find(part);
    if (it == key->subkeys.end())
      return win32err::kFileNotFound;
    key = it->second;
  }
  *result = key;
  return win32err::kSuccess;
}

long SimRegistry::Create(const SimKeyPtr& base, const std::string& subKey, SimKeyPtr* result) {
  std::vector<std::string> parts;
  if (const long rc = SplitKeyPath(subKey, &parts); rc != win32err::kSuccess)
    return rc;
  if (base->deleted)
    return kErrorKeyDeleted;
  std::string subject = PathOf(*base);
  for (const auto& part : parts)
    subject += "\\" + part;
  if (Faulted(faults_, SimOp::kRegCreateKey, subject))
    return win32err::kAccessDenied;
  // Find how much exists, so that a refused creation leaves nothing behind.
  SimKeyPtr key = base;
  std::size_t found = 0;
  for (; found < parts.size(); ++found) {
    const auto it = key->subkeys.find(parts[found]);
    if (it == key->subkeys.end())
      break;
    key = it->second;
  }
  if (found < parts.size() && !Writable(base->hive))
    return win32err::kAccessDenied;
  for (; found < parts.size(); ++found) {
    auto child = std::make_shared<SimKey>();
    child->name = parts[found];
    child->hive = key->hive;
    child->parent = key.get();
    key->subkeys.emplace(child->name, child);
    key = child;
  }
  *result = key;
  return win32err::kSuccess;
}

const SimRegValue* SimRegistry::FindValue(const SimKey& key, const std::string& name) {
  for (const auto& value : key.values) {
    if (NamesEqual(value.name, name))
      return &value;
  }
  return nullptr;
}

long SimRegistry::Query(const SimKey& key, const std::string& name, std::uint32_t* type,
                        std::uint8_t* data, std::uint32_t* dataSize) const {
  if (data != nullptr && dataSize == nullptr)
    return win32err::kInvalidParameter;
  if (key.deleted)
    return kErrorKeyDeleted;
  const SimRegValue* value = FindValue(key, name);
  if (value == nullptr) {
    if (data == nullptr && dataSize != nullptr)
      *dataSize = 0;
    return win32err::kFileNotFound;
  }
  const auto size = static_cast<std::uint32_t>(value->data.size());
  if (type != nullptr)
    *type = value->type;
  if (dataSize == nullptr)
    return win32err::kSuccess;
  if (data != nullptr && *dataSize < size) {
    *dataSize = size;
    return win32err::kMoreData;
  }
  if (data != nullptr)
    std::memcpy(data, value->data.data(), size);
  *dataSize = size;
  return win32err::kSuccess;
}

long SimRegistry::Set(SimKey& key, const std::string& name, std::uint32_t type,
                      const std::uint8_t* data, std::uint32_t dataSize) {
  if (key.deleted)
    return kErrorKeyDeleted;
  // RegSetValueExA itself answers ERROR_NOACCESS; the seam checks first.
  if (data == nullptr && dataSize > 0)
    return win32err::kInvalidParameter;
  if (Faulted(faults_, SimOp::kRegSetValue, ValueSubject(key, name)))
    return win32err::kAccessDenied;
  std::string bytes(reinterpret_cast<const char*>(data), data == nullptr ? 0 : dataSize);
  // An existing value keeps its spelling and its place in the order.
  for (auto& value : key.values) {
    if (NamesEqual(value.name, name)) {
      value.type = type;
      value.data = std::move(bytes);
      return win32err::kSuccess;
    }
  }
  key.values.push_back({name, type, std::move(bytes)});
  return win32err::kSuccess;
}

long SimRegistry::Enum(const SimKey& key, std::uint32_t index, char* name, std::uint32_t* nameChars,
                       std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) const {
  if (name == nullptr || nameChars == nullptr || (data != nullptr && dataSize == nullptr))
    return win32err::kInvalidParameter;
  if (key.deleted)
    return kErrorKeyDeleted;
  if (index >= key.values.size())
    return win32err::kNoMoreItems;
  const SimRegValue& value = key.values[index];
  const auto size = static_cast<std::uint32_t>(value.data.size());
  // Either buffer too small: the type and the data size are reported, the
  // name, its count and the data are left as they were.
  const bool nameTooSmall = value.name.size() + 1 > *nameChars;
  const bool dataTooSmall = data != nullptr && *dataSize < size;
  if (type != nullptr)
    *type = value.type;
  if (nameTooSmall || dataTooSmall) {
    if (dataSize != nullptr)
      *dataSize = size;
    return win32err::kMoreData;
  }
  std::memcpy(name, value.name.c_str(), value.name.size() + 1);
  *nameChars = static_cast<std::uint32_t>(value.name.size());
  if (data != nullptr)
    std::memcpy(data, value.data.data(), size);
  if (dataSize != nullptr)
    *dataSize = size;
  return win32err::kSuccess;
}

long SimRegistry::DeleteValue(SimKey& key, const std::string& name) {
  if (key.deleted)
    return kErrorKeyDeleted;
  const auto it = std::find_if(key.values.begin(), key.values.end(),
                               [&](const SimRegValue& v) { return NamesEqual(v.name, name); });
  if (it == key.values.end())
    return win32err::kFileNotFound;
  if (Faulted(faults_, SimOp::kRegDeleteValue, ValueSubject(key, name)))
    return win32err::kAccessDenied;
  key.values.erase(it);
  return win32err::kSuccess;
}

long SimRegistry::DeleteKey(const SimKeyPtr& base, const std::string& subKey) {
  SimKeyPtr key;
  if (const long rc = Open(base, subKey, &key); rc != win32err::kSuccess)
    return rc;
  // A root cannot go, nor can a key that still has subkeys.
  if (key->parent == nullptr || !Writable(key->hive) || !key->subkeys.empty())
    return win32err::kAccessDenied;
  if (Faulted(faults_, SimOp::kRegDeleteKey, PathOf(*key)))
    return win32err::kAccessDenied;
  SimKey* parent = key->parent;
  key->deleted = true;
  key->parent = nullptr;
  parent->subkeys.erase(key->name);
  return win32err::kSuccess;
}

SimKeyPtr SimRegistry::FindKey(RegKey hive, const std::string& path) const {
  SimKeyPtr root = Root(hive);
  SimKeyPtr key;
  if (root == nullptr || Open(root, path, &key) != win32err::kSuccess)
    return nullptr;
  return key;
}

SimKeyPtr SimRegistry::MakeKey(RegKey hive, const std::string& path) {
  SimKeyPtr key = Root(hive);
  std::vector<std::string> parts;
  if (key == nullptr || SplitKeyPath(path, &parts) != win32err::kSuccess)
    return nullptr;
  for (const auto& part : parts) {
    auto& slot = key->subkeys[part];
    if (slot == nullptr) {
      slot = std::make_shared<SimKey>();
      slot->name = part;
      slot->hive = hive;
      slot->parent = key.get();
    }
    key = slot;
  }
  return key;
}

void SimRegistry::SetValue(RegKey hive, const std::string& path, const std::string& name,
                           std::uint32_t type, const std::string& data) {
  const SimKeyPtr key = MakeKey(hive, path);
  if (key == nullptr)
    return;
  for (auto& value : key->values) {
    if (NamesEqual(value.name, name)) {
      value.type = type;
      value.data = data;
      return;
    }
  }
  key->values.push_back({name, type, data});
}

std::optional<SimRegValue> SimRegistry::GetValue(RegKey hive, const std::string& path,
                                                 const std::string& name) const {
  const SimKeyPtr key = FindKey(hive, path);
  const SimRegValue* value = key ? FindValue(*key, name) : nullptr;
  if (value == nullptr)
    return std::nullopt;
  return *value;
}

namespace {

void DumpKey(const SimKey& key, std::vector<std::string>& lines) {
  const std::string path = SimRegistry::PathOf(key);
  lines.push_back(path + "\\");
  for (const auto& value : key.values)
    lines.push_back(path + "\\" + value.name + " [" + std::to_string(value.type) + "] " +
                    value.data);
  for (const auto& entry : key.subkeys)
    DumpKey(*entry.second, lines);
}

} // namespace

std::vector<std::string> SimRegistry::Dump() const {
  std::vector<std::string> lines;
  for (const auto& root : roots_)
    DumpKey(*root, lines);
  return lines;
}

} // namespace vantrel::sim
