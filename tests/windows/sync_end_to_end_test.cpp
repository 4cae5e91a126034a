// VantrelSync.exe end to end: a real program folder, real registry stores
// and item folders, and the program started as its own process. Its final
// message box is read and answered as a user would.
#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "common/dir_struct.h"
#include "common/store/proggroup_writer.h"
#include "native/crlf_text.h"
#include "windows/moves_rig.h"

namespace vantrel::testing {
namespace {

using test_text::CrLf;

// Both of Vantrel's real registry stores are held empty for the test and
// given back afterwards as they were.
TEST(SyncEndToEnd, SyncRebuildsTheFileFromTheRealStores) {
  const std::vector<std::pair<HKEY, std::string>> stores = {
      {HKEY_CURRENT_USER, moves::kUserStore},
      {HKEY_LOCAL_MACHINE, "Software\\Korvane\\Vantrel\\HKLM"}};
  std::vector<std::unique_ptr<moves::CreatedKeysGuard>> keys;
  std::vector<std::unique_ptr<moves::RegValueGuard>> values;
  for (const auto& [root, path] : stores) {
    keys.push_back(std::make_unique<moves::CreatedKeysGuard>(path, root));
    std::vector<std::string> names = moves::RegValueNames(root, path);
    for (const char* written : {"Agent", "Empty", "", "Updater"})
      names.emplace_back(written);
    for (const std::string& name : names)
      values.push_back(std::make_unique<moves::RegValueGuard>(root, path, name));
  }
  const std::string folder = NewScratchFolder();
  const std::string user = UserName();
  const std::string items = folder + "\\Vantrel Items\\";
  ASSERT_TRUE(CopyBuiltExe("VantrelSync.exe", folder));
  for (const std::string& sub :
       {items, items + "Current User", items + "All Users", folder + "\\" + user})
    ASSERT_TRUE(::CreateDirectoryA(sub.c_str(), nullptr)) << sub;
  moves::WriteFileBytes(items + "Current User\\Notes.lnk", "shortcut");
  moves::WriteFileBytes(items + "All Users\\Backup.lnk", "shortcut");
  const auto [userRoot, userStore] = stores[0];
  ASSERT_TRUE(moves::WriteRegText(userRoot, userStore, "Agent",
                                  "\"C:\\Program Files\\Agent\\agent.exe\" -q"));
  ASSERT_TRUE(moves::WriteRegText(userRoot, userStore, "Empty", ""));
  ASSERT_TRUE(moves::WriteRegText(userRoot, userStore, "", "C:\\Tools\\nameless.exe"));
  // HKEY_LOCAL_MACHINE takes writes only from an administrator, which the
  // Wine prefix's user is.
  ASSERT_TRUE(moves::WriteRegText(stores[1].first, stores[1].second, "Updater",
                                  "C:\\Tools\\update.bat /silent"));
  const std::string progGroup = folder + "\\" + user + "\\proggroup.c";
  moves::WriteFileBytes(progGroup, "// the user's own file\r\n");

  // The box that ends the run is read and answered as a user would.
  std::string boxText;
  std::thread answer([&] {
    for (int i = 0; i < 600; ++i, ::Sleep(100)) {
      if (HWND box = ::FindWindowA("#32770", "VantrelSync")) {
        ::Sleep(200); // let the box finish setting itself up
        char text[512] = {};
        ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text); // a message box's text
        boxText = text;
        ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return;
      }
    }
  });
  const auto exitCode = moves::RunAndWait("\"" + folder + "\\VantrelSync.exe\" SYNC");
  answer.join();
  EXPECT_EQ(exitCode, 0u) << "ended by itself, with 0";
  EXPECT_EQ(boxText, "Synchronization complete!");

  // Everything before the group as VantrelSync always writes it (pinned
  // by the golden file sync_two_items.c), then one line for each item.
  const std::string empty = store::FormatSyncProgGroup({ProgramGroup{"Startup", {}}});
  const std::string expected =
      empty.substr(0, empty.find("void Startup()")) +
      CrLf({"void Startup()", "{", "     Execute (\"Notes.lnk\", \"\", 0, \"\");",
            "     ExecuteAU (\"Backup.lnk\", \"\", 0, \"\");",
            "     ExecuteReg (\"<&22>C:\\Program Files\\Agent\\agent.exe<&22>\", "
            "\"-q\", 0, \"Agent\");",
            "     ExecuteRegAU (\"C:\\Tools\\update.bat /silent\", \"\", 0, \"Updater\");", "}",
            ""});
  EXPECT_EQ(expected, moves::ReadFileBytes(progGroup));
  EXPECT_EQ("// the user's own file\r\n", moves::ReadFileBytes(progGroup + ".bak"));
  win32::Win32Platform platform;
  std::vector<std::string> names;
  CDirStruct(platform).ReturnFiles(folder + "\\" + user, names);
  std::sort(names.begin(), names.end());
  EXPECT_EQ((std::vector<std::string>{"proggroup.c", "proggroup.c.bak"}), names);
  EXPECT_EQ(CrLf({"Warning: Starting Synchronization....", "Info: Finishing Synchronization...."}),
            moves::ReadFileBytes(folder + "\\log.txt"));
  RemoveTree(folder);
}

} // namespace
} // namespace vantrel::testing
