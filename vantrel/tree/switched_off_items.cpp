#include "vantrel/tree/switched_off_items.h"

#include <utility>

#include "common/command_split.h"
#include "vantrel/tree/startup_item_kind.h"
#include "vantrel/tree/startup_tree.h"

namespace vantrel::items {

namespace {

bool IsRunValueKind(ItemKind kind) {
  return kind == kAllUsersRunValue || kind == kCurrentUserRunValue || kind == kAllUsersRunValue32;
}

std::string NotSwitchedOnReason(const AppContext& context) {
  const std::string told = context.Message(message::kSwitchNotTurnedOn);
  return told.empty() ? "Windows' startup settings have it switched off, and Vantrel could not "
                        "switch it on (an item of all users needs administrator rights), so it "
                        "was left where it was."
                      : told;
}

} // namespace

StartupSwitch SwitchOfItem(ItemKind kind, const std::string& name) {
  switch (kind) {
  case kCurrentUserRunValue:
    return SwitchOf(kHkeyCurrentUser, StartupList::kRun, name);
  case kAllUsersRunValue32:
    return SwitchOf(kHkeyLocalMachine, StartupList::kRun32, name);
  case kCurrentUserShortcut:
    return SwitchOf(kHkeyCurrentUser, StartupList::kStartupFolder, name);
  case kAllUsersShortcut:
    return SwitchOf(kHkeyLocalMachine, StartupList::kStartupFolder, name);
  case kAllUsersRunValue:
    break;
  }
  return SwitchOf(kHkeyLocalMachine, StartupList::kRun, name);
}

void MarkSwitchedOffItems(Platform& platform, TreeModel& tree) {
  namespace st = startup_tree;
  const std::pair<std::string_view, ItemKind> branches[] = {
      {st::kCurrentUserStartup, kCurrentUserShortcut},
      {st::kCurrentUserRegistry, kCurrentUserRunValue},
      {st::kAllUsersStartup, kAllUsersShortcut},
      {st::kAllUsersRegistry, kAllUsersRunValue},
      {st::kAllUsersRegistry32, kAllUsersRunValue32},
  };
  for (const auto& [category, kind] : branches) {
    const TreeModel::NodeId parent = tree.Find(category);
    if (parent == TreeModel::kNoNode)
      continue;
    for (const TreeModel::NodeId child : tree.At(parent).children) {
      TreeModel::Node& node = tree.At(child);
      if (node.tag == st::kReturnedTag)
        continue;
      const std::string name =
          IsRunValueKind(kind) ? SplitNameAndCommand(node.text).name : node.text;
      if (!name.empty() && IsSwitchedOff(platform, SwitchOfItem(kind, name)))
        node.image = st::image::kSwitchedOff;
    }
  }
}

std::string SwitchedOffItemTip(const TextTables& text) {
  const std::string& tip = text.Toolbar[toolbar::kSwitchedOffItemTip];
  return tip.empty() ? "Switched off in Windows' startup settings (Task Manager's Startup tab or "
                       "Settings > Apps > Startup): Windows does not start it at login. Delay it "
                       "to have Vantrel start it."
                     : tip;
}

void NoteDelayedWhileSwitchedOff(MoveSession& session, ItemKind kind,
                                 const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    const StartupSwitch where = SwitchOfItem(kind, name);
    if (IsSwitchedOff(session.context.platform, where))
      session.LogOnSave("Delayed although Windows' startup settings have it switched off; "
                        "Vantrel starts it at login: " +
                        where.Where());
  }
}

PutBackSwitch::PutBackSwitch(MoveSession& session, ItemKind kind, const std::string& name,
                             std::function<bool()> inWindows)
    : session_(session), kind_(kind), switch_(SwitchOfItem(kind, name)),
      inWindows_(std::move(inWindows)) {}

PutBackSwitch::~PutBackSwitch() {
  if (turnedOn_ && !putBack_)
    RestoreSwitch(session_.context.platform, switch_, before_);
}

bool PutBackSwitch::TurnOn() {
  Platform& platform = session_.context.platform;
  if (!IsSwitchedOff(platform, switch_))
    return true;
  before_ = SwitchData(platform, switch_);
  if (!SwitchOn(platform, switch_)) {
    RestoreSwitch(platform, switch_, before_);
    session_.failures.Add(IsRunValueKind(kind_) ? ItemType::kRunValue : ItemType::kShortcut,
                          switch_.name, NotSwitchedOnReason(session_.context));
    return false;
  }
  turnedOn_ = true;
  // Noted before the move, so that a failed save undoes the move first and
  // then finds the item gone from Windows' location.
  session_.Moved([&platform, where = switch_, before = before_, inWindows = inWindows_] {
    if (!inWindows())
      RestoreSwitch(platform, where, before);
  });
  return true;
}

void PutBackSwitch::PutBack() {
  putBack_ = true;
  if (turnedOn_)
    session_.LogOnSave("Switched on in Windows' startup settings, as Vantrel put it back: " +
                       switch_.Where());
}

} // namespace vantrel::items
