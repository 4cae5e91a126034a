#include "vantrelsync/sync_command_line.h"

#include <array>
#include <string>

#include "common/text.h"

namespace vantrel::sync {

namespace {

constexpr std::array<std::string_view, 7> kSyncWords = {"",   "sync",  "s",    "-s",
                                                        "/s", "/sync", "-sync"};
constexpr std::array<std::string_view, 6> kUpgradeWords = {"upgrade", "u",        "-u",
                                                           "/u",      "/upgrade", "-upgrade"};

template <std::size_t N>
bool IsOneOf(const std::string& word, const std::array<std::string_view, N>& words) {
  for (std::string_view known : words) {
    if (word == known)
      return true;
  }
  return false;
}

} // namespace

SyncAction ChooseSyncAction(std::string_view commandLine) {
  const std::string word = ToLowerAscii(TrimBlanks(commandLine));
  if (IsOneOf(word, kSyncWords))
    return SyncAction::kSynchronize;
  if (IsOneOf(word, kUpgradeWords))
    return SyncAction::kUpgrade;
  return SyncAction::kNothing;
}

} // namespace vantrel::sync
