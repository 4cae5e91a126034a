// The core promise on generated data: Run values and shortcut names drawn
// from the characters proggroup.c once could not carry (quotes, commas,
// brackets, braces, "//", "=", blanks at either end, tabs, the escape's own
// "<&") are delayed, saved, read back, started by the login run and put
// back, by Vantrel and after a VantrelSync sync, and come out byte for byte.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/registry.h"
#include "native/login_test_support.h"
#include "native/moves_test_support.h"
#include "vantrel/login/run_at_login.h"
#include "vantrel/login/start_delay.h"
#include "vantrel/moves/registry_moves.h"
#include "vantrel/moves/shortcut_moves.h"
#include "vantrelsync/sync_places.h"
#include "vantrelsync/synchronize.h"

namespace vantrel::moves_test {
namespace {

constexpr int kRounds = 100;
constexpr int kValuesPerRound = 20;
constexpr int kShortcutsPerRound = 10;

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts;
  for (std::size_t start = 0;;) {
    const auto bar = text.find('|', start);
    parts.push_back(text.substr(start, bar - start));
    if (bar == std::string::npos)
      return parts;
    start = bar + 1;
  }
}

class Generator {
public:
  explicit Generator(unsigned seed) : random_(seed) {}

  // Arguments: any mix of the hard pieces, blanks at either end included.
  std::string Arguments() {
    // The pieces, split at "|".
    static const std::vector<std::string> pieces =
        Split("\"|,|(|)|{|}|//|=| |\t|<&|<&22>|&|<|a b|x|-p|\"C:\\Some Dir\\f.txt\"|"
              "--process-start-args|;|\\|'");
    std::string text;
    for (int n = Pick(8); n >= 0; --n)
      text += pieces[Pick(pieces.size() - 1)];
    return text;
  }

  // A program path; folders hold the hard characters a path may hold.
  std::string Program(int serial) {
    static const std::vector<std::string> folders = {"Tools", "Pro gram (x86)", "a,b", "{b}",
                                                     "x=y",   "Tab\tFolder",    "c;d"};
    return "C:\\" + folders[Pick(folders.size() - 1)] + "\\app" + std::to_string(serial) + ".exe";
  }

  // A shortcut file name: what a file name may hold, a leading blank too.
  std::string ShortcutName(int serial) {
    static const std::vector<std::string> pieces = Split(",|(|)|{|}|=|;|'|&|%|!|[|]|#|  |x");
    std::string name = Pick(3) == 0 ? " " : "";
    for (int n = Pick(5); n >= 0; --n)
      name += pieces[Pick(pieces.size() - 1)];
    return name + "n" + std::to_string(serial) + ".lnk";
  }

  std::size_t Pick(std::size_t most) {
    return std::uniform_int_distribution<std::size_t>(0, most)(random_);
  }

private:
  std::mt19937 random_;
};

struct GeneratedValue {
  std::string name;
  std::string program;
  std::string arguments;
  std::string data;
};

struct PropertyMachine : MovesMachine {
  PropertyMachine() {
    context.Store.MainStartupDelay = 0;
    context.Store.DisallowedPrograms = {"format"};
    session.SaveModel();
  }

  // The login run on the file as saved; what it started, in order.
  std::vector<sim::ShellExecuteRecord> LoginRun() {
    Reload();
    const std::size_t before = platform.shellExecutes().size();
    login_test::FakeMainWindow window(context, world);
    StartDelay(context, window);
    return {platform.shellExecutes().begin() + static_cast<std::ptrdiff_t>(before),
            platform.shellExecutes().end()};
  }

