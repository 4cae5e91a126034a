// The login run's eye on items that come back. Before the main delay it
// looks for items that are back in Windows' locations: a delayed one among
// them is started by Windows at this login (now, or minutes later on
// systems that hold startup programs back), so the run does not start it
// too. This is judged by the entry, not by running processes, since hosts
// such as rundll32.exe run many items. During the run's waits it watches
// both Run keys and both Startup folders together with the message queue
// and notices an item the moment it comes back. Each returned item is
// logged once; with the option TakeBackReturnedItems the run takes it back
// into Vantrel's care at once and logs that too.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "common/store/store_tables.h"
#include "vantrel/app/app_context.h"

namespace vantrel {

// How long the run, with the option on, keeps watching after its last
// start: programs write their entry again within moments of starting.
constexpr std::int32_t kWatchAfterLaunchesMs = 5000;

class ReturnedItemsWatch {
public:
  // Opens the watches, looks for returned items once and puts its wait in
  // place of the engine's (AppContext::WaitForMessagesHook).
  explicit ReturnedItemsWatch(AppContext& context);
  ~ReturnedItemsWatch();
  ReturnedItemsWatch(const ReturnedItemsWatch&) = delete;
  ReturnedItemsWatch& operator=(const ReturnedItemsWatch&) = delete;

  // Whether Windows starts this "Startup" program at this login: it was
  // back in its Windows location when the run began.
  bool StartedByWindows(const ProgramEntry& program) const;
  // Where Windows starts it from, for the log.
  std::string WindowsLocationOf(const ProgramEntry& program) const;

  // Looks for returned items now: logs the ones not noticed before and,
  // with the option on, takes them back.
  void Check();
  // The run's end: with the option on and a program started, keeps
  // watching a little longer, then looks a last time.
  void Finish(bool programStarted);

  // How many watches are open (four when every location exists).
  std::size_t WatchCount() const { return watches_.size(); }

private:
  void Wait(std::uint32_t milliseconds);

  AppContext& context_;
  std::vector<ChangeWatch> watches_;
  std::set<std::string> noticed_;
  std::set<std::string> triedToTakeBack_;
  // Identity -> where Windows holds it, for the items back at the start.
  std::vector<std::pair<std::string, std::string>> startedByWindows_;
  bool beginning_ = true;
};

} // namespace vantrel
