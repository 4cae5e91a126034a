// Items that come back: a program Vantrel holds as delayed or stopped
// writes its Run value or Startup shortcut again. Found by name in its own
// scope, marked in the tree, taken back by the command as it was (the new
// command winning, the old one in the backup), and at login left to
// Windows, noticed during the run's waits and taken back with the option.

#include <gtest/gtest.h>

#include "native/window_machine.h"
#include "vantrel/tree/returned_items.h"

namespace vantrel::moves_test {
namespace {

namespace st = startup_tree;

// Chat (a delayed Run value of delay 7), Sync (a stopped one), note.lnk (a
// delayed shortcut) and pad.lnk (a stopped one), all for the current user.
struct ReturnMachine : WindowMachine {
  ReturnMachine() {
    world.RegSetString(kHkeyCurrentUser, kUserStore, "Chat", "C:\\Chat\\chat.exe -tray");
    world.RegSetString(kHkeyCurrentUser, kUserStore, "Sync", "C:\\Sync\\sync.exe");
    world.AddFile(kCurrentUserItems + "note.lnk", "old note");
    world.AddFile(kCurrentUserItems + "pad.lnk", "old pad");
    SetModel({Program("ExecuteReg", "C:\\Chat\\chat.exe ", "-tray", "Chat", 7),
              Program("Execute", "note.lnk", "", "", 3)},
             {"_REGCU_C:\\Sync\\sync.exe", "_STPCU_pad.lnk"});
  }
  std::vector<std::string> Returned() {
    StartupItemLists lists = ReadStartupLocations(context);
    std::vector<std::string> texts;
    for (const ReturnedItem& item : FindReturnedItems(platform, context.Store, lists))
      texts.push_back(std::to_string(static_cast<int>(item.kind)) +
                      (item.delayed ? " delayed " : " stopped ") + item.Text());
    return texts;
  }
};

TEST(ReturnedItems, FoundByNameInTheirOwnScope) {
  ReturnMachine m;
  EXPECT_TRUE(m.Returned().empty());
  // Another hive's Run key or Startup folder is another scope; a value of
  // another name that starts the same program is not it.
  m.AddRunValue(kHkeyLocalMachine, "Chat", "C:\\Chat\\chat.exe");
  m.AddRunValue(kHkeyCurrentUser, "Chat2", "C:\\Chat\\chat.exe");
  m.world.AddFile(kCommonStartup + "\\note.lnk", "new");
  EXPECT_TRUE(m.Returned().empty());
  // Value names and shortcut file names compare in any case; a stopped
  // value comes back by its stored value's name.
  m.AddRunValue(kHkeyCurrentUser, "CHAT", "C:\\Chat\\chat.exe");
  m.AddRunValue(kHkeyCurrentUser, "Sync", "C:\\Sync\\sync.exe");
  m.world.AddFile(kUserStartup + "\\Note.lnk", "new");
  m.world.AddFile(kUserStartup + "\\pad.lnk", "new");
  EXPECT_EQ(m.Returned(), (std::vector<std::string>{"3 delayed Note.lnk", "3 stopped pad.lnk",
                                                    "1 delayed CHAT=C:\\Chat\\chat.exe",
                                                    "1 stopped Sync=C:\\Sync\\sync.exe"}));
}

// Sync and chat (its name in another case) come back with new commands,
// note.lnk as a new shortcut: marked, offered Take Back only, and taken
// back with the new command winning and the old one in the backup.
TEST(ReturnedItems, MarkedInTheTreeAndTakenBackWithTheNewCommand) {
  ReturnMachine m;
  m.AddRunValue(kHkeyCurrentUser, "Sync", "C:\\Sync2\\sync.exe /b");
  m.AddRunValue(kHkeyCurrentUser, "chat", "\"C:\\Chat 2\\chat.exe\" --minimized");
  m.AddRunValue(kHkeyCurrentUser, "Tool", "C:\\T\\t.exe");
  m.world.AddFile(kUserStartup + "\\note.lnk", "new note");
  m.window.RefreshData();
  // The mark: the picture of the branch Vantrel keeps it in, and the tag
  // of the Take Back popup; an item Vantrel does not hold stays plain.
  const auto node = [&](const std::string& text) {
    return m.window.tree.At(m.window.Item(st::kCurrentUserRegistry, text));
  };
  EXPECT_EQ(node("Sync=C:\\Sync2\\sync.exe /b").image, st::image::kStopped);
  EXPECT_EQ(node("chat=\"C:\\Chat 2\\chat.exe\" --minimized").image, st::image::kDelay);
  EXPECT_EQ(node("Sync=C:\\Sync2\\sync.exe /b").tag, st::kReturnedTag);
  EXPECT_EQ(node("Tool=C:\\T\\t.exe").tag + std::to_string(node("Tool=C:\\T\\t.exe").image),
            std::string(st::kPopupTag) + std::to_string(st::image::kNone));

  // Its popup offers Take Back only besides Search Online.
  items::ItemCommands commands(m.window);
  m.window.selected = m.window.Item(st::kCurrentUserRegistry, "Sync=C:\\Sync2\\sync.exe /b");
  m.window.events.clear();
  commands.TreeMouseUp(kRightButton);
  EXPECT_EQ(m.window.events.at(0), "popup:back:00001");
  commands.ItemPopupCommand(ItemPopupEntry::kDelay); // not offered: nothing happens
  EXPECT_TRUE(m.RunValue(kHkeyCurrentUser, "Sync"));
  m.Popup(st::kCurrentUserRegistry, "Sync=", ItemPopupEntry::kTakeBack);
  m.Popup(st::kCurrentUserRegistry, "chat=", ItemPopupEntry::kTakeBack);
  m.Popup(st::kCurrentUserStartup, "note.lnk", ItemPopupEntry::kTakeBack);
  EXPECT_EQ(m.window.Items(st::kCurrentUserRegistry),
            std::vector<std::string>{"Tool=C:\\T\\t.exe"});
  EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "Sync"), "C:\\Sync2\\sync.exe /b");
  EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "chat"), "\"C:\\Chat 2\\chat.exe\" --minimized");
  // The stopped entry follows the program's new path, by which it finds
  // its value; the delayed record keeps its delay and takes the new name.
  EXPECT_EQ(m.Stopped(),
            (std::vector<std::string>{"_STPCU_pad.lnk", "_REGCU_C:\\Sync2\\sync.exe"}));
  EXPECT_EQ(m.Delayed().at(1),
            Program("ExecuteReg", "\"C:\\Chat 2\\chat.exe\"", "--minimized", "chat", 7));

  // Each backup holds the kept command first, then the one that won.
  const std::string header =
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n";
  EXPECT_EQ(m.BackupFiles(),
            (std::vector<std::string>{"14 05 09 (2).reg", "14 05 09 note.lnk", "14 05 09.reg"}));
  EXPECT_EQ(
      m.BackupText("14 05 09.reg"),
      header +
          "\"Sync\"=\"C:\\\\Sync\\\\sync.exe\"\r\n\"Sync\"=\"C:\\\\Sync2\\\\sync.exe /b\"\r\n");
  // The new shortcut wins; the old one is kept under the backup folder.
  EXPECT_EQ(m.world.ReadFile(kCurrentUserItems + "note.lnk"), "new note");
  EXPECT_EQ(m.world.ReadFile(kBackupDay + "\\14 05 09 note.lnk"), "old note");
  EXPECT_TRUE(m.Returned().empty());
}