  // Every started program was asked for with its exact arguments.
  void ExpectStarted(const std::vector<GeneratedValue>& values,
                     const std::vector<std::string>& shortcuts) {
    const auto started = LoginRun();
    auto find = [&](const std::string& file) {
      for (const auto& record : started) {
        if (record.file == file)
          return &record;
      }
      return static_cast<const sim::ShellExecuteRecord*>(nullptr);
    };
    for (const GeneratedValue& value : values) {
      SCOPED_TRACE("data: [" + value.data + "]");
      const auto* record = find(value.program);
      ASSERT_NE(record, nullptr);
      EXPECT_EQ(record->parameters, value.arguments);
    }
    for (const std::string& name : shortcuts) {
      SCOPED_TRACE("shortcut: [" + name + "]");
      const auto* record = find(kCurrentUserItems + name);
      ASSERT_NE(record, nullptr);
      EXPECT_EQ(record->parameters, "");
    }
  }

  // The delayed records name every value and shortcut exactly once.
  void ExpectRecords(const std::vector<GeneratedValue>& values,
                     const std::vector<std::string>& shortcuts) {
    const auto delayed = Delayed();
    ASSERT_EQ(delayed.size(), values.size() + shortcuts.size());
    for (const GeneratedValue& value : values) {
      SCOPED_TRACE("data: [" + value.data + "]");
      EXPECT_EQ(StoredValue(kHkeyCurrentUser, value.name), value.data);
      EXPECT_EQ(1, std::count_if(delayed.begin(), delayed.end(), [&](const ProgramEntry& p) {
                  return p.RegistryName == value.name && p.Command == "ExecuteReg";
                }));
    }
    for (const std::string& name : shortcuts) {
      SCOPED_TRACE("shortcut: [" + name + "]");
      EXPECT_EQ(1, std::count_if(delayed.begin(), delayed.end(), [&](const ProgramEntry& p) {
                  return p.Path == name && p.Command == "Execute";
                }));
    }
  }
};

TEST(CorePromiseProperty, HardValuesAndNamesSurviveDelayLoginAndPutBack) {
  Generator generate(20261207);
  int serial = 0;
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    PropertyMachine m;
    std::vector<GeneratedValue> values;
    std::vector<std::string> shortcuts;
    for (int i = 0; i < kValuesPerRound; ++i) {
      GeneratedValue value;
      value.name = "Value" + std::to_string(++serial);
      value.program = generate.Program(serial);
      value.arguments = generate.Arguments();
      const bool quoted =
          generate.Pick(1) == 0 || value.program.find_first_of(" \t") != std::string::npos;
      value.data = (quoted ? "\"" + value.program + "\"" : value.program) +
                   (value.arguments.empty() && generate.Pick(1) ? "" : " " + value.arguments);
      m.AddRunValue(kHkeyCurrentUser, value.name, value.data);
      values.push_back(value);
    }
    for (int i = 0; i < kShortcutsPerRound; ++i) {
      shortcuts.push_back(generate.ShortcutName(++serial));
      m.world.AddFile(kUserStartup + "\\" + shortcuts.back(), "shortcut");
    }

    for (const GeneratedValue& value : values)
      ASSERT_TRUE(items::DelayRegistryItem(m.session, value.name + "=" + value.data,
                                           ItemKind::kCurrentUserRunValue, items::MoveTo::kDelayed,
                                           items::From::kListed));
    for (const std::string& name : shortcuts)
      ASSERT_TRUE(items::DelayShortcutItem(m.session, name, ItemKind::kCurrentUserShortcut,
                                           items::MoveTo::kDelayed));
    // The records read back as they were made (a Run value's path without
    // the blank the split leaves at its end).
    auto made = m.Delayed();
    for (ProgramEntry& program : made) {
      while (program.Path.ends_with(' '))
        program.Path.pop_back();
    }
    m.Reload();
    EXPECT_EQ(m.Delayed(), made);
    m.ExpectRecords(values, shortcuts);
    m.ExpectStarted(values, shortcuts);
    EXPECT_TRUE(m.MessageTexts().empty());

    // VantrelSync rebuilds the file from the stores: the same again.
    ASSERT_TRUE(sync::Synchronize(m.platform, sync::FindSyncPlaces(m.platform)));
    m.Reload();
    m.ExpectRecords(values, shortcuts);
    m.ExpectStarted(values, shortcuts);

    // Put back from the nodes the tree shows.
    for (const ProgramEntry& program : m.Delayed()) {
      if (program.Command == "ExecuteReg")
        items::RestoreRegistryItem(
            m.session, program.RegistryName + "=" + program.Path + " " + program.Parameters,
            ItemKind::kCurrentUserRunValue, items::From::kListed);
      else
        items::RestoreShortcutItem(m.session, program.Path, ItemKind::kCurrentUserShortcut,
                                   items::From::kListed);
    }
    ASSERT_TRUE(m.session.SaveModel()); // as the window does after a command
    m.Reload();
    EXPECT_TRUE(m.Delayed().empty());
    for (const GeneratedValue& value : values) {
      SCOPED_TRACE("data: [" + value.data + "]");
      EXPECT_EQ(m.RunValue(kHkeyCurrentUser, value.name), value.data);
      EXPECT_EQ(m.StoredValue(kHkeyCurrentUser, value.name), std::nullopt);
    }
    for (const std::string& name : shortcuts)
      EXPECT_TRUE(m.world.Exists(kUserStartup + "\\" + name)) << "[" << name << "]";
  }
}

