// Windows' own startup switches (common/startup_approved) as the main
// window and the item moves meet them. Vantrel's command is the user's
// latest word: an item that is put back is switched on, so that Windows
// starts it; a switched-off item that is delayed is started by Vantrel, and
// the log says it was off; stopping leaves the switch alone.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/item_kind.h"
#include "common/startup_approved.h"
#include "common/tree_model.h"
#include "vantrel/moves/item_move_session.h"
#include "vantrel/text/text_tables.h"

namespace vantrel::items {

// The switch of an item of this kind and name: the Run
// value's name, or the shortcut's file name.
StartupSwitch SwitchOfItem(ItemKind kind, const std::string& name);

// Gives the item nodes of Windows' locations whose switch is off the
// "switched off" picture. Items that came back keep their own mark: Take
// Back hands them to Vantrel, which starts them whatever the switch says.
void MarkSwitchedOffItems(Platform& platform, TreeModel& tree);

// The tool tip of a switched-off item: the Toolbar table's entry, or the
// English text.
std::string SwitchedOffItemTip(const TextTables& text);

// Logs, once the session has saved, each of these items that Vantrel now
// delays although Windows' startup settings have it switched off.
void NoteDelayedWhileSwitchedOff(MoveSession& session, ItemKind kind,
                                 const std::vector<std::string>& names);

// The switch of one item that goes back into Windows' location. TurnOn
// comes before the move; the switch is put back as it was when the item
// does not go back (PutBack is not called), or when the session undoes
// its moves and the item has left Windows' location again.
class PutBackSwitch {
public:
  // inWindows: whether Windows' location holds the item now.
  PutBackSwitch(MoveSession& session, ItemKind kind, const std::string& name,
                std::function<bool()> inWindows);
  ~PutBackSwitch();
  PutBackSwitch(const PutBackSwitch&) = delete;
  PutBackSwitch& operator=(const PutBackSwitch&) = delete;

  // True when the item may go back: its switch is on, or has been switched
  // on. False when it is off and cannot be switched on (an all-users switch
  // without administrator rights): the user is told, nothing has changed,
  // and the item must stay where it is.
  bool TurnOn();
  // The item is back in Windows' location; a switch that was turned on is
  // logged once the session saves.
  void PutBack();

private:
  MoveSession& session_;
  ItemKind kind_;
  StartupSwitch switch_;
  std::function<bool()> inWindows_;
  std::optional<std::vector<std::uint8_t>> before_;
  bool turnedOn_ = false;
  bool putBack_ = false;
};

} // namespace vantrel::items
