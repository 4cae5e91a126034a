// Items that come back: a program Vantrel holds as delayed or stopped
// writes its Run value or Startup shortcut again. Found by name in its own
// scope, marked in the tree, taken back by the command as it was (the new
// command winning, the old one in the backup), and at login left to
// Windows, noticed during the run's waits and taken back with the option.

#include <gtest/gtest.h>

#include "common/store/proggroup_reader.h"
#include "common/store/proggroup_writer.h"
#include "login_test_support.h"
#include "native/fake_main_window.h"
#include "vantrel/login/start_delay.h"
#include "vantrel/moves/item_commands.h"
#include "vantrel/moves/take_back.h"
#include "vantrel/tree/returned_items.h"

namespace vantrel::moves_test {
namespace {

namespace st = startup_tree;
using items::ItemCommands;

// Chat (a delayed Run value of delay 7), Sync (a stopped one), note.lnk (a
// delayed shortcut) and pad.lnk (a stopped one), all for the current user.
struct ReturnMachine : MovesMachine {
  ReturnMachine() {
    context.Store.StartupType = 1;
    world.RegSetString(kHkeyCurrentUser, kUserStore, "Chat", "C:\\Chat\\chat.exe -tray");
    world.RegSetString(kHkeyCurrentUser, kUserStore, "Sync", "C:\\Sync\\sync.exe");
    world.AddFile(kCurrentUserItems + "note.lnk", "old note");
    world.AddFile(kCurrentUserItems + "pad.lnk", "old pad");
    SetModel({Program("ExecuteReg", "C:\\Chat\\chat.exe ", "-tray", "Chat", 7),
              Program("Execute", "note.lnk", "", "", 3)},
             {"_REGCU_C:\\Sync\\sync.exe", "_STPCU_pad.lnk"});
  }
  std::vector<ReturnedItem> Returned() {
    StartupItemLists lists = ReadStartupLocations(context);
    return FindReturnedItems(platform, context.Store, lists);
  }
  std::vector<std::string> ReturnedTexts() {
    std::vector<std::string> texts;
    for (const ReturnedItem& item : Returned())
      texts.push_back(std::to_string(static_cast<int>(item.kind)) +
                      (item.delayed ? " delayed " : " stopped ") + item.Text());
    return texts;
  }
};

TEST(ReturnedItems, FoundByNameInTheirOwnScope) {
  struct Case {
    std::string what;
    std::function<void(ReturnMachine&)> change;
    std::vector<std::string> returned;
  };
  const std::vector<Case> cases = {
      {"nothing came back", [](ReturnMachine&) {}, {}},
      {"value names compare in any case",
       [](ReturnMachine& m) { m.AddRunValue(kHkeyCurrentUser, "CHAT", "C:\\Chat\\chat.exe"); },
       {"1 delayed CHAT=C:\\Chat\\chat.exe"}},
      {"a stopped value by its stored value's name",
       [](ReturnMachine& m) { m.AddRunValue(kHkeyCurrentUser, "Sync", "C:\\Sync\\sync.exe"); },
       {"1 stopped Sync=C:\\Sync\\sync.exe"}},
      {"the other hive's Run key is another scope",
       [](ReturnMachine& m) { m.AddRunValue(kHkeyLocalMachine, "Chat", "C:\\Chat\\chat.exe"); },
       {}},
      {"a value of another name that starts the same program is not it",
       [](ReturnMachine& m) { m.AddRunValue(kHkeyCurrentUser, "Chat2", "C:\\Chat\\chat.exe"); },
       {}},
      {"shortcuts by file name in any case, delayed and stopped",
       [](ReturnMachine& m) {
         m.world.AddFile(kUserStartup + "\\Note.lnk", "new");
         m.world.AddFile(kUserStartup + "\\pad.lnk", "new");
       },
       {"3 delayed Note.lnk", "3 stopped pad.lnk"}},
      {"the all users' Startup folder is another scope",
       [](ReturnMachine& m) { m.world.AddFile(kCommonStartup + "\\note.lnk", "new"); },
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReturnMachine m;
    c.change(m);
    EXPECT_EQ(m.ReturnedTexts(), c.returned);
  }
}

struct ReturnCommands : ReturnMachine {
  ReturnCommands() { window.RefreshData(); }
  FakeWindow window{*this};
  ItemCommands commands{window};
  void Select(std::string_view category, const std::string& text) {
    window.selected = window.Item(category, text);
  }
};

TEST(ReturnedItems, MarkedInTheTreeAndTakenBackByTheCommandAsTheyWere) {
  ReturnCommands m;
  m.AddRunValue(kHkeyCurrentUser, "Sync", "C:\\Sync\\sync.exe");
  m.AddRunValue(kHkeyCurrentUser, "chat", "C:\\Chat\\chat.exe -tray");
  m.AddRunValue(kHkeyCurrentUser, "Tool", "C:\\T\\t.exe");
  m.window.RefreshData();
  const auto node = [&](const std::string& text) {
    return m.window.tree.At(m.window.Item(st::kCurrentUserRegistry, text));
  };
  // The mark: the picture of the branch Vantrel keeps it in, and the tag
  // of the Take Back popup; an item Vantrel does not hold stays plain.
  EXPECT_EQ(node("Sync=C:\\Sync\\sync.exe").image, st::image::kStopped);
  EXPECT_EQ(node("chat=C:\\Chat\\chat.exe -tray").image, st::image::kDelay);
  EXPECT_EQ(node("Sync=C:\\Sync\\sync.exe").tag, st::kReturnedTag);
  EXPECT_EQ(node("Tool=C:\\T\\t.exe").tag, st::kPopupTag);
  EXPECT_EQ(node("Tool=C:\\T\\t.exe").image, st::image::kNone);

  // Its popup offers Take Back (first) and Search Online only; its tool tip
  // says it came back.
  m.Select(st::kCurrentUserRegistry, "Sync=C:\\Sync\\sync.exe");
  m.window.events.clear();
  m.commands.TreeMouseUp(kRightButton);
  m.commands.TreeMouseMove(m.window.selected);
  EXPECT_EQ(m.window.events,
            (std::vector<std::string>{"popup:back:00001", "options",
                                      "tip:" + items::ReturnedItemTip(m.context.Text)}));
  const auto menu = items::BuildItemPopupMenu(m.context.Text, items::ReturnedItemPopupState());
  ASSERT_EQ(menu.size(), 6u);
  EXPECT_EQ(menu[0].entry, ItemPopupEntry::kTakeBack);
  m.commands.ItemPopupCommand(ItemPopupEntry::kDelay); // not offered: nothing happens
  EXPECT_TRUE(m.RunValue(kHkeyCurrentUser, "Sync"));

  // Take Back: the stopped value is stopped again, the delayed one delayed
  // again with its delay 7, each with a registry backup.
  m.commands.ItemPopupCommand(ItemPopupEntry::kTakeBack);
  m.Select(st::kCurrentUserRegistry, "chat=C:\\Chat\\chat.exe -tray");
  m.commands.ItemPopupCommand(ItemPopupEntry::kTakeBack);
  EXPECT_TRUE(m.MessageTexts().empty());
  EXPECT_EQ(m.window.Items(st::kCurrentUserRegistry),
            std::vector<std::string>{"Tool=C:\\T\\t.exe"});
  EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "Sync"), "C:\\Sync\\sync.exe");
  EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "chat"), "C:\\Chat\\chat.exe -tray");
  EXPECT_EQ(m.Stopped(), (std::vector<std::string>{"_REGCU_C:\\Sync\\sync.exe", "_STPCU_pad.lnk"}));
  const std::vector<ProgramEntry> delayed = m.Delayed();
  ASSERT_EQ(delayed.size(), 2u);
  EXPECT_EQ(delayed[1].Delay, 7);
  EXPECT_EQ(delayed[1].RegistryName, "chat");
  EXPECT_EQ(delayed[1].Path, "C:\\Chat\\chat.exe");
  EXPECT_EQ(delayed[1].Parameters, "-tray");
  EXPECT_EQ(m.BackupFiles(), (std::vector<std::string>{"14 05 09 (2).reg", "14 05 09.reg"}));
  EXPECT_TRUE(m.Returned().empty());
}

