// Run values as 64-bit Windows 10 and 11 hold them: REG_EXPAND_SZ data,
// the 32-bit view of the machine's Run key with its own branch, values a
// 32-bit Vantrel left in the 32-bit view of its all-users store, and values
// that are not text at all. Each case chains what a user does: a command
// from the real popup, the login run, putting back.
#include <gtest/gtest.h>

#include "common/text.h"
#include "login_test_support.h"
#include "moves_test_support.h"
#include "native/fake_main_window.h"
#include "vantrel/item_commands.h"
#include "vantrel/start_delay.h"
#include "vantrel/startup_tree.h"

namespace vantrel::moves_test {
namespace {

namespace st = startup_tree;
using items::ItemCommands;

const std::string kWowRunKey = "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kWowMachineStore = "Software\\WOW6432Node\\Korvane\\Vantrel\\HKLM";

std::string Sz(const std::string& text) {
  return text + std::string(1, '\0');
}

struct ViewsMachine : MovesMachine {
  ViewsMachine() {
    context.Store.StartupType = 1;
    context.Store.MainStartupDelay = 0;
    world.registry().MakeKey(kHkeyLocalMachine, "Software\\WOW6432Node");
  }
  void Refresh() { window.RefreshData(); }
  // Chooses the popup entry on the first item of the category whose text
  // begins with start.
  void Popup(std::string_view category, const std::string& start, ItemPopupEntry entry) {
    window.selected = TreeModel::kNoNode;
    const TreeModel::NodeId parent = window.tree.Find(category);
    ASSERT_NE(TreeModel::kNoNode, parent) << category;
    for (const TreeModel::NodeId child : window.tree.At(parent).children) {
      if (window.selected == TreeModel::kNoNode && StartsWith(window.tree.At(child).text, start))
        window.selected = child;
    }
    ASSERT_NE(TreeModel::kNoNode, window.selected) << start;
    ItemCommands(window).ItemPopupCommand(entry);
  }
  std::string Caption(std::string_view category) const {
    const TreeModel::NodeId node = window.tree.Find(category);
    return node == TreeModel::kNoNode ? "<none>" : window.tree.At(node).text;
  }
  // The program the login run starts, as "file|parameters" per start.
  std::vector<std::string> LoginRun() {
    login_test::FakeMainWindow main(context, world);
    main.Load();
    const std::size_t before = platform.shellExecutes().size();
    Reload();
    StartDelay(context, main);
    std::vector<std::string> started;
    for (std::size_t i = before; i < platform.shellExecutes().size(); ++i)
      started.push_back(platform.shellExecutes()[i].file + "|" +
                        platform.shellExecutes()[i].parameters);
    return started;
  }
  std::optional<std::uint32_t> Type(RegKey root, const std::string& key, const std::string& name) {
    const auto value = world.RegGetValue(root, key, name);
    return value ? std::optional<std::uint32_t>(value->type) : std::nullopt;
  }
  FakeWindow window{*this};
};

TEST(MovesViewsTypes, AnExpandableValueKeepsItsTypeThroughEveryCommand) {
  ViewsMachine m;
  const std::string data = "%SystemDrive%\\Tools\\agent.exe -q";
  m.world.RegSetRaw(kHkeyCurrentUser, kRunKey, "Agent", kRegExpandSz, Sz(data));
  m.Refresh();

  // Delay: the store holds it as REG_EXPAND_SZ, the backup as hex(2).
  m.Popup(st::kCurrentUserRegistry, "Agent=" + data, ItemPopupEntry::kDelay);
  EXPECT_EQ(kRegExpandSz, m.Type(kHkeyCurrentUser, kUserStore, "Agent"));
  EXPECT_FALSE(m.Type(kHkeyCurrentUser, kRunKey, "Agent"));
  ASSERT_EQ(1u, m.BackupFiles().size());
  EXPECT_EQ("Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
            "\"Agent\"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,44,00,72,00,69,00,76,\\\r\n"
            "  00,65,00,25,00,5c,00,54,00,6f,00,6f,00,6c,00,73,00,5c,00,61,00,67,00,65,00,\\\r\n"
            "  6e,00,74,00,2e,00,65,00,78,00,65,00,20,00,2d,00,71,00,00,00\r\n",
            m.BackupText(m.BackupFiles()[0]));

  // The login run starts the expanded program.
  EXPECT_EQ(std::vector<std::string>{"C:\\Tools\\agent.exe|-q"}, m.LoginRun());

  // Stop, delay again from the stopped branch, and put back: still
  // REG_EXPAND_SZ, with its data unexpanded.
  m.Refresh();
  m.Popup(st::kDelayedRegistryCurrentUser, "Agent=", ItemPopupEntry::kStop);
  EXPECT_EQ(kRegExpandSz, m.Type(kHkeyCurrentUser, kUserStore, "Agent"));
  m.Popup(st::kStoppedCurrentRegistry, "%SystemDrive%\\Tools\\agent.exe", ItemPopupEntry::kDelay);
  EXPECT_EQ(kRegExpandSz, m.Type(kHkeyCurrentUser, kUserStore, "Agent"));
  m.Popup(st::kDelayedRegistryCurrentUser, "Agent=", ItemPopupEntry::kRun);
  EXPECT_EQ(kRegExpandSz, m.Type(kHkeyCurrentUser, kRunKey, "Agent"));
  EXPECT_EQ(
      Sz(data),
      m.world.RegGetValue(kHkeyCurrentUser, kRunKey, "Agent").value_or(sim::SimRegValue{}).data);
  EXPECT_FALSE(m.Type(kHkeyCurrentUser, kUserStore, "Agent"));
  EXPECT_TRUE(m.Delayed().empty());
  EXPECT_TRUE(m.Stopped().empty());
  EXPECT_TRUE(m.MessageTexts().empty());
}

TEST(MovesViewsTypes, TheThirtyTwoBitViewHasItsOwnBranches) {
  ViewsMachine m;
  m.world.RegSetString(kHkeyLocalMachine, kWowRunKey, "Helper32", "C:\\x86\\helper.exe /tray");
  m.world.RegSetString(kHkeyLocalMachine, kRunKey, "Agent64", "C:\\agent.exe");
  // What a 32-bit Vantrel left: a delayed and a stopped value in the
  // 32-bit view of its store, with records of today's format.
  m.world.RegSetString(kHkeyLocalMachine, kWowMachineStore, "Old32", "C:\\x86\\old.exe -s");
  m.world.RegSetRaw(kHkeyLocalMachine, kWowMachineStore, "Exp32", kRegExpandSz,
                    Sz("%SystemDrive%\\x86\\exp.exe"));
  m.SetModel({Program("ExecuteRegAU", "C:\\x86\\old.exe ", "-s", "Old32")},
             {"_REGAU_%SystemDrive%\\x86\\exp.exe"});
  m.Refresh();

  const struct {
    std::string_view category;
    const char* caption;
  } captions[] = {
      {st::kAllUsersRoot, "All Users (2)"},
      {st::kAllUsersRegistry, "Registry Run (1)"},
      {st::kAllUsersRegistry32, "Registry Run 32-bit (1)"},
      {st::kDelayedAllUsers, "All Users (1)"},
      {st::kDelayedRegistryAllUsers, "Registry Run (0)"},
      {st::kDelayedRegistryAllUsers32, "Registry Run 32-bit (1)"},
      {st::kStoppedAll, "All Users (1)"},
      {st::kStoppedAllRegistry, "Registry (0)"},
      {st::kStoppedAllRegistry32, "Registry 32-bit (1)"},
  };
  for (const auto& row : captions) {
    SCOPED_TRACE(row.category);
    EXPECT_EQ(row.caption, m.Caption(row.category));
  }
  // Windows' own 32-bit items are shown, not moved, like their siblings.
  EXPECT_NE(TreeModel::kNoNode,
            m.window.Item(st::kAllUsersRegistry32, "Helper32=C:\\x86\\helper.exe /tray"));
  EXPECT_EQ(
      "",
      m.window.tree.At(m.window.Item(st::kAllUsersRegistry32, "Helper32=C:\\x86\\helper.exe /tray"))
          .tag);

  // The login run starts the 32-bit build's delayed value.
  EXPECT_EQ(std::vector<std::string>{"C:\\x86\\old.exe|-s"}, m.LoginRun());

  // Stop it: the value stays in the 32-bit store, and the stopped item
  // shows in the 32-bit branch. Delay the other one from there: its
  // backup names the 32-bit key as a registry editor does.
  m.Refresh();
  m.Popup(st::kDelayedRegistryAllUsers32, "Old32=", ItemPopupEntry::kStop);
  m.Popup(st::kStoppedAllRegistry32, "%SystemDrive%\\x86\\exp.exe", ItemPopupEntry::kDelay);
  EXPECT_EQ("Registry 32-bit (1)", m.Caption(st::kStoppedAllRegistry32));
  EXPECT_EQ("Registry Run 32-bit (1)", m.Caption(st::kDelayedRegistryAllUsers32));
  EXPECT_EQ(kRegExpandSz, m.Type(kHkeyLocalMachine, kWowMachineStore, "Exp32"));
  ASSERT_EQ(2u, m.BackupFiles().size());
  EXPECT_NE(std::string::npos,
            (m.BackupText(m.BackupFiles()[0]) + m.BackupText(m.BackupFiles()[1]))
                .find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\"
                      "CurrentVersion\\Run]\r\n\"Exp32\"=hex(2):"));