// Chat is delayed (stored, recorded, delay 0), then Later (delay 10), with
// the take-back option as given.
void DelayChatThenLater(login_test::LoginRig& r, RegKey root, const std::string& store,
                        const std::string& run, const std::string& command, bool takeBack) {
  r.context.CurrentUserStartupFolder = kUserStartup;
  r.context.AllUsersStartupFolder = kCommonStartup;
  r.world.registry().MakeKey(root, run);
  r.world.RegSetString(root, store, "Chat", "C:\\Chat\\chat.exe");
  r.SetStartup({login_test::Program(command, "C:\\Chat\\chat.exe", 0),
                login_test::Program("ExecuteReg", "C:\\Later\\later.exe", 10)});
  r.context.Store.ProgramGroups[0].Programs[0].RegistryName = "Chat";
  r.context.Store.TakeBackReturnedItems = takeBack;
  r.LoadHiddenWindow();
}

// The log of that run up to Chat's coming back, noticed in where.
std::vector<std::string> LogUntilChatCameBack(const std::string& where) {
  return {"Info: 08:00:00  Waiting for 30 seconds.",
          "Info: 08:00:30  Wait over.",
          "Info: 08:00:30 Waiting for 0 seconds.",
          "Info: 08:00:30  C:\\Chat\\chat.exe ",
          "Info: 08:00:30 Waiting for 10 seconds.",
          "Info: 08:00:30  Came back to Windows' startup (delayed in Vantrel): " + where};
}

