// What the moves of startup items work with while one command of the main
// window runs: the process context, the window's program-group store, the
// window that owns the shell's dialogs and message boxes, the clock for the
// registry backups, and the failures gathered on the way.
//
// A move and its record belong together: every move is noted with the way
// to undo it, and when proggroup.c cannot be written afterwards the moves
// since the last save are undone and the model goes back to what the file
// holds, so that no item ever sits in Vantrel's store without its record.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/store/delay_load.h"
#include "common/store/unrecorded_items.h"
#include "vantrel/app_context.h"
#include "vantrel/local_time.h"
#include "vantrel/move_failures.h"

namespace vantrel::items {

class MoveSession {
public:
  MoveSession(AppContext& appContext, CDelayLoad& programGroups, WindowHandle ownerWindow = 0,
              LocalTimeSource localTime = {})
      : context(appContext), store(programGroups), owner(ownerWindow), clock(std::move(localTime)),
        savedTables_(appContext.Store),
        foundBefore_(store::FindUnrecordedItems(appContext.platform, appContext.Store)) {}
  // Moves that were never saved are undone.
  ~MoveSession();
  MoveSession(const MoveSession&) = delete;
  MoveSession& operator=(const MoveSession&) = delete;

  std::optional<LocalTime> Now() { return CurrentLocalTime(context.platform, clock); }
  // Notes a move that happened, with what undoes it.
  void Moved(std::function<void()> undo) { undo_.push_back(std::move(undo)); }
  // Writes the model. A file that cannot be written is a failure to show,
  // and the moves since the last save are undone.
  bool SaveModel();
  // A log line that holds only once the moves are saved: written by the
  // next SaveModel that succeeds, dropped when the moves are undone.
  void LogOnSave(std::string line) { logOnSave_.push_back(std::move(line)); }

  AppContext& context;
  CDelayLoad& store;
  WindowHandle owner;
  LocalTimeSource clock;
  MoveFailures failures;

private:
  void UndoMoves();
  // After an undo: what it could not put back stays in the store without a
  // record (the tree shows it as found), and the user is told so.
  void TellWhatStaysInStore();

  StoreTables savedTables_;
  store::UnrecordedItems foundBefore_;
  std::vector<std::function<void()>> undo_;
  std::vector<std::string> logOnSave_;
};

// The texts of the checked item nodes of the current user's three
// categories of one type (shortcuts or Run values), in tree order: those
// still in Windows' hands, the delayed ones and the stopped ones.
struct CheckedItems {
  std::vector<std::string> windows;
  std::vector<std::string> delayed;
  std::vector<std::string> stopped;

  bool empty() const { return windows.empty() && delayed.empty() && stopped.empty(); }
};

} // namespace vantrel::items