  // Put both back: into the 32-bit view of Run, with their types; the
  // 64-bit Run key and store are untouched.
  m.Popup(st::kStoppedAllRegistry32, "C:\\x86\\old.exe", ItemPopupEntry::kRun);
  m.Popup(st::kDelayedRegistryAllUsers32, "Exp32=", ItemPopupEntry::kRun);
  EXPECT_EQ(kRegSz, m.Type(kHkeyLocalMachine, kWowRunKey, "Old32"));
  EXPECT_EQ(kRegExpandSz, m.Type(kHkeyLocalMachine, kWowRunKey, "Exp32"));
  EXPECT_EQ(std::vector<std::string>{}, m.world.RegValueNames(kHkeyLocalMachine, kWowMachineStore));
  EXPECT_EQ(std::vector<std::string>{"Agent64"}, m.world.RegValueNames(kHkeyLocalMachine, kRunKey));
  EXPECT_FALSE(m.world.RegKeyExists(kHkeyLocalMachine, kMachineStore) &&
               !m.world.RegValueNames(kHkeyLocalMachine, kMachineStore).empty());
  EXPECT_TRUE(m.Delayed().empty());
  EXPECT_TRUE(m.Stopped().empty());
  EXPECT_TRUE(m.MessageTexts().empty());
}

TEST(MovesViewsTypes, AValueThatIsNotTextShowsAsWindowsShowsItAndStays) {
  ViewsMachine m;
  m.world.RegSetRaw(kHkeyCurrentUser, kRunKey, "Number", kRegDword, std::string("\x2a\0\0\0", 4));
  m.world.RegSetRaw(kHkeyCurrentUser, kRunKey, "Bytes", kRegBinary, "\x01\x02\xff");
  m.Refresh();
  const struct {
    const char* text;
    const char* name;
  } rows[] = {{"Number=0x0000002a (42)", "Number"}, {"Bytes=01 02 ff", "Bytes"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    for (const ItemPopupEntry entry : {ItemPopupEntry::kDelay, ItemPopupEntry::kStop}) {
      m.Popup(st::kCurrentUserRegistry, row.text, entry);
      EXPECT_TRUE(m.Type(kHkeyCurrentUser, kRunKey, row.name).has_value());
      EXPECT_FALSE(m.Type(kHkeyCurrentUser, kUserStore, row.name).has_value());
    }
  }
  EXPECT_TRUE(m.Delayed().empty());
  EXPECT_TRUE(m.Stopped().empty());
  EXPECT_TRUE(m.BackupFiles().empty());
  ASSERT_EQ(4u, m.MessageTexts().size());
  EXPECT_NE(std::string::npos, m.MessageTexts()[0].find("REG_SZ or REG_EXPAND_SZ"));
}

} // namespace
} // namespace vantrel::moves_test