TEST(ReturnedItems, TheRewrittenCommandWinsAndTheOldOneIsInTheBackup) {
  ReturnCommands m;
  m.AddRunValue(kHkeyCurrentUser, "Chat", "\"C:\\Chat 2\\chat.exe\" --minimized");
  m.AddRunValue(kHkeyCurrentUser, "Sync", "C:\\Sync2\\sync.exe /b");
  m.world.AddFile(kUserStartup + "\\note.lnk", "new note");
  m.window.RefreshData();
  for (const std::string text :
       {"Chat=\"C:\\Chat 2\\chat.exe\" --minimized", "Sync=C:\\Sync2\\sync.exe /b"}) {
    m.Select(st::kCurrentUserRegistry, text);
    m.commands.ItemPopupCommand(ItemPopupEntry::kTakeBack);
  }
  m.Select(st::kCurrentUserStartup, "note.lnk");
  m.commands.ItemPopupCommand(ItemPopupEntry::kTakeBack);
  EXPECT_TRUE(m.MessageTexts().empty());

  EXPECT_FALSE(m.RunValue(kHkeyCurrentUser, "Chat"));
  EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "Chat"), "\"C:\\Chat 2\\chat.exe\" --minimized");
  EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, "Sync"), "C:\\Sync2\\sync.exe /b");
  // The stopped entry follows the program's new path, by which it finds
  // its value; the delayed record keeps its delay.
  EXPECT_EQ(m.Stopped(),
            (std::vector<std::string>{"_STPCU_pad.lnk", "_REGCU_C:\\Sync2\\sync.exe"}));
  EXPECT_EQ(m.window.Items(st::kDelayedRegistryCurrentUser),
            std::vector<std::string>{"Chat=\"C:\\Chat 2\\chat.exe\" --minimized"});
  EXPECT_EQ(m.Delayed()[1].Delay, 7);

  // Each backup holds the kept command first, then the one that won.
  const std::string header =
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n";
  EXPECT_EQ(m.BackupText("14 05 09.reg"),
            header + "\"Chat\"=\"C:\\\\Chat\\\\chat.exe -tray\"\r\n"
                     "\"Chat\"=\"\\\"C:\\\\Chat 2\\\\chat.exe\\\" --minimized\"\r\n");
  EXPECT_EQ(
      m.BackupText("14 05 09 (2).reg"),
      header +
          "\"Sync\"=\"C:\\\\Sync\\\\sync.exe\"\r\n\"Sync\"=\"C:\\\\Sync2\\\\sync.exe /b\"\r\n");
  // The new shortcut wins; the old one is kept under the backup folder.
  EXPECT_EQ(m.world.ReadFile(kCurrentUserItems + "note.lnk"), "new note");
  EXPECT_FALSE(m.world.Exists(kUserStartup + "\\note.lnk"));
  EXPECT_EQ(m.world.ReadFile(kBackupDay + "\\14 05 09 note.lnk"), "old note");
  EXPECT_TRUE(m.Returned().empty());
}

} // namespace
} // namespace vantrel::moves_test