// 2. Run values with quoted arguments, and a "}" among them, are written as
// one line each, read back without a box and start with their arguments.
TEST(CorePromiseCases, QuotedRunValuesKeepTheFileWhole) {
  struct Case {
    std::string name, data, line, program, arguments;
  };
  const std::string teams = "\"C:\\Users\\Tester\\AppData\\Local\\Microsoft\\Teams\\Update.exe\"";
  const std::vector<Case> cases = {
      {"Teams", teams + " --processStart \"Teams.exe\" --process-start-args \"--system-initiated\"",
       "     ExecuteReg "
       "(\"<&22>C:\\Users\\Tester\\AppData\\Local\\Microsoft\\Teams\\Update.exe<&22> \", "
       "\"--processStart <&22>Teams.exe<&22> --process-start-args <&22>--system-initiated<&22>\", "
       "0, "
       "\"Teams\");",
       "C:\\Users\\Tester\\AppData\\Local\\Microsoft\\Teams\\Update.exe",
       "--processStart \"Teams.exe\" --process-start-args \"--system-initiated\""},
      {"QArg", "C:\\rec\\rec.exe \"a b\"",
       "     ExecuteReg (\"C:\\rec\\rec.exe \", \"<&22>a b<&22>\", 0, \"QArg\");",
       "C:\\rec\\rec.exe", "\"a b\""},
      {"Brace", "C:\\rec\\brace.exe }",
       "     ExecuteReg (\"C:\\rec\\brace.exe \", \"<&7D>\", 0, \"Brace\");", "C:\\rec\\brace.exe",
       "}"},
      {"Plain", "C:\\rec\\plain.exe /q",
       "     ExecuteReg (\"C:\\rec\\plain.exe \", \"/q\", 0, \"Plain\");", "C:\\rec\\plain.exe",
       "/q"},
  };
  PropertyMachine m;
  for (const Case& c : cases) {
    m.AddRunValue(kHkeyCurrentUser, c.name, c.data);
    ASSERT_TRUE(items::DelayRegistryItem(m.session, c.name + "=" + c.data,
                                         ItemKind::kCurrentUserRunValue, items::MoveTo::kDelayed,
                                         items::From::kListed));
  }
  const std::string file = *m.world.ReadFile(m.store.FilePath());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NE(file.find("\r\n" + c.line + "\r\n"), std::string::npos) << file;
  }
  const auto started = m.LoginRun();
  EXPECT_TRUE(m.MessageTexts().empty());
  ASSERT_EQ(started.size(), cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    EXPECT_EQ(started[i].file, cases[i].program);
    EXPECT_EQ(started[i].parameters, cases[i].arguments);
  }
}

} // namespace
} // namespace vantrel::moves_test
