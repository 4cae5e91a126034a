// Change notifications of a simulated process. Another program's change is
// scripted as a callback (SimWorld::ScheduleMessage) that sets a value or
// writes a file; the next wait over the watches then reports it at once.
#include "common/platform/sim/sim_platform.h"

namespace vantrel::sim {

std::string SimPlatform::Snapshot(const Watch& watch) const {
  std::string seen;
  if (watch.key) {
    if (watch.key->deleted)
      return "\x01"
             "deleted";
    for (const SimRegValue& value : watch.key->values) {
      seen += value.name + '\0' + std::to_string(value.type) + '\0' + value.data + '\0';
    }
    return seen;
  }
  for (const std::string& name : world_.List(watch.folder)) {
    const std::string path = watch.folder + "\\" + name;
    seen += name + '\0' +
            world_.ReadFile(path).value_or("\x01"
                                           "folder") +
            '\0';
  }
  return seen;
}

ChangeWatch SimPlatform::WatchRegistryKey(RegKey root, const std::string& subKey,
                                          std::uint32_t view) {
  RegKey handle = 0;
  if (RegOpenKey(root, subKey, &handle, view) != win32err::kSuccess)
    return 0;
  OpenKey key;
  ResolveKey(handle, &key);
  RegCloseKey(handle);
  Watch watch{key.key, {}, {}};
  watch.seen = Snapshot(watch);
  const ChangeWatch id = world_.NewHandle();
  watches_[id] = std::move(watch);
  return id;
}

ChangeWatch SimPlatform::WatchFolder(const std::string& path) {
  if (!world_.IsFolder(path))
    return 0;
  Watch watch{nullptr, path, {}};
  while (watch.folder.size() > 3 && watch.folder.back() == '\\')
    watch.folder.pop_back();
  watch.seen = Snapshot(watch);
  const ChangeWatch id = world_.NewHandle();
  watches_[id] = std::move(watch);
  return id;
}

void SimPlatform::CloseWatch(ChangeWatch watch) {
  watches_.erase(watch);
}

int SimPlatform::WaitForMessagesOrChanges(const std::vector<ChangeWatch>& watches,
                                          std::uint32_t milliseconds) {
  const auto changed = [&]() -> int {
    for (std::size_t i = 0; i < watches.size(); ++i) {
      const auto found = watches_.find(watches[i]);
      if (found == watches_.end())
        continue;
      std::string now = Snapshot(found->second);
      if (now != found->second.seen) {
        found->second.seen = std::move(now);
        return static_cast<int>(i);
      }
    }
    return -1;
  };
  // A change made before the wait (by a message handler, or by the test
  // between two calls) ends it at once, as a signalled handle does.
  if (const int index = changed(); index >= 0) {
    waits_.push_back({WaitRecord::Kind::kWaitForMessages, milliseconds, world_.Now(), 0});
    return index;
  }
  WaitForMessages(milliseconds);
  return -1;
}

} // namespace vantrel::sim
