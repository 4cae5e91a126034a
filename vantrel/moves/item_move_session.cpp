#include "vantrel/moves/item_move_session.h"

#include <algorithm>

#include "common/event_log.h"

namespace vantrel::items {

MoveSession::~MoveSession() {
  try {
    UndoMoves();
  } catch (...) {
    // Nothing may leave a destructor (common/exception_policy.h); what could
    // not be undone stays moved.
  }
}

bool MoveSession::SaveModel() {
  if (store.WriteItems()) {
    undo_.clear();
    savedTables_ = context.Store;
    for (const std::string& line : logOnSave_)
      WriteLog(context.platform, line, LogInfo);
    logOnSave_.clear();
    return true;
  }
  failures.Add(ItemType::kShortcut, store.FilePath(), reason::ProgramGroupsNotSaved());
  UndoMoves();
  logOnSave_.clear();
  context.Store = savedTables_;
  TellWhatStaysInStore();
  return false;
}

void MoveSession::TellWhatStaysInStore() {
  const store::UnrecordedItems now = store::FindUnrecordedItems(context.platform, context.Store);
  const auto tell = [this](ItemType type, const std::vector<std::string>& after,
                           const std::vector<std::string>& before) {
    for (const std::string& item : after) {
      if (std::find(before.begin(), before.end(), item) == before.end())
        failures.Add(type, type == ItemType::kRunValue ? item.substr(0, item.find('=')) : item,
                     reason::KeptInStoreWithoutRecord());
    }
  };
  tell(ItemType::kShortcut, now.CurrentUserShortcuts, foundBefore_.CurrentUserShortcuts);
  tell(ItemType::kShortcut, now.AllUsersShortcuts, foundBefore_.AllUsersShortcuts);
  tell(ItemType::kRunValue, now.CurrentUserRunValues, foundBefore_.CurrentUserRunValues);
  tell(ItemType::kRunValue, now.AllUsersRunValues, foundBefore_.AllUsersRunValues);
}

void MoveSession::UndoMoves() {
  // Last move first, so that an item moved twice ends where it began.
  while (!undo_.empty()) {
    const std::function<void()> undo = std::move(undo_.back());
    undo_.pop_back();
    undo();
  }
}

} // namespace vantrel::items