// Started, Chat writes its Run value again at once, as such programs do:
// the run notices it while it waits, in the current user's Run key or in
// the 32-bit view of the machine's, and takes it back with the option
// (the crash-point test's login runs pin that a value back in the Run key
// is not started again).
TEST(ReturnedAtLogin, NoticedDuringTheRunAndTakenBackWithTheOption) {
  const std::string userWhere =
      "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Chat";
  const struct {
    const char* name;
    bool takeBack;
    RegKey root;
    std::string store, run, command, where;
  } rows[] = {
      {"option on", true, kHkeyCurrentUser, kUserStore, kRunKey, "ExecuteReg", userWhere},
      {"option off", false, kHkeyCurrentUser, kUserStore, kRunKey, "ExecuteReg", userWhere},
      {"32-bit view", true, kHkeyLocalMachine, kWowMachineStore, kWowRunKey, "ExecuteRegAU",
       "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run\\Chat"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    login_test::LoginRig r;
    DelayChatThenLater(r, row.root, row.store, row.run, row.command, row.takeBack);
    r.platform.shellExecuteFails = [&](const sim::ShellExecuteRecord& call) {
      if (call.file == "C:\\Chat\\chat.exe")
        r.world.RegSetString(row.root, row.run, "Chat", "C:\\Chat\\chat.exe -again");
      return false;
    };
    StartDelay(r.context, r.window);
    std::vector<std::string> expected = LogUntilChatCameBack(row.where);
    if (row.takeBack)
      expected.push_back("Info: 08:00:30  Taken back into Vantrel's care: " + row.where);
    expected.push_back("Info: 08:00:40  C:\\Later\\later.exe ");
    EXPECT_EQ(r.LogLines(), expected);
    EXPECT_EQ(r.world.RegGetString(row.root, row.run, "Chat").has_value(), !row.takeBack);
    EXPECT_EQ(r.world.RegGetString(row.root, row.store, "Chat"),
              row.takeBack ? "C:\\Chat\\chat.exe -again" : "C:\\Chat\\chat.exe");
    EXPECT_FALSE(r.world.RegGetString(kHkeyLocalMachine, kMachineStore, "Chat"));
    EXPECT_EQ(r.platform.openWatches(), 0u);
    EXPECT_FALSE(r.context.WaitForMessagesHook);
  }
}

// A program that writes its Run value again after the login run took it
// back is noticed and taken back anew; a take back that cannot write
// Vantrel's store says why and leaves the value to Windows.
TEST(ReturnedAtLogin, WrittenAgainIsNoticedAnewAndAFailedTakeBackSaysWhy) {
  const std::string where =
      "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Chat";
  for (const bool storeFails : {false, true}) {
    SCOPED_TRACE(storeFails ? "the store refuses" : "written twice");
    login_test::LoginRig r;
    DelayChatThenLater(r, kHkeyCurrentUser, kUserStore, kRunKey, "ExecuteReg", true);
    // Each start writes Chat's value again, with the starting program's
    // name as its switch.
    r.platform.shellExecuteFails = [&](const sim::ShellExecuteRecord& call) {
      r.world.RegSetString(kHkeyCurrentUser, kRunKey, "Chat",
                           "C:\\Chat\\chat.exe /" + call.file.substr(call.file.rfind('\\') + 1));
      return false;
    };
    if (storeFails)
      r.world.faults = [](sim::SimOp op, const std::string& subject) {
        return op == sim::SimOp::kRegSetValue && subject.find("Vantrel") != std::string::npos;
      };
    StartDelay(r.context, r.window);
    const std::string takenBack = "  Taken back into Vantrel's care: " + where;
    std::vector<std::string> expected = LogUntilChatCameBack(where);
    if (storeFails)
      expected.insert(expected.end(),
                      {"Warning: 08:00:30  Could not take back: " + where +
                           ". Its copy in Vantrel's store could not be read back, so it was left "
                           "where it was.",
                       "Info: 08:00:40  C:\\Later\\later.exe "});
    else
      expected.insert(
          expected.end(),
          {"Info: 08:00:30" + takenBack, "Info: 08:00:40  C:\\Later\\later.exe ",
           "Info: 08:00:40  Came back to Windows' startup (delayed in Vantrel): " + where,
           "Info: 08:00:40" + takenBack});
    EXPECT_EQ(r.LogLines(), expected);
    EXPECT_EQ(r.world.RegGetString(kHkeyCurrentUser, kRunKey, "Chat"),
              storeFails ? std::optional<std::string>("C:\\Chat\\chat.exe /later.exe")
                         : std::nullopt);
    EXPECT_EQ(r.world.RegGetString(kHkeyCurrentUser, kUserStore, "Chat"),
              storeFails ? "C:\\Chat\\chat.exe" : "C:\\Chat\\chat.exe /later.exe");
  }
}

} // namespace
} // namespace vantrel::moves_test
