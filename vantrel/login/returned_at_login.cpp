#include "vantrel/login/returned_at_login.h"

#include <algorithm>

#include "common/event_log.h"
#include "common/run_keys.h"
#include "common/store/stored_run_values.h"
#include "vantrel/login/wait.h"
#include "vantrel/moves/item_move_session.h"
#include "vantrel/moves/take_back.h"
#include "vantrel/tree/refresh_startup_items.h"
#include "vantrel/tree/returned_items.h"

namespace vantrel {

namespace {

void LogTimed(AppContext& context, const std::string& text, int level = LogInfo) {
  WriteLog(context.platform, context.platform.FormatTimeOfDay() + text, level);
}

} // namespace

ReturnedItemsWatch::ReturnedItemsWatch(AppContext& context) : context_(context) {
  Platform& platform = context.platform;
  const auto add = [this](ChangeWatch watch) {
    if (watch != 0)
      watches_.push_back(watch);
  };
  add(platform.WatchRegistryKey(kHkeyCurrentUser, kRunKeyPath));
  add(platform.WatchRegistryKey(kHkeyLocalMachine, kRunKeyPath));
  // 32-bit installers write into the other view of the machine's Run key.
  if (store::Has32BitRegistryView(platform))
    add(platform.WatchRegistryKey(kHkeyLocalMachine, kRunKeyPath, kKeyWow64_32Key));
  if (!context.CurrentUserStartupFolder.empty())
    add(platform.WatchFolder(context.CurrentUserStartupFolder));
  if (!context.AllUsersStartupFolder.empty())
    add(platform.WatchFolder(context.AllUsersStartupFolder));
  Check();
  beginning_ = false;
  context.WaitForMessagesHook = [this](std::uint32_t milliseconds) { Wait(milliseconds); };
}

ReturnedItemsWatch::~ReturnedItemsWatch() {
  context_.WaitForMessagesHook = nullptr;
  for (ChangeWatch watch : watches_)
    context_.platform.CloseWatch(watch);
}

void ReturnedItemsWatch::Wait(std::uint32_t milliseconds) {
  if (context_.platform.WaitForMessagesOrChanges(watches_, milliseconds) >= 0)
    Check();
}

bool ReturnedItemsWatch::StartedByWindows(const ProgramEntry& program) const {
  return !WindowsLocationOf(program).empty();
}

std::string ReturnedItemsWatch::WindowsLocationOf(const ProgramEntry& program) const {
  const std::string identity = ReturnedIdentityOf(program);
  for (const auto& [id, where] : startedByWindows_) {
    if (!identity.empty() && id == identity)
      return where;
  }
  return {};
}

void ReturnedItemsWatch::Check() {
  StartupItemLists lists = ReadStartupLocations(context_);
  const std::string own = OwnRunValueText(context_.OwnRunCommand);
  BlankOwnRunValue(lists.CurrentUserRunValues, own);
  BlankOwnRunValue(lists.AllUsersRunValues, own);
  const std::vector<ReturnedItem> returned =
      FindReturnedItems(context_.platform, context_.Store, lists);
  for (const ReturnedItem& item : returned) {
    const std::string where =
        item.Where(context_.CurrentUserStartupFolder, context_.AllUsersStartupFolder);
    const std::string identity = item.Identity();
    if (beginning_ && item.delayed)
      startedByWindows_.emplace_back(identity, where);
    if (noticed_.insert(identity).second) {
      LogTimed(context_, std::string("  Came back to Windows' startup (") +
                             (item.delayed ? "delayed" : "stopped") + " in Vantrel): " + where);
    }
    if (!context_.Store.TakeBackReturnedItems || !triedToTakeBack_.insert(identity).second)
      continue;
    CDelayLoad store = context_.NewDelayLoad();
    items::MoveSession session(context_, store);
    if (items::TakeBackItem(session, item)) {
      // Taken back, it may come back again later and is noticed anew.
      noticed_.erase(identity);
      triedToTakeBack_.erase(identity);
      LogTimed(context_, "  Taken back into Vantrel's care: " + where);
    } else {
      std::string why;
      for (const items::MoveFailure& failure : session.failures.list())
        why += " " + failure.reason;
      LogTimed(context_, "  Could not take back: " + where + "." + why, LogWarning);
    }
  }
}

void ReturnedItemsWatch::Finish(bool programStarted) {
  if (context_.Store.TakeBackReturnedItems && programStarted && !context_.AbortWait)
    WaitMilliseconds(context_, kWatchAfterLaunchesMs);
  Check();
}

} // namespace vantrel