namespace vantrel::login_test {
namespace {

const std::string kUserStore = "Software\\Korvane\\Vantrel\\HKCU";

// Chat is delayed (stored, recorded, delay 0), then Later (delay 10).
// Started, Chat writes its Run value again at once, as such programs do.
struct ReturnLogin : LoginRig {
  explicit ReturnLogin(bool takeBack) {
    context.CurrentUserStartupFolder = installed::kUserStartup;
    context.AllUsersStartupFolder = installed::kCommonStartup;
    world.RegSetString(kHkeyCurrentUser, kUserStore, "Chat", "C:\\Chat\\chat.exe");
    SetStartup({Program("ExecuteReg", "C:\\Chat\\chat.exe", 0),
                Program("ExecuteReg", "C:\\Later\\later.exe", 10)});
    context.Store.ProgramGroups[0].Programs[0].RegistryName = "Chat";
    context.Store.ProgramGroups[0].Programs[1].RegistryName = "Later";
    context.Store.TakeBackReturnedItems = takeBack;
    platform.shellExecuteFails = [this](const sim::ShellExecuteRecord& call) {
      if (call.file == "C:\\Chat\\chat.exe")
        world.RegSetString(kHkeyCurrentUser, kRunKey, "Chat", "C:\\Chat\\chat.exe");
      return false;
    };
  }
  void Run() {
    LoadHiddenWindow();
    StartDelay(context, window);
  }
  int ChatStarts() const {
    int starts = 0;
    for (const auto& call : platform.shellExecutes())
      starts += call.file == "C:\\Chat\\chat.exe";
    return starts;
  }
};

const std::string kChatWhere =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Chat";

TEST(ReturnedAtLogin, NoticedDuringTheRunNotStartedTwiceAndTakenBackWithTheOption) {
  for (const bool takeBack : {true, false}) {
    SCOPED_TRACE(takeBack ? "option on" : "option off");
    ReturnLogin first(takeBack);
    first.Run();
    // Noticed while the run waits for Later, at the moment Chat wrote it.
    std::vector<std::string> expected = {
        "Info: 08:00:00  Waiting for 30 seconds.",
        "Info: 08:00:30  Wait over.",
        "Info: 08:00:30 Waiting for 0 seconds.",
        "Info: 08:00:30  C:\\Chat\\chat.exe ",
        "Info: 08:00:30 Waiting for 10 seconds.",
        "Info: 08:00:30  Came back to Windows' startup (delayed in Vantrel): " + kChatWhere};
    if (takeBack)
      expected.push_back("Info: 08:00:30  Taken back into Vantrel's care: " + kChatWhere);
    expected.push_back("Info: 08:00:40  C:\\Later\\later.exe ");
    EXPECT_EQ(first.LogLines(), expected);
    EXPECT_EQ(first.world.RegGetString(kHkeyCurrentUser, kRunKey, "Chat").has_value(), !takeBack);
    EXPECT_EQ(first.world.RegGetString(kHkeyCurrentUser, kUserStore, "Chat"), "C:\\Chat\\chat.exe");
    EXPECT_EQ(first.platform.openWatches(), 0u);
    EXPECT_FALSE(first.context.WaitForMessagesHook);

    // The next login: taken back, Vantrel starts it once again; left in
    // the Run key, Windows starts it and Vantrel does not.
    ReturnLogin second(takeBack);
    second.world.RegSetString(kHkeyCurrentUser, kUserStore, "Chat", "C:\\Chat\\chat.exe");
    if (!takeBack)
      second.world.RegSetString(kHkeyCurrentUser, kRunKey, "Chat", "C:\\Chat\\chat.exe");
    second.platform.shellExecuteFails = nullptr;
    second.Run();
    EXPECT_EQ(second.ChatStarts(), takeBack ? 1 : 0);
    const std::vector<std::string> log = second.LogLines();
    ASSERT_FALSE(log.empty());
    if (!takeBack) {
      EXPECT_EQ(log[0], "Info: 08:00:00  Came back to Windows' startup (delayed in Vantrel): " +
                            kChatWhere);
      EXPECT_NE(std::find(log.begin(), log.end(),
                          "Info: 08:00:30  Not started: C:\\Chat\\chat.exe  - it is back in "
                          "Windows' startup, which starts it at this login (" +
                              kChatWhere + ")."),
                log.end());
    }
  }
}

} // namespace
} // namespace vantrel::login_test

