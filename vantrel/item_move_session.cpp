#include "vantrel/item_move_session.h"

namespace vantrel::items {

bool MoveSession::SaveModel() {
  if (store.WriteItems())
    return true;
  failures.Add(ItemType::kShortcut, store.FilePath(), reason::ProgramGroupsNotSaved());
  return false;
}

} // namespace vantrel::items
