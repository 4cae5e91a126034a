// The items a command could not move, each with the reason, gathered while
// the command runs and shown to the user in one message box at its end.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "vantrel/app/app_context.h"

namespace vantrel::items {

enum class ItemType { kRunValue, kShortcut };

struct MoveFailure {
  ItemType type = ItemType::kShortcut;
  std::string item;
  std::string reason;

  bool operator==(const MoveFailure&) const = default;
};

// Why a move did not happen, in the words the message box uses.
namespace reason {
std::string NeedsAdministrator();
std::string AlreadyThere(const std::string& folder);
std::string NotFound(const std::string& folder);
std::string FileNotMoved(int shellResult);
std::string StoreNotReadBack();
std::string RunKeyNotWritten();
std::string RunKeyNotCleared();
std::string StoreNotCleared();
std::string AlreadyInStore();
std::string AlreadyInRunKey();
std::string NoStoredData();
std::string NotAProgramValue();
std::string NameTakenInOtherView();
std::string BackupNotWritten();
std::string ProgramGroupsNotSaved();
std::string KeptInStoreWithoutRecord();
} // namespace reason

class MoveFailures {
public:
  // The same item with the same reason is listed once.
  void Add(ItemType type, std::string item, std::string reason);
  bool empty() const { return failures_.empty(); }
  const std::vector<MoveFailure>& list() const { return failures_; }
  void clear() { failures_.clear(); }

  // The text of the box: for Run values the Messages entry at index 1, for
  // shortcuts the one at index 2, each followed by its items and reasons.
  std::string Text(const AppContext& context) const;
  // Shows the box (exclamation icon, title "Vantrel") when anything failed,
  // then forgets the failures.
  void Show(AppContext& context, WindowHandle owner);

private:
  std::vector<MoveFailure> failures_;
};

} // namespace vantrel::items