namespace vantrel::login_test {
namespace {

// A 32-bit installer's program writes its value into the 32-bit view of
// the machine's Run key: the run watches that view too, and takes the
// value back into the 32-bit view of the store.
TEST(ReturnedAtLogin, AValueBackInThe32BitViewIsNoticedAndTakenBack) {
  const std::string wowStore = "Software\\WOW6432Node\\Korvane\\Vantrel\\HKLM";
  const std::string wowRun = "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
  LoginRig rig;
  rig.world.RegSetString(kHkeyLocalMachine, wowStore, "Agent", "C:\\x86\\agent.exe");
  // 64-bit Windows has the 32-bit view's Run key, whatever it holds.
  rig.world.RegSetString(kHkeyLocalMachine, wowRun, "Other", "C:\\x86\\other.exe");
  rig.SetStartup({Program("ExecuteRegAU", "C:\\x86\\agent.exe", 0),
                  Program("ExecuteReg", "C:\\Later\\later.exe", 10)});
  rig.context.Store.ProgramGroups[0].Programs[0].RegistryName = "Agent";
  rig.context.Store.TakeBackReturnedItems = true;
  rig.platform.shellExecuteFails = [&](const sim::ShellExecuteRecord& call) {
    if (call.file == "C:\\x86\\agent.exe")
      rig.world.RegSetString(kHkeyLocalMachine, wowRun, "Agent", "C:\\x86\\agent.exe -again");
    return false;
  };
  rig.LoadHiddenWindow();
  StartDelay(rig.context, rig.window);
  const std::string where = "HKEY_LOCAL_MACHINE\\SOFTWARE\\" + wowRun.substr(9) + "\\Agent";
  const std::vector<std::string> log = rig.LogLines();
  EXPECT_NE(
      std::find(log.begin(), log.end(),
                "Info: 08:00:30  Came back to Windows' startup (delayed in Vantrel): " + where),
      log.end())
      << ::testing::PrintToString(log);
  EXPECT_NE(
      std::find(log.begin(), log.end(), "Info: 08:00:30  Taken back into Vantrel's care: " + where),
      log.end());
  EXPECT_FALSE(rig.world.RegGetString(kHkeyLocalMachine, wowRun, "Agent").has_value());
  EXPECT_EQ(rig.world.RegGetString(kHkeyLocalMachine, wowStore, "Agent"),
            "C:\\x86\\agent.exe -again");
  EXPECT_FALSE(
      rig.world.RegGetString(kHkeyLocalMachine, "Software\\Korvane\\Vantrel\\HKLM", "Agent")
          .has_value());
}

} // namespace
} // namespace vantrel::login_test
