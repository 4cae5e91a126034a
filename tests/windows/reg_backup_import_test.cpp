// The registry backup that a delay of a Run value leaves, made by the real
// platform: its bytes (UTF-16 when it holds more than ASCII), and Wine's
// own regedit putting the exact value back into the Run key from it.
#include <gtest/gtest.h>

#include <string>

#include "vantrel/app/app_context.h"
#include "vantrel/moves/registry_backup.h"
#include "vantrel/moves/registry_moves.h"
#include "windows/moves_rig.h"

namespace vantrel::testing::moves {
namespace {

struct Case {
  const char* name;
  std::string value;
  std::string data;
  std::string valueLine;
};

TEST(RegBackupImport, RegeditPutsTheBackedUpValueBack) {
  const std::vector<Case> cases = {
      {"the example", "Tool", "C:\\T\\t.exe /q", "\"Tool\"=\"C:\\\\T\\\\t.exe /q\""},
      {"quotes, a blank path and an =", "Vantrel Backup \"Test\"",
       "\"C:\\Program Files\\A\\agent.exe\" -x a=1",
       "\"Vantrel Backup \\\"Test\\\"\"=\"\\\"C:\\\\Program Files\\\\A\\\\agent.exe\\\" -x a=1\""},
      // 東京 = C:\程序\rec.exe 漢字, written as UTF-16 with a byte-order mark.
      {"names in CJK", "\xE6\x9D\xB1\xE4\xBA\xAC",
       "C:\\\xE7\xA8\x8B\xE5\xBA\x8F\\rec.exe \xE6\xBC\xA2\xE5\xAD\x97",
       "\"\xE6\x9D\xB1\xE4\xBA\xAC\"=\"C:\\\\\xE7\xA8\x8B\xE5\xBA\x8F\\\\rec.exe "
       "\xE6\xBC\xA2\xE5\xAD\x97\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string folder = NewScratchFolder();
    {
      RegValueGuard runValue(HKEY_CURRENT_USER, kRunKey, c.value);
      CreatedKeysGuard storeKeys(kUserStore);
      RegValueGuard storedValue(HKEY_CURRENT_USER, kUserStore, c.value);
      ScratchProgramPlatform platform(folder);
      AppContext context(platform);
      SetDefaultTables(context.Store);
      context.Store.CurrentUserItemsFolder = folder + "\\Vantrel Items\\Current User\\";
      context.Store.AllUsersItemsFolder = folder + "\\Vantrel Items\\All Users\\";
      CDelayLoad store = context.NewDelayLoad();
      items::MoveSession session(context, store, 0,
                                 [] { return items::LocalTime{2026, 6, 12, 14, 5, 9}; });

      ASSERT_TRUE(WriteRegText(HKEY_CURRENT_USER, kRunKey, c.value, c.data));
      ASSERT_TRUE(items::DelayRegistryItem(session, c.value + "=" + c.data,
                                           ItemKind::kCurrentUserRunValue, items::MoveTo::kDelayed,
                                           items::From::kListed));
      EXPECT_TRUE(session.failures.empty());
      EXPECT_EQ(ReadRegText(HKEY_CURRENT_USER, kRunKey, c.value), std::nullopt);
      EXPECT_EQ(ReadRegText(HKEY_CURRENT_USER, kUserStore, c.value), c.data);

      const std::string backup = folder + "\\Delayed Registry\\2026-06-12\\14 05 09.reg";
      const std::string expected =
          "Windows Registry Editor Version 5.00\r\n\r\n"
          "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n" +
          c.valueLine + "\r\n";
      EXPECT_EQ(ReadFileBytes(backup), items::RegFileBytes(expected));

      // The user puts it back by hand.
      EXPECT_EQ(RunAndWait("regedit.exe /s \"" + backup + "\""), 0u);
      EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kRunKey, c.value),
                (RegText{REG_SZ, c.data + '\0'}));
    }
    RemoveTree(folder);
  }
}

} // namespace
} // namespace vantrel::testing::moves
