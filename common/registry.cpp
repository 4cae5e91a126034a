#include "common/registry.h"

#include <algorithm>
#include <cstring>

namespace vantrel {

namespace {

// Owns an open key for the length of one operation.
class KeyScope {
public:
  enum class Mode { Open, Create };
  KeyScope(Platform& platform, RegKey root, const std::string& path, Mode mode, std::uint32_t view)
      : platform_(platform) {
    const long rc = mode == Mode::Open ? platform_.RegOpenKey(root, path, &key_, view)
                                       : platform_.RegCreateKey(root, path, &key_, view);
    open_ = rc == win32err::kSuccess;
  }
  ~KeyScope() {
    if (open_)
      platform_.RegCloseKey(key_);
  }
  KeyScope(const KeyScope&) = delete;
  KeyScope& operator=(const KeyScope&) = delete;
  bool open() const { return open_; }
  RegKey key() const { return key_; }

private:
  Platform& platform_;
  RegKey key_ = 0;
  bool open_ = false;
};

// Reads a value of the expected type whole; nullopt for anything else.
std::optional<std::vector<std::uint8_t>>
ReadTyped(Platform& platform, RegKey key, const std::string& name, std::uint32_t expectedType) {
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  if (platform.RegQueryValue(key, name, &type, nullptr, &size) != win32err::kSuccess ||
      type != expectedType)
    return std::nullopt;
  std::vector<std::uint8_t> data(size);
  if (size > 0 &&
      platform.RegQueryValue(key, name, &type, data.data(), &size) != win32err::kSuccess)
    return std::nullopt;
  data.resize(size);
  return data;
}

void SetValue(Platform& platform, std::uint32_t view, RegKey root, const std::string& path,
              const std::string& name, std::uint32_t type, const std::uint8_t* data,
              std::size_t size) {
  KeyScope key(platform, root, path, KeyScope::Mode::Create, view);
  if (key.open())
    platform.RegSetValue(key.key(), name, type, data, static_cast<std::uint32_t>(size));
}

void SetText(Platform& platform, std::uint32_t view, RegKey root, const std::string& path,
             const std::string& name, const std::string& text, std::uint32_t type = kRegSz) {
  // The terminating NUL is part of the stored data.
  SetValue(platform, view, root, path, name, type,
           reinterpret_cast<const std::uint8_t*>(text.c_str()), text.size() + 1);
}

} // namespace

void CRegistry::DeleteValue(RegKey root, const std::string& path, const std::string& name) {
  KeyScope key(platform_, root, path, KeyScope::Mode::Open, view_);
  if (key.open())
    platform_.RegDeleteValue(key.key(), name);
}

void CRegistry::CreateKey(RegKey root, const std::string& path) {
  KeyScope key(platform_, root, path, KeyScope::Mode::Create, view_);
}

std::string CRegistry::GetSettingString(RegKey root, const std::string& path,
                                        const std::string& name, const std::string& fallback) {
  KeyScope key(platform_, root, path, KeyScope::Mode::Open, view_);
  if (!key.open())
    return fallback;
  const auto data = ReadTyped(platform_, key.key(), name, kRegSz);
  if (!data)
    return fallback;
  const char* text = reinterpret_cast<const char*>(data->data());
  return std::string(text, strnlen(text, data->size()));
}

void CRegistry::SaveSettingString(RegKey root, const std::string& path, const std::string& name,
                                  const std::string& data) {
  SetText(platform_, view_, root, path, name, data);
}

std::optional<std::uint32_t> CRegistry::GetValueType(RegKey root, const std::string& path,
                                                     const std::string& name) {
  KeyScope key(platform_, root, path, KeyScope::Mode::Open, view_);
  std::uint32_t type = kRegNone;
  std::uint32_t size = 0;
  if (!key.open() ||
      platform_.RegQueryValue(key.key(), name, &type, nullptr, &size) != win32err::kSuccess)
    return std::nullopt;
  return type;
}

std::optional<RegistryText> CRegistry::GetSettingText(RegKey root, const std::string& path,
                                                      const std::string& name) {
  KeyScope key(platform_, root, path, KeyScope::Mode::Open, view_);
  if (!key.open())
    return std::nullopt;
  for (const std::uint32_t type : {kRegSz, kRegExpandSz}) {
    if (const auto data = ReadTyped(platform_, key.key(), name, type)) {
      const char* text = reinterpret_cast<const char*>(data->data());
      return RegistryText{type, std::string(text, strnlen(text, data->size()))};
    }
  }
  return std::nullopt;
}

void CRegistry::SaveSettingText(RegKey root, const std::string& path, const std::string& name,
                                const RegistryText& value) {
  SetText(platform_, view_, root, path, name, value.text,
          IsTextType(value.type) ? value.type : kRegSz);
}

std::optional<std::vector<std::uint8_t>>
CRegistry::GetSettingByte(RegKey root, const std::string& path, const std::string& name,
                          std::optional<std::vector<std::uint8_t>> fallback) {
  KeyScope key(platform_, root, path, KeyScope::Mode::Open, view_);
  if (!key.open())
    return fallback;
  auto data = ReadTyped(platform_, key.key(), name, kRegBinary);
  return data ? data : fallback;
}

void CRegistry::SaveSettingByte(RegKey root, const std::string& path, const std::string& name,
                                const std::vector<std::uint8_t>& data) {
  SetValue(platform_, view_, root, path, name, kRegBinary, data.data(), data.size());
}

bool CRegistry::EnumKey(RegKey root, const std::string& path, std::vector<std::string>& entries) {
  entries.assign(1, std::string());
  KeyScope key(platform_, root, path, KeyScope::Mode::Open, view_);
  if (!key.open())
    return true;
  constexpr std::uint32_t kNameChars = 255;
  constexpr std::uint32_t kDataBytes = 255;
  constexpr std::uint32_t kLongestName = 16384; // the registry's own limit, with the NUL
  for (std::uint32_t index = 0;; ++index) {
    std::vector<char> name(kNameChars);
    std::vector<std::uint8_t> data(kDataBytes);
    std::uint32_t nameChars = kNameChars;
    std::uint32_t dataSize = kDataBytes;
    long rc = platform_.RegEnumValue(key.key(), index, name.data(), &nameChars, nullptr,
                                     data.data(), &dataSize);
    // A name or data that does not fit is read again in full rather than
    // skipped, so long command lines are listed too.
    for (int retry = 0; rc == win32err::kMoreData && retry < 8; ++retry) {
      name.assign(kLongestName, '\0');
      data.assign(std::max<std::size_t>(dataSize, data.size() * 2), 0);
      nameChars = kLongestName;
      dataSize = static_cast<std::uint32_t>(data.size());
      rc = platform_.RegEnumValue(key.key(), index, name.data(), &nameChars, nullptr, data.data(),
                                  &dataSize);
    }
    if (rc == win32err::kNoMoreItems)
      break;
    if (rc == win32err::kMoreData)
      continue;
    if (rc != win32err::kSuccess)
      return false;
    if (dataSize == 0)
      continue;
    // The stored terminator is not part of the text; data stored without
    // one keeps its last byte.
    std::size_t textBytes = dataSize;
    if (data[textBytes - 1] == 0)
      --textBytes;
    std::string entry(name.data(), nameChars);
    entry += '=';
    entry.append(reinterpret_cast<const char*>(data.data()), textBytes);
    if (entries.back().empty())
      entries.back() = std::move(entry);
    else
      entries.push_back(std::move(entry));
  }
  return true;
}

} // namespace vantrel
