// Win32Platform's answers about the running process and its user, the
// single-instance mutex and bringing another window to the front.
#include <atomic>
#include <cctype>

#include "common/platform/win32/win32_api.h"
#include "contract/contract_fixture.h"
#include "windows/support/test_window.h"

namespace vantrel::testing {
namespace {

using Win32Process = ContractTest;

std::string Lower(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string UniqueName(const char* what) {
  static std::atomic<int> counter{0};
  return std::string("VantrelTest-") + what + "-" + std::to_string(::GetCurrentProcessId()) + "-" +
         std::to_string(counter++);
}

TEST_F(Win32Process, TheProgramAndItsUser) {
  const std::string exe = platform().GetModuleFileName();
  EXPECT_TRUE(Lower(exe).ends_with("\\windows_tests.exe")) << exe;
  EXPECT_EQ(':', exe.at(1)) << exe;
  EXPECT_NE(kInvalidFileAttributes, platform().GetFileAttributes(exe));
  EXPECT_NE(std::string::npos, Lower(platform().GetCommandLine()).find("windows_tests"))
      << platform().GetCommandLine();

  const std::string current = platform().GetCurrentDirectory();
  EXPECT_FALSE(current.empty());
  EXPECT_EQ(std::string::npos, current.find('\0'));
  EXPECT_NE(0u, platform().GetFileAttributes(current) & kFileAttributeDirectory);

  const std::string user = platform().GetUserName();
  EXPECT_FALSE(user.empty());
  EXPECT_LT(user.size(), 255u);
  EXPECT_EQ(std::string::npos, user.find('\0'));
}

TEST_F(Win32Process, ANamedMutexIsTakenOnlyOnce) {
  const std::string name = UniqueName("mutex");
  bool alreadyExists = true;
  ASSERT_TRUE(platform().CreateNamedMutex(name, &alreadyExists));
  EXPECT_FALSE(alreadyExists);
  ASSERT_TRUE(platform().CreateNamedMutex(name, &alreadyExists));
  EXPECT_TRUE(alreadyExists);

  alreadyExists = true;
  ASSERT_TRUE(platform().CreateNamedMutex(UniqueName("mutex"), &alreadyExists));
  EXPECT_FALSE(alreadyExists);
}

TEST_F(Win32Process, ActivatingAWindowRestoresItFromTheTaskbar) {
  const std::string title = UniqueName("window");
  TestWindow window(title);
  ASSERT_NE(nullptr, window.handle());
  ::ShowWindow(window.handle(), SW_MINIMIZE);
  ASSERT_TRUE(::IsIconic(window.handle()));
  EXPECT_TRUE(platform().ActivateWindowByTitle(title));
  EXPECT_FALSE(::IsIconic(window.handle()));
  EXPECT_TRUE(::IsWindowVisible(window.handle()));

  EXPECT_FALSE(platform().ActivateWindowByTitle(UniqueName("no window")));
}

} // namespace
} // namespace vantrel::testing
