#include "vantrel/login/run_program.h"

#include "common/event_log.h"
#include "common/text.h"

namespace vantrel {

namespace {

bool IsFile(Platform& platform, const std::string& path) {
  const std::uint32_t attributes = platform.GetFileAttributes(path);
  return attributes != kInvalidFileAttributes && (attributes & kFileAttributeDirectory) == 0;
}

bool ShellStart(Platform& platform, const std::string& path, const std::string& parameters) {
  ShellExecuteInfo info;
  info.mask = kSeeMaskInvokeIdList | kSeeMaskFlagNoUi | kSeeMaskNoCloseProcess;
  info.file = path;
  info.parameters = parameters;
  info.show = kSwShowNormal;
  const bool started = platform.ShellExecuteEx(&info);
  if (info.process != 0)
    platform.CloseHandle(info.process);
  return started;
}

// A record that holds an items folder (as earlier builds wrote it, with a
// second backslash before the name) stands for the bare name in it.
std::string WithoutItemsFolder(const AppContext& context, const std::string& path) {
  for (const std::string* folder :
       {&context.Store.CurrentUserItemsFolder, &context.Store.AllUsersItemsFolder}) {
    if (folder->empty() || path.size() <= folder->size() ||
        !EqualsIgnoreCase(std::string_view(path).substr(0, folder->size()), *folder))
      continue;
    const auto name = path.find_first_not_of('\\', folder->size());
    if (name != std::string::npos)
      return path.substr(name);
  }
  return path;
}

} // namespace

std::string ResolveShortcutPath(AppContext& context, const std::string& stored) {
  Platform& platform = context.platform;
  if (stored.find('"') != std::string::npos || !EndsWith(stored, ".lnk"))
    return stored;
  const std::string path = WithoutItemsFolder(context, stored);
  if (IsFile(platform, path))
    return path;
  for (const std::string* folder :
       {&context.Store.CurrentUserItemsFolder, &context.Store.AllUsersItemsFolder}) {
    const std::string candidate = *folder + path;
    if (IsFile(platform, candidate))
      return candidate;
  }
  return {};
}

void RunProgram(AppContext& context, std::string path, std::string parameters) {
  Platform& platform = context.platform;
  platform.PumpMessages();
  bool started = ShellStart(platform, path, parameters);
  if (!started && path.find('"') != std::string::npos) {
    path = ReplaceAll(path, "\"", "");
    platform.PumpMessages();
    started = ShellStart(platform, path, parameters);
  }
  if (!started)
    WriteLog(platform, "Program: " + path + " failed to start.", LogError);
  platform.PumpMessages();
}

} // namespace vantrel
