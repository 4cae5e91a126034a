#include "vantrel/item_move_session.h"

namespace vantrel::items {

MoveSession::~MoveSession() {
  try {
    UndoMoves();
  } catch (...) {
    // Nothing may leave a destructor; what could not be undone stays moved.
  }
}

bool MoveSession::SaveModel() {
  if (store.WriteItems()) {
    undo_.clear();
    savedTables_ = context.Store;
    return true;
  }
  failures.Add(ItemType::kShortcut, store.FilePath(), reason::ProgramGroupsNotSaved());
  UndoMoves();
  context.Store = savedTables_;
  return false;
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
