// Change notifications of Win32Platform: RegNotifyChangeKeyValue on an
// event, FindFirstChangeNotificationA, and MsgWaitForMultipleObjectsEx over
// them and the message queue.
#include "common/platform/win32/win32_convert.h"
#include "common/platform/win32/win32_platform.h"

namespace vantrel::win32 {

namespace {

constexpr DWORD kRegistryFilter = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
constexpr DWORD kFolderFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE;

} // namespace

bool Win32Platform::ArmRegistryWatch(const Watch& watch) {
  ::ResetEvent(static_cast<HANDLE>(watch.event));
  return ::RegNotifyChangeKeyValue(static_cast<HKEY>(watch.key), FALSE, kRegistryFilter,
                                   static_cast<HANDLE>(watch.event), TRUE) == ERROR_SUCCESS;
}

ChangeWatch Win32Platform::WatchRegistryKey(RegKey root, const std::string& subKey,
                                            std::uint32_t view) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(ToHkey(root), subKey.c_str(), 0, KEY_NOTIFY | KEY_QUERY_VALUE | view, &key) !=
      ERROR_SUCCESS)
    return 0;
  Watch watch;
  watch.key = key;
  // Manual reset: the event stays signalled until the watch is armed again.
  watch.event = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (watch.event == nullptr || !ArmRegistryWatch(watch)) {
    if (watch.event != nullptr)
      ::CloseHandle(static_cast<HANDLE>(watch.event));
    ::RegCloseKey(key);
    return 0;
  }
  watches_[++lastWatch_] = watch;
  return lastWatch_;
}

ChangeWatch Win32Platform::WatchFolder(const std::string& path) {
  const HANDLE handle = ::FindFirstChangeNotificationA(path.c_str(), FALSE, kFolderFilter);
  if (handle == INVALID_HANDLE_VALUE)
    return 0;
  Watch watch;
  watch.event = handle;
  watch.folder = true;
  watches_[++lastWatch_] = watch;
  return lastWatch_;
}

void Win32Platform::CloseWatch(ChangeWatch id) {
  const auto found = watches_.find(id);
  if (found == watches_.end())
    return;
  const Watch& watch = found->second;
  if (watch.folder) {
    ::FindCloseChangeNotification(static_cast<HANDLE>(watch.event));
  } else {
    ::RegCloseKey(static_cast<HKEY>(watch.key));
    ::CloseHandle(static_cast<HANDLE>(watch.event));
  }
  watches_.erase(found);
}

int Win32Platform::WaitForMessagesOrChanges(const std::vector<ChangeWatch>& ids,
                                            std::uint32_t milliseconds) {
  std::vector<HANDLE> handles;
  std::vector<std::size_t> positions; // handles[i] is the watch ids[positions[i]]
  for (std::size_t i = 0; i < ids.size() && handles.size() < MAXIMUM_WAIT_OBJECTS - 1; ++i) {
    const auto found = watches_.find(ids[i]);
    if (found == watches_.end())
      continue;
    handles.push_back(static_cast<HANDLE>(found->second.event));
    positions.push_back(i);
  }
  // MWMO_INPUTAVAILABLE: also wake for messages that are already queued
  // but were seen (not removed) by an earlier peek.
  const DWORD result =
      ::MsgWaitForMultipleObjectsEx(static_cast<DWORD>(handles.size()), handles.data(),
                                    milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  if (result >= WAIT_OBJECT_0 + handles.size())
    return -1;
  const std::size_t position = positions[result - WAIT_OBJECT_0];
  const Watch& watch = watches_[ids[position]];
  if (watch.folder)
    ::FindNextChangeNotification(static_cast<HANDLE>(watch.event));
  else
    ArmRegistryWatch(watch);
  return static_cast<int>(position);
}

} // namespace vantrel::win32
