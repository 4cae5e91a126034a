// The event log log.txt in the program folder, shared by both programs.
#pragma once

#include <cstdint>
#include <string>

#include "common/platform/platform.h"

namespace vantrel {

constexpr int LogError = 1;
constexpr int LogWarning = 2;
constexpr int LogInfo = 4;

// Pruning starts at this size and keeps what follows the first half.
constexpr std::uint64_t kLogSizeLimit = 5'120'000;
constexpr std::uint64_t kLogKeepFrom = 2'560'000;

// Appends one event: level prefix, message, CR LF. Never fails loudly.
// The log is UTF-8; a log of an earlier build, in the legacy ANSI code
// page, is converted whole when the first event with more than ASCII is
// written to it, or when it is pruned.
void WriteLog(Platform& platform, const std::string& message, int level);

} // namespace vantrel
