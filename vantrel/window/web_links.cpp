#include "vantrel/window/web_links.h"

#include "common/text.h"

namespace vantrel {

namespace {

// ShellExecute reports success with a value above 32.
constexpr std::intptr_t kShellSuccessAbove = 32;

} // namespace

std::string SupportMailLink() {
  return "mailto:" + std::string(web_links::kSupportAddress) +
         "?subject=" + ReplaceAll(web_links::kSupportSubject, " ", "%20");
}

bool ShowHelp(Platform& platform, const std::string& programFolder, WindowHandle owner) {
  const std::string path = programFolder + "\\" + std::string(kHelpFileName);
  const std::uint32_t attributes = platform.GetFileAttributes(path);
  if (attributes == kInvalidFileAttributes || (attributes & kFileAttributeDirectory) != 0)
    return false;
  return platform.ShellExecute(owner, "open", path, "", "", kSwShowNormal) > kShellSuccessAbove;
}

bool OpenWebLink(Platform& platform, WindowHandle owner, std::string_view address) {
  return platform.ShellExecute(owner, "", std::string(address), "", "", kSwShowNormal) >
         kShellSuccessAbove;
}

} // namespace vantrel
