// The core promise on hard data: Run values and shortcut names made of the
// characters proggroup.c once could not carry (quotes, commas, brackets,
// braces, "//", "=", blanks at either end, tabs, the escape's own "<&") are
// delayed, saved, read back, started by the login run and put back, by
// Vantrel and after a VantrelSync sync, and come out byte for byte.

#include <gtest/gtest.h>

#include "native/window_machine.h"
#include "vantrel/moves/registry_moves.h"
#include "vantrel/moves/shortcut_moves.h"
#include "vantrelsync/sync_places.h"
#include "vantrelsync/synchronize.h"

namespace vantrel::moves_test {
namespace {

struct HardValue {
  std::string name, data, program, arguments;
  std::string line = {}; // its line in proggroup.c, where the test pins it
};

const std::string kTeams = "C:\\Users\\Tester\\AppData\\Local\\Microsoft\\Teams\\Update.exe";
const std::vector<HardValue> kValues = {
    {"Teams",
     "\"" + kTeams + "\" --processStart \"Teams.exe\" --process-start-args \"--system-initiated\"",
     kTeams, "--processStart \"Teams.exe\" --process-start-args \"--system-initiated\"",
     "     ExecuteReg (\"<&22>" + kTeams +
         "<&22> \", \"--processStart <&22>Teams.exe<&22> --process-start-args "
         "<&22>--system-initiated<&22>\", 0, \"Teams\");"},
    {"QArg", "C:\\rec\\rec.exe \"a b\"", "C:\\rec\\rec.exe", "\"a b\"",
     "     ExecuteReg (\"C:\\rec\\rec.exe \", \"<&22>a b<&22>\", 0, \"QArg\");"},
    {"Brace", "C:\\rec\\brace.exe }", "C:\\rec\\brace.exe", "}",
     "     ExecuteReg (\"C:\\rec\\brace.exe \", \"<&7D>\", 0, \"Brace\");"},
    {"Plain", "C:\\rec\\plain.exe /q", "C:\\rec\\plain.exe", "/q",
     "     ExecuteReg (\"C:\\rec\\plain.exe \", \"/q\", 0, \"Plain\");"},
    {"All", "C:\\Tools\\app1.exe \"a b\",(){}//= <&<&22>&<;\\'", "C:\\Tools\\app1.exe",
     "\"a b\",(){}//= <&<&22>&<;\\'"},
    {"Blanks", "\"C:\\Pro gram (x86)\\app2.exe\"  --process-start-args \"C:\\Some Dir\\f.txt\"\t",
     "C:\\Pro gram (x86)\\app2.exe", " --process-start-args \"C:\\Some Dir\\f.txt\"\t"},
    {"Comma", "C:\\a,b\\app3.exe ", "C:\\a,b\\app3.exe", ""},
    {"Braces", "\"C:\\{b}\\app4.exe\" }{", "C:\\{b}\\app4.exe", "}{"},
    {"Equals", "C:\\x=y\\app5.exe x=1//y", "C:\\x=y\\app5.exe", "x=1//y"},
    {"Tab", "\"C:\\Tab\tFolder\\app6.exe\" <&<&22>&<", "C:\\Tab\tFolder\\app6.exe", "<&<&22>&<"},
    {"Semicolon", "C:\\c;d\\app7.exe -p ", "C:\\c;d\\app7.exe", "-p "},
};
const std::vector<std::string> kShortcuts = {" ,(){}=n1.lnk", ";'&%!n2.lnk", "[]#  xn3.lnk"};

TEST(CorePromise, HardValuesAndNamesSurviveDelayLoginSyncAndPutBack) {
  WindowMachine m;
  m.context.Store.DisallowedPrograms = {"format"};
  for (const HardValue& value : kValues) {
    m.AddRunValue(kHkeyCurrentUser, value.name, value.data);
    ASSERT_TRUE(items::DelayRegistryItem(m.session, value.name + "=" + value.data,
                                         ItemKind::kCurrentUserRunValue, items::MoveTo::kDelayed,
                                         items::From::kListed));
  }
  for (const std::string& name : kShortcuts) {
    m.world.AddFile(kUserStartup + "\\" + name, "shortcut");
    ASSERT_TRUE(items::DelayShortcutItem(m.session, name, ItemKind::kCurrentUserShortcut,
                                         items::MoveTo::kDelayed));
  }
  const std::string file = *m.world.ReadFile(m.store.FilePath());
  for (const HardValue& value : kValues) {
    if (!value.line.empty()) {
      EXPECT_NE(file.find("\r\n" + value.line + "\r\n"), std::string::npos) << value.line;
    }
  }
  // The records read back as they were made (a Run value's path without
  // the blank the split leaves at its end), and start every program with
  // its exact arguments: by Vantrel, and again after VantrelSync rebuilt
  // the file from the stores.
  auto made = m.Delayed();
  for (ProgramEntry& program : made) {
    while (program.Path.ends_with(' '))
      program.Path.pop_back();
  }
  std::vector<std::string> expected;
  for (const HardValue& value : kValues)
    expected.push_back(value.program + "|" + value.arguments);
  for (const std::string& name : kShortcuts)
    expected.push_back(kCurrentUserItems + name + "|");
  m.Reload();
  EXPECT_EQ(m.Delayed(), made);
  EXPECT_EQ(m.LoginRun(), expected);
  EXPECT_TRUE(m.MessageTexts().empty());
  ASSERT_TRUE(sync::Synchronize(m.platform, sync::FindSyncPlaces(m.platform)));
  std::vector<std::string> afterSync = m.LoginRun();
  std::sort(afterSync.begin(), afterSync.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(afterSync, expected);
  for (const HardValue& value : kValues)
    EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, value.name), value.data);

  // Put back from the nodes the tree shows: every value and name as it was.
  m.window.RefreshData();
  for (const auto category :
       {startup_tree::kDelayedRegistryCurrentUser, startup_tree::kDelayedStartupCurrentUser}) {
    m.window.Check(m.window.tree.Find(category));
    items::ItemCommands(m.window).TreeNodeCheck(m.window.tree.Find(category));
  }
  items::ItemCommands(m.window).ToolbarButtonClick(toolbar_key::kRun);
  EXPECT_TRUE(m.Delayed().empty());
  EXPECT_EQ(m.MessageTexts(), std::vector<std::string>{"Synchronization complete!"});
  for (const HardValue& value : kValues) {
    EXPECT_EQ(m.RunValue(kHkeyCurrentUser, value.name), value.data);
    EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, value.name), std::nullopt);
  }
  for (const std::string& name : kShortcuts)
    EXPECT_TRUE(m.world.Exists(kUserStartup + "\\" + name)) << "[" << name << "]";
}

} // namespace
} // namespace vantrel::moves_test
