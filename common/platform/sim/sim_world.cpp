#include "common/platform/sim/sim_world.h"

#include <algorithm>

#include "common/platform/sim/sim_names.h"
#include "common/run_keys.h"

namespace vantrel::sim {

namespace {

constexpr const char* kUserStartMenu =
    "C:\\Users\\Tester\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu";
constexpr const char* kCommonStartMenu = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu";

} // namespace

SimWorld::SimWorld() {
  const std::string user = kUserStartMenu;
  const std::string common = kCommonStartMenu;
  specialFolders_ = {
      {kCsidlPrograms, user + "\\Programs"},
      {kCsidlStartup, user + "\\Programs\\Startup"},
      {kCsidlStartMenu, user},
      {kCsidlCommonStartMenu, common},
      {kCsidlCommonPrograms, common + "\\Programs"},
      {kCsidlCommonStartup, common + "\\Programs\\StartUp"},
  };
  for (const auto& entry : specialFolders_)
    files_.MakeDirs(entry.second);
  files_.MakeDirs("C:\\Program Files\\Vantrel");
  registry_.MakeKey(kHkeyCurrentUser, kRunKeyPath);
  registry_.MakeKey(kHkeyLocalMachine, kRunKeyPath);
}

void SimWorld::RegSetString(RegKey root, const std::string& path, const std::string& name,
                            const std::string& text) {
  registry_.SetValue(root, path, name, kRegSz, text + '\0');
}

std::optional<std::string> SimWorld::RegGetString(RegKey root, const std::string& path,
                                                  const std::string& name) const {
  const auto value = registry_.GetValue(root, path, name);
  if (!value || value->type != kRegSz)
    return std::nullopt;
  return value->data.substr(0, value->data.find('\0'));
}

std::vector<std::string> SimWorld::RegValueNames(RegKey root, const std::string& path) const {
  std::vector<std::string> names;
  if (const SimKeyPtr key = registry_.FindKey(root, path)) {
    for (const auto& value : key->values)
      names.push_back(value.name);
  }
  return names;
}

std::optional<std::string> SimWorld::SpecialFolder(int csidl) const {
  const auto it = specialFolders_.find(csidl);
  if (it == specialFolders_.end())
    return std::nullopt;
  return it->second;
}

WindowHandle SimWorld::AddWindow(const std::string& title) {
  const WindowHandle handle = NewHandle();
  windows_.emplace_back(title, handle);
  return handle;
}

void SimWorld::RemoveWindow(const std::string& title) {
  std::erase_if(windows_, [&](const auto& window) { return NamesEqual(window.first, title); });
}

bool SimWorld::ActivateWindow(const std::string& title) {
  const auto it = std::find_if(windows_.begin(), windows_.end(),
                               [&](const auto& window) { return NamesEqual(window.first, title); });
  if (it == windows_.end())
    return false;
  activations_.push_back(it->first);
  return true;
}

bool SimWorld::AcquireMutex(const std::string& name, int process) {
  auto& holders = mutexes_[name];
  const bool existed = !holders.empty();
  holders.insert(process);
  return existed;
}

void SimWorld::ReleaseMutexes(int process) {
  for (auto it = mutexes_.begin(); it != mutexes_.end();) {
    it->second.erase(process);
    it = it->second.empty() ? mutexes_.erase(it) : std::next(it);
  }
}

} // namespace vantrel::sim
