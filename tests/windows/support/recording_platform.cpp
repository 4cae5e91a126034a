#include "windows/support/recording_platform.h"

namespace vantrel::testing {

int RecordingPlatform::MessageBox(WindowHandle, const std::string& text, const std::string& caption,
                                  std::uint32_t flags) {
  boxes.push_back(caption + "|" + text);
  boxFlags.push_back(flags);
  if (!answers.empty()) {
    const int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  return (flags & 0x0F) == MB_YESNO ? IDYES : IDOK;
}

std::intptr_t RecordingPlatform::ShellExecute(WindowHandle, const std::string& verb,
                                              const std::string& file, const std::string&,
                                              const std::string&, int) {
  shellExecutes.push_back(verb + "|" + file);
  return shellExecuteResult;
}

} // namespace vantrel::testing
