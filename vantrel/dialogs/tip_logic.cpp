#include "vantrel/dialogs/tip_logic.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <random>

#include "common/text_encoding.h"
#include "vantrel/editor/save_program_groups.h"

namespace vantrel {

namespace {

std::function<double()> ClockSeededRandom() {
  const auto seed =
      static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  return [engine = std::mt19937_64(seed)]() mutable {
    return std::uniform_real_distribution<double>(0.0, 1.0)(engine);
  };
}

// Lines ended by CR LF, LF or CR; a last line without an end counts too.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n')
      ++start;
  }
  return lines;
}

} // namespace

std::string TipsFilePath(const AppContext& context) {
  const std::string& code = context.Store.Language;
  return context.ProgramFolder + "\\lang\\" + code + "\\tipofday." + code;
}

TipOfTheDay::TipOfTheDay(std::function<double()> random)
    : random_(random ? std::move(random) : ClockSeededRandom()) {}

bool TipOfTheDay::LoadTips(Platform& platform, const std::string& path) {
  if (path.empty())
    return false;
  const std::uint32_t attributes = platform.GetFileAttributes(path);
  if (attributes == kInvalidFileAttributes || (attributes & kFileAttributeDirectory) != 0)
    return false;
  std::string text;
  if (!platform.ReadWholeFile(path, &text))
    return false;
  std::vector<std::string> lines = SplitLines(AsUtf8Text(platform, std::move(text)));
  tips_.insert(tips_.end(), lines.begin(), lines.end());
  NextTip();
  return true;
}

void TipOfTheDay::NextTip() {
  const auto count = static_cast<double>(tips_.size());
  double r = random_();
  if (!(r >= 0.0 && r < 1.0))
    r = 0.0; // a broken source must not pick outside the list
  current_ = static_cast<std::int32_t>(std::floor(r * count + 1.0));
  if (!tips_.empty() && static_cast<std::size_t>(current_) > tips_.size())
    current_ = static_cast<std::int32_t>(tips_.size()); // r * count rounded up to count
}

std::optional<std::string> TipOfTheDay::CurrentTip() const {
  if (tips_.empty() || current_ < 1 || static_cast<std::size_t>(current_) > tips_.size())
    return std::nullopt;
  return tips_[static_cast<std::size_t>(current_ - 1)];
}

bool SaveShowTipsOnClose(AppContext& context, bool ticked, WindowHandle owner) {
  const int stored = std::abs(static_cast<int>(context.Store.ShowTipsAtStartup));
  const int box = ticked ? 1 : 0;
  if (stored == box)
    return false;
  context.Store.ShowTipsAtStartup = static_cast<std::int16_t>(box);
  return SaveProgramGroups(context, owner, "Tip of the Day");
}

} // namespace vantrel
