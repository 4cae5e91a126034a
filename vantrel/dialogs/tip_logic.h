// The tip of the day without its window: the tips of the current language,
// one per line of lang\<code>\tipofday.<code>, a random pick among them,
// and the "show tips at startup" box that every close saves when it changed.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "vantrel/app/app_context.h"

namespace vantrel {

// Indexes into the tip window's caption table (tips.<code>).
namespace tips_caption {
constexpr std::size_t kNextTip = 0;
constexpr std::size_t kNoTips = 1;
constexpr std::size_t kDidYouKnow = 2;
constexpr std::size_t kShowTips = 3;
} // namespace tips_caption

// program folder\lang\<code>\tipofday.<code> for the current language.
std::string TipsFilePath(const AppContext& context);

class TipOfTheDay {
public:
  // random gives numbers in [0, 1); by default a generator seeded from the
  // clock.
  explicit TipOfTheDay(std::function<double()> random = {});

  // Reads the file's lines as tips, in file order (an empty line is an empty
  // tip; nothing is trimmed), and picks one. False, with no tips, when the
  // name is empty, names no ordinary file or cannot be read.
  bool LoadTips(Platform& platform, const std::string& path);
  // Picks a random tip; the same one may come twice in a row.
  void NextTip();
  // The tip at the current position; nothing while there are no tips.
  std::optional<std::string> CurrentTip() const;

  const std::vector<std::string>& Tips() const { return tips_; }
  // From 1 to the number of tips; 0 before the first pick.
  std::int32_t CurrentPosition() const { return current_; }

private:
  std::function<double()> random_;
  std::vector<std::string> tips_;
  std::int32_t current_ = 0;
};

// Every close of the tip window: when the box (ticked or not) differs from
// ShowTipsAtStartup (both taken as magnitudes), stores 1 or 0 and saves the
// file. True when it saved.
bool SaveShowTipsOnClose(AppContext& context, bool ticked, WindowHandle owner = 0);

} // namespace vantrel
