// Win32Platform's waits, message pump and clock.
#include "common/platform/win32/win32_api.h"
#include "contract/contract_fixture.h"
#include "windows/support/test_window.h"

namespace vantrel::testing {
namespace {

using Win32Messages = ContractTest;

TEST_F(Win32Messages, AWaitEndsWhenAMessageArrives) {
  ASSERT_TRUE(::PostThreadMessageA(::GetCurrentThreadId(), WM_APP, 0, 0));
  const auto start = platform().GetTickCount();
  platform().WaitForMessages(20000);
  EXPECT_LT(platform().GetTickCount() - start, 10000u);

  // A message that an earlier look left in the queue still ends the wait.
  MSG message{};
  ASSERT_TRUE(::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
  const auto again = platform().GetTickCount();
  platform().WaitForMessages(20000);
  EXPECT_LT(platform().GetTickCount() - again, 10000u);

  platform().PumpMessages();
  EXPECT_FALSE(::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(Win32Messages, AWaitWithoutMessagesLastsItsTime) {
  MSG message{};
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
  const auto start = platform().GetTickCount();
  platform().WaitForMessages(100);
  EXPECT_GE(platform().GetTickCount() - start, 80u);

  const auto beforeSleep = platform().GetTickCount();
  platform().Sleep(100);
  EXPECT_GE(platform().GetTickCount() - beforeSleep, 80u);
}

TEST_F(Win32Messages, ThePumpDispatchesAndLeavesTheQuitForTheOwner) {
  TestWindow window("Vantrel pump test");
  ASSERT_NE(nullptr, window.handle());
  ASSERT_TRUE(::PostMessageA(window.handle(), WM_APP, 0, 0));
  ASSERT_TRUE(::PostMessageA(window.handle(), WM_APP, 0, 0));
  ::PostQuitMessage(7);
  platform().PumpMessages();
  EXPECT_EQ(2, window.appMessages());

  MSG message{};
  ASSERT_TRUE(::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(static_cast<UINT>(WM_QUIT), message.message);
  EXPECT_EQ(7u, message.wParam);
}

TEST_F(Win32Messages, TimesFollowTheUserLocale) {
  // Retried when the clock passes a second between the readings.
  for (int attempt = 0; attempt < 5; ++attempt) {
    const std::string time = platform().FormatTimeOfDay();
    const std::string dateTime = platform().FormatDateTime();
    if (time != platform().FormatTimeOfDay())
      continue;
    char date[128] = {};
    ASSERT_GT(
        ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date),
        0);
    ASSERT_FALSE(time.empty());
    EXPECT_NE(std::string::npos, time.find_first_of("0123456789"));
    EXPECT_EQ(std::string(date) + " " + time, dateTime);
    return;
  }
  FAIL() << "the time of day never held still";
}

} // namespace
} // namespace vantrel::testing
