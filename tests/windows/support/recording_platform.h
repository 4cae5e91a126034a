// The real Win32 layer for in-process window tests, with the program folder
// moved to a scratch folder and nothing shown: message boxes and shell
// calls are recorded and answered.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_platform.h"

namespace vantrel::testing {

class RecordingPlatform : public win32::Win32Platform {
public:
  explicit RecordingPlatform(std::string programFolder) : folder_(std::move(programFolder)) {}

  std::string GetModuleFileName() override { return folder_ + "\\Vantrel.exe"; }
  // Recorded as "caption|text"; the answers queued are given in turn, then
  // IDOK (IDYES for a yes/no box).
  int MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                 std::uint32_t flags) override;
  // Recorded as "verb|file" and answered with shellExecuteResult.
  std::intptr_t ShellExecute(WindowHandle hwnd, const std::string& verb, const std::string& file,
                             const std::string& parameters, const std::string& directory,
                             int show) override;

  std::vector<std::string> boxes;
  std::vector<std::uint32_t> boxFlags;
  std::vector<int> answers;
  std::vector<std::string> shellExecutes;
  // By default the shell fails as it does without a browser; above 32 is a
  // success.
  std::intptr_t shellExecuteResult = SE_ERR_NOASSOC;

private:
  std::string folder_;
};

} // namespace vantrel::testing
