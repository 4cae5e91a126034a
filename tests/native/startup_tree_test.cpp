// The item tree as a refresh builds it from a simulated machine: captions
// and counts of the twenty category nodes, the item nodes with their keys,
// texts and tags, Vantrel's own Run value, and expanded states.
#include <gtest/gtest.h>

#include "native/startup_items_machine.h"
#include "vantrel/tree/refresh_startup_items.h"
#include "vantrel/tree/startup_tree.h"

namespace vantrel::startup_test {
namespace {

namespace st = startup_tree;

// One line per node in tree order: indent, text, then [picture], {tag},
// "b" for bold, "+" for expanded.
inline std::string Dump(const TreeModel& tree) {
  std::string out;
  const auto walk = [&](const auto& self, TreeModel::NodeId id, int depth) -> void {
    const TreeModel::Node& node = tree.At(id);
    out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + node.text;
    if (node.image != startup_tree::image::kNone)
      out += " [" +
             std::string(startup_tree::image::kNames[static_cast<std::size_t>(node.image - 1)]) +
             "]";
    if (!node.tag.empty())
      out += " {" + node.tag + "}";
    if (node.bold)
      out += " b";
    if (node.expanded)
      out += " +";
    out += "\n";
    for (const TreeModel::NodeId child : node.children)
      self(self, child, depth + 1);
  };
  for (const TreeModel::NodeId root : tree.Roots())
    walk(walk, root, 0);
  return out;
}

class StartupTreeTest : public ::testing::Test, public StartupItemsMachine {
protected:
  void Refresh() {
    RefreshStartupItems(context, store, tree, lists, [this](float p) { progress.push_back(p); });
  }

  // The keys of the children of a category node.
  std::string Keys(std::string_view categoryKey) const {
    std::string keys;
    for (const TreeModel::NodeId child : tree.At(tree.Find(categoryKey)).children)
      keys += tree.At(child).key + " ";
    return keys;
  }

  std::vector<float> progress;
};

// Items in all eight locations, Vantrel's own Run value, another value
// named Tarrow, a desktop.ini, a program with an unknown command word and
// stopped entries of all four prefixes.
TEST_F(StartupTreeTest, PopulatedMachineShowsEveryLocationWithItsCounts) {
  for (const char* name : {"Notes.lnk", "desktop.ini", "Shared.lnk"})
    world.AddFile(kUserStartup + "\\" + name, "shortcut");
  for (const char* name : {"Shared.lnk", "Printer.lnk"})
    world.AddFile(kCommonStartup + "\\" + name, "shortcut");
  world.RegSetString(kHkeyCurrentUser, kRunKey, "Tarrow", kOwnRun);
  world.RegSetString(kHkeyCurrentUser, kRunKey, "MailCheck", "C:\\Mail\\mail.exe -tray");
  world.RegSetString(kHkeyLocalMachine, kRunKey, "Sound", "C:\\Audio\\mixer.exe");
  world.RegSetString(kHkeyLocalMachine, kRunKey, "Tray Clock", "clock.exe /min");
  WriteProgramGroups(
      {
          Program("Execute", "Backup.lnk"),
          Program("ExecuteAU", "Scanner.lnk"),
          Program("ExecuteReg", "C:\\Sync\\sync.exe", "-quiet", "Sync"),
          Program("ExecuteRegAU", "C:\\Vpn\\vpn.exe", "", "Vpn"),
          Program("Launch", "C:\\Odd\\odd.exe"),
          Program("Execute", "Chat.lnk"),
      },
      {"_STPCU_Old.lnk", "_REGCU_C:\\Updater\\update.exe", "_STPAU_Fax.lnk",
       "_REGAU_C:\\Agent\\agent.exe", "_REGCU_C:\\Second\\two.exe"});
  context.Text.SafeList = {{"mail.exe", "Mail checker"}, {"Printer", "Printer tray"}};

  Refresh();

  EXPECT_EQ(Dump(tree), "Current User (3) [User]\n"
                        "  Startup Folder (2) [Startup]\n"
                        "    Notes.lnk {#POP#} b\n"
                        "    Shared.lnk {#POP#} b\n"
                        "  Registry Run (1) [Registry]\n"
                        "    MailCheck=C:\\Mail\\mail.exe -tray {#POP#}\n"
                        "All Users (4) [Group]\n"
                        "  Startup Folder (2) [Startup]\n"
                        "    Printer.lnk\n"
                        "    Shared.lnk b\n"
                        "  Registry Run (2) [Registry]\n"
                        "    Sound=C:\\Audio\\mixer.exe b\n"
                        "    Tray Clock=clock.exe /min b\n"
                        "Delayed Items (5) [Delay]\n"
                        "  Current User (3) [User]\n"
                        "    Startup Folder (2) [Startup]\n"
                        "      Backup.lnk {#POP#} b\n"
                        "      Chat.lnk {#POP#} b\n"
                        "    Registry Run (1) [Registry]\n"
                        "      Sync=C:\\Sync\\sync.exe -quiet {#POP#} b\n"
                        "  All Users (2) [Group]\n"
                        "    Startup Folder (1) [Startup]\n"
                        "      Scanner.lnk {#POP#} b\n"
                        "    Registry Run (1) [Registry]\n"
                        "      Vpn=C:\\Vpn\\vpn.exe  {#POP#} b\n"
                        "Stopped Items (5) [Stopped]\n"
                        "  Current User (3) [User]\n"
                        "    Startup Folder (1) [Startup]\n"
                        "      Old.lnk {#POP#} b\n"
                        "    Registry (2) [Registry]\n"
                        "      C:\\Updater\\update.exe {#POP#} b\n"
                        "      C:\\Second\\two.exe {#POP#} b\n"
                        "  All Users (2) [Group]\n"
                        "    Startup Folder (1) [Startup]\n"
                        "      Fax.lnk {#POP#} b\n"
                        "    Registry (1) [Registry]\n"
                        "      C:\\Agent\\agent.exe {#POP#} b\n");

  // Keys: a running number, the marker, and the item's text (a stopped
  // entry's whole text); the same shortcut name in both Startup folders
  // still gets keys of its own.
  EXPECT_EQ(Keys(st::kCurrentUserStartup), "#1#Notes.lnk #2#Shared.lnk ");
  EXPECT_EQ(Keys(st::kAllUsersStartup), "#4#Printer.lnk #5#Shared.lnk ");
  EXPECT_EQ(Keys(st::kStoppedCurrentRegistry),
            "#14#STOPPED_REGCU_C:\\Updater\\update.exe #17#STOPPED_REGCU_C:\\Second\\two.exe ");
  EXPECT_EQ(progress, (std::vector<float>{0, 100.0f / 3, 200.0f / 3, 75, 95, 100, 0}));
}

} // namespace
} // namespace vantrel::startup_test
