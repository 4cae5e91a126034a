// What a simulated process records of its calls, for tests to inspect.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/platform/platform.h"

namespace vantrel::sim {

struct ShFileOpRecord {
  std::uint32_t func = 0;
  std::vector<std::string> from; // the paths of the lists, as given
  std::vector<std::string> to;
  std::uint32_t flags = 0;
  std::string title;
  WindowHandle hwnd = 0;
  // Both lists end in "\0\0" as the shell needs them (the real seam adds
  // one NUL of its own, so a list short of one still works there).
  bool listsTerminated = false;
  int result = 0;
  std::uint64_t atMs = 0;
};

struct ShellExecuteRecord {
  bool extended = false; // ShellExecuteEx rather than ShellExecute
  std::uint32_t mask = 0;
  WindowHandle hwnd = 0;
  std::string verb;
  std::string file;
  std::string parameters;
  std::string directory;
  int show = 0;
  std::uint64_t atMs = 0;
  bool succeeded = false;
  ProcessHandle process = 0;
};

struct MessageBoxRecord {
  WindowHandle owner = 0;
  std::string text;
  std::string caption;
  std::uint32_t flags = 0;
  int answer = 0;
  std::uint64_t atMs = 0;
};

struct WaitRecord {
  enum class Kind { kSleep, kWaitForMessages };
  Kind kind = Kind::kSleep;
  std::uint32_t requestedMs = 0;
  std::uint64_t atMs = 0;     // when the call began
  std::uint64_t waitedMs = 0; // how far the clock moved
};

} // namespace vantrel::sim
