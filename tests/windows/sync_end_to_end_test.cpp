// VantrelSync.exe end to end: a real program folder, real registry stores
// and item folders, and the program started as its own process. Its final
// message box is read and answered as a user would.
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "common/store/proggroup_writer.h"
#include "native/crlf_text.h"
#include "windows/moves_rig.h"

namespace vantrel::testing::moves {
namespace {

using test_text::CrLf;

// Vantrel's real registry stores (empty in the test prefix) get their
// values back afterwards as they were.
TEST(SyncEndToEnd, SyncRebuildsTheFileFromTheRealStores) {
  constexpr const char* kMachineStore = "Software\\Korvane\\Vantrel\\HKLM";
  std::vector<Undo> held; // the values go back before their keys
  for (const auto& [root, path] :
       {std::pair{HKEY_CURRENT_USER, kUserStore}, std::pair{HKEY_LOCAL_MACHINE, kMachineStore}})
    for (const char* name : {"Agent", "Empty", "", "Updater"})
      held.push_back(HoldRegValue(root, path, name));
  held.push_back(HoldNewKeys(kUserStore));
  held.push_back(HoldNewKeys(kMachineStore, HKEY_LOCAL_MACHINE));
  const std::string folder = NewScratchFolder();
  const std::string user = folder + "\\" + UserName();
  const std::string items = folder + "\\Vantrel Items\\";
  ASSERT_TRUE(CopyBuiltExe("VantrelSync.exe", folder));
  for (const std::string& sub : {items, items + "Current User", items + "All Users", user})
    ASSERT_TRUE(::CreateDirectoryA(sub.c_str(), nullptr)) << sub;
  WriteFileBytes(items + "Current User\\Notes.lnk", "shortcut");
  WriteFileBytes(items + "All Users\\Backup.lnk", "shortcut");
  for (const auto& [name, data] : {std::pair{"Agent", "\"C:\\Program Files\\Agent\\agent.exe\" -q"},
                                   {"Empty", ""},
                                   {"", "C:\\Tools\\nameless.exe"}})
    ASSERT_TRUE(WriteRegValue(HKEY_CURRENT_USER, kUserStore, name, Sz(data)));
  // HKEY_LOCAL_MACHINE takes writes only from an administrator, which the
  // Wine prefix's user is.
  ASSERT_TRUE(WriteRegValue(HKEY_LOCAL_MACHINE, kMachineStore, "Updater",
                            Sz("C:\\Tools\\update.bat /silent")));
  WriteFileBytes(user + "\\proggroup.c", "// the user's own file\r\n");

  std::string boxText;
  std::thread answer([&] {
    for (int i = 0; i < 600; ++i, ::Sleep(100)) {
      if (HWND box = ::FindWindowA("#32770", "VantrelSync")) {
        ::Sleep(200);        // let the box finish setting itself up
        boxText.resize(512); // a message box's text is its item 0xFFFF
        boxText.resize(::GetDlgItemTextA(box, 0xFFFF, boxText.data(), 512));
        ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return;
      }
    }
  });
  EXPECT_EQ(RunAndWait("\"" + folder + "\\VantrelSync.exe\" SYNC"), 0u) << "ended by itself";
  answer.join();
  EXPECT_EQ(boxText, "Synchronization complete!");

  // Everything before the group as VantrelSync always writes it (pinned
  // by the golden file sync_two_items.c), then one line for each item; the
  // user's file kept as the backup, and nothing else.
  const std::string empty = store::FormatSyncProgGroup({ProgramGroup{"Startup", {}}});
  EXPECT_EQ(
      ReadFileBytes(user + "\\proggroup.c"),
      empty.substr(0, empty.find("void Startup()")) +
          CrLf({"void Startup()", "{", "     Execute (\"Notes.lnk\", \"\", 0, \"\");",
                "     ExecuteAU (\"Backup.lnk\", \"\", 0, \"\");",
                "     ExecuteReg (\"<&22>C:\\Program Files\\Agent\\agent.exe<&22>\", "
                "\"-q\", 0, \"Agent\");",
                "     ExecuteRegAU (\"C:\\Tools\\update.bat /silent\", \"\", 0, \"Updater\");", "}",
                ""}));
  EXPECT_EQ(ReadFileBytes(user + "\\proggroup.c.bak"), "// the user's own file\r\n");
  WIN32_FIND_DATAA found{};
  win32::UniqueFind search(::FindFirstFileA((user + "\\*.*").c_str(), &found));
  int files = 0;
  for (bool more = search.valid(); more; more = ::FindNextFileA(search.get(), &found))
    files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
  EXPECT_EQ(files, 2);
  EXPECT_EQ(ReadFileBytes(folder + "\\log.txt"),
            CrLf({"Warning: Starting Synchronization....", "Info: Finishing Synchronization...."}));
  RemoveTree(folder);
}

} // namespace
} // namespace vantrel::testing::moves
