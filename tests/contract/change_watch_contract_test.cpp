// Change notifications on a registry key and a folder, waited on with the
// message queue: a change ends the wait with the watch's index, the watch
// is armed again, and nothing else ends it before its time.
#include "contract/contract_fixture.h"

namespace vantrel::testing {
namespace {

using ChangeWatchContract = ContractTest;

// Waits that a change would end well within; the quiet ones are short.
constexpr std::uint32_t kChangeMs = 2000;
constexpr std::uint32_t kQuietMs = 100;

TEST_F(ChangeWatchContract, KeysAndFoldersReportTheirChangesWithTheirIndex) {
  Platform& p = platform();
  setRaw("seed", kRegSz, std::string("x\0", 2));
  const ChangeWatch keyWatch = p.WatchRegistryKey(kHkeyCurrentUser, key());
  const ChangeWatch folderWatch = p.WatchFolder(dir());
  ASSERT_TRUE(keyWatch != 0 && folderWatch != 0);
  const std::vector<ChangeWatch> both = {keyWatch, folderWatch};
  EXPECT_EQ(p.WaitForMessagesOrChanges(both, kQuietMs), -1);

  // A value set: the key's index, once.
  setRaw("Chat", kRegSz, std::string("C:\\chat.exe\0", 13));
  EXPECT_EQ(p.WaitForMessagesOrChanges(both, kChangeMs), 0);
  EXPECT_EQ(p.WaitForMessagesOrChanges(both, kQuietMs), -1);

  // A value deleted is a change too.
  RegKey handle = 0;
  ASSERT_EQ(p.RegOpenKey(kHkeyCurrentUser, key(), &handle), win32err::kSuccess);
  EXPECT_EQ(p.RegDeleteValue(handle, "Chat"), win32err::kSuccess);
  p.RegCloseKey(handle);
  EXPECT_EQ(p.WaitForMessagesOrChanges(both, kChangeMs), 0);

  // A file created in the folder: the folder's index. Creating and writing
  // may be reported as more than one change.
  writeFile("chat.lnk", "shortcut");
  EXPECT_EQ(p.WaitForMessagesOrChanges(both, kChangeMs), 1);
  while (p.WaitForMessagesOrChanges(both, kQuietMs) == 1) {
  }

  // A closed watch reports nothing; what is not there cannot be watched.
  p.CloseWatch(keyWatch);
  setRaw("Chat", kRegSz, std::string("C:\\chat.exe\0", 13));
  EXPECT_EQ(p.WaitForMessagesOrChanges({keyWatch}, kQuietMs), -1);
  p.CloseWatch(folderWatch);
  EXPECT_EQ(p.WatchRegistryKey(kHkeyCurrentUser, key("missing")), 0u);
  EXPECT_EQ(p.WatchFolder(dir("missing")), 0u);
}

} // namespace
} // namespace vantrel::testing
