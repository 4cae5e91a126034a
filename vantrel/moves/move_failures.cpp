#include "vantrel/moves/move_failures.h"

#include <algorithm>

namespace vantrel::items {

namespace reason {
std::string NeedsAdministrator() {
  return "Items of all users can only be changed with administrator rights.";
}
std::string AlreadyThere(const std::string& folder) {
  return "A file of this name is already in " + folder + ".";
}
std::string NotFound(const std::string& folder) {
  return "The file is no longer in " + folder + ".";
}
std::string FileNotMoved(int shellResult) {
  return "The file could not be moved; it may be in use (error " + std::to_string(shellResult) +
         ").";
}
std::string StoreNotReadBack() {
  return "Its copy in Vantrel's store could not be read back, so it was left where it was.";
}
std::string RunKeyNotWritten() {
  return "It could not be written back into the Run key, so it was left where it was.";
}
std::string RunKeyNotCleared() {
  return "It could not be removed from the Run key, so it was left where it was.";
}
std::string StoreNotCleared() {
  return "It could not be removed from Vantrel's store, so it was left where it was.";
}
std::string AlreadyInStore() {
  return "Vantrel's store already holds a different value of this name, so it was left where it "
         "was.";
}
std::string AlreadyInRunKey() {
  return "The Run key already holds a different value of this name, so it was left where it "
         "was.";
}
std::string NoStoredData() {
  return "Its data is no longer in Vantrel's store, so it stays as it is.";
}
std::string NotAProgramValue() {
  return "It is not a text value (REG_SZ or REG_EXPAND_SZ), so Windows does not start it; "
         "Vantrel leaves it where it is.";
}
std::string NameTakenInOtherView() {
  return "Vantrel's store already holds a value of this name from the other registry view, so "
         "it was left where it was.";
}
std::string BackupNotWritten() {
  return "Its registry backup file could not be written, so the registry was not changed.";
}
std::string ProgramGroupsNotSaved() {
  return "Vantrel could not save its program groups file, so what this command had moved "
         "was put back.";
}
std::string KeptInStoreWithoutRecord() {
  return "It could not be put back either. It stays in Vantrel's store and shows under \"Found "
         "in Vantrel's Store\", where you can put it back, delay it or stop it.";
}
} // namespace reason

void MoveFailures::Add(ItemType type, std::string item, std::string why) {
  MoveFailure failure{type, std::move(item), std::move(why)};
  if (std::find(failures_.begin(), failures_.end(), failure) == failures_.end())
    failures_.push_back(std::move(failure));
}

std::string MoveFailures::Text(const AppContext& context) const {
  std::string text;
  for (const ItemType type : {ItemType::kRunValue, ItemType::kShortcut}) {
    std::string lines;
    for (const auto& failure : failures_) {
      if (failure.type == type)
        lines +=
            "\r\n" + (failure.item.empty() ? failure.reason : failure.item + ": " + failure.reason);
    }
    if (lines.empty())
      continue;
    if (!text.empty())
      text += "\r\n\r\n";
    text += context.Message(type == ItemType::kRunValue ? message::kMoveRunValuesFailed
                                                        : message::kMoveShortcutsFailed);
    text += "\r\n" + lines;
  }
  return text;
}

void MoveFailures::Show(AppContext& context, WindowHandle owner) {
  if (failures_.empty())
    return;
  context.platform.MessageBox(owner, Text(context), kProgramTitle, kMbOk | kMbIconExclamation);
  failures_.clear();
}

} // namespace vantrel::items
