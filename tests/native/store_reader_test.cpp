// Reading proggroup.c: line kinds, comments, options, the two lists, group
// blocks and the failures that stop a load.
#include <gtest/gtest.h>

#include <sstream>

#include "common/store/proggroup_reader.h"
#include "store_test_support.h"

namespace vantrel::store {
namespace {

using store_test::CrLf;

class StoreReader : public ::testing::Test {
protected:
  bool Read(const std::string& text, TreeModel* tree = nullptr) {
    return ReadProgGroup(text, tables, host, tree);
  }
  std::vector<std::string> GroupNames() const {
    std::vector<std::string> names;
    for (const auto& group : tables.ProgramGroups)
      names.push_back(group.Name);
    return names;
  }
  std::vector<std::string> Paths(std::size_t group) const {
    std::vector<std::string> paths;
    for (const auto& entry : tables.ProgramGroups.at(group).Programs)
      paths.push_back(entry.Path);
    return paths;
  }

  StoreTables tables;
  std::vector<LanguageEntry> languages{{"English", "en"}, {"Deutsch", "de"}, {"", ""}};
  int reloads = 0;
  StoreHost host{&languages, [this] { ++reloads; }, nullptr};
};

TEST_F(StoreReader, DisallowedAndStoppedLists) {
  using List = std::vector<std::string> StoreTables::*;
  const List disallowed = &StoreTables::DisallowedPrograms, stopped = &StoreTables::StoppedPrograms;
  const std::vector<std::string> builtIn = {"format", "fdisk", "del", "rmdir", "mkdir", "delete"};
  const auto with = [&](std::vector<std::string> head) {
    head.insert(head.end(), builtIn.begin(), builtIn.end());
    return head;
  };
  const struct {
    List list;
    std::string text;
    std::vector<std::string> expected;
  } cases[] = {
      {disallowed, CrLf({"// no block"}), {"keep"}},
      {disallowed, "char DisallowedPrograms[256][0]=", {""}},
      {disallowed, // merged without regard to case
       CrLf({"char DisallowedPrograms[256][2]=", "{", "     \"FORMAT\", ", "     \"del\"", "};"}),
       {"FORMAT", "del", "fdisk", "rmdir", "mkdir", "delete"}},
      {disallowed, CrLf({"char DisallowedPrograms", "  \" reg edit \",, ", "}"}),
       with({"regedit,"})},
      {stopped,
       CrLf({"char StoppedPrograms[256][2]=", "{", "     \"_STPCU_A.lnk\", ",
             "     \"_REGAU_Agent\"", "}"}),
       {"_STPCU_A.lnk", "_REGAU_Agent"}},
      {stopped, // empty lines fill free slots
       CrLf({"char StoppedPrograms", "{", "\"a\",", "", "", "\"b\"", "", "}"}),
       {"a", "b", ""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    tables.*c.list = {"keep"};
    ASSERT_TRUE(Read(c.text));
    EXPECT_EQ(tables.*c.list, c.expected);
  }
}

TEST_F(StoreReader, OptionLines) {
  // Delay, StartupType, CloseType, ShowTipsAtStartup, Language, reloads and
  // taking back returned items after the line, over 99 3 0 7 de 0 (off).
  const std::pair<const char*, const char*> cases[] = {
      {"const MainStartupDelay = 45;", "45 3 0 7 de 0 0"},
      {"const MainStartupDelay = 1,5;", "30 3 0 7 de 0 0"},
      {"const StartupType = 2.5;", "99 2 0 7 de 0 0"},
      {"const CloseType = x;", "99 3 1 7 de 0 0"},
      {"const ShowTipsAtStartup = False;", "99 3 0 0 de 0 0"},
      {"const Language = Deutsch;", "99 3 0 7 de 1 0"},
      {"const TakeBackReturnedItems = 2;", "99 3 0 7 de 0 1"},
      {"  const StartupType = 2;", "99 3 0 7 de 0 0"}, // options start the line
  };
  for (const auto& [line, expected] : cases) {
    tables.MainStartupDelay = 99;
    tables.StartupType = 3;
    tables.CloseType = 0;
    tables.ShowTipsAtStartup = 7;
    tables.Language = "de";
    reloads = 0;
    ASSERT_TRUE(Read(CrLf({line})));
    std::ostringstream read;
    read << tables.MainStartupDelay << ' ' << tables.StartupType << ' ' << tables.CloseType << ' '
         << tables.ShowTipsAtStartup << ' ' << tables.Language << ' ' << reloads << ' '
         << tables.TakeBackReturnedItems;
    EXPECT_EQ(read.str(), expected) << line;
  }
}

TEST_F(StoreReader, BlockComments) {
  struct Case {
    std::string name, text;
    std::vector<std::string> groups;
  } cases[] = {
      {"skipped through the */ line", CrLf({"/*", "void A()", "*/", "void B()"}), {"B"}},
      {"a second comment right after */ is read",
       CrLf({"/*", "*/", "/*", "void A()", "}", "*/", "void B()"}),
       {"A", "B"}},
      {"/* on the last line", CrLf({"void A()", "}", "/*"}), {"A"}},
      {"unclosed at the end: its last line is read", CrLf({"/*", "void A()", "void B()"}), {"B"}},
      {"group headers are trimmed first", CrLf({"   void   Tools ()"}), {"  Tools "}},
      {"mixed", "void A()\n\r}\r\n\nvoid B()", {"A", "B"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(Read(c.text));
    EXPECT_EQ(GroupNames(), c.groups);
  }
}

// 6. Comment lines and lines of blanks anywhere, indented or not; codes
// and braces inside quotes.
TEST_F(StoreReader, HandEditsTheHelpAllows) {
  const std::string text = CrLf({
      "  /* indented",
      "  */",
      "char StoppedPrograms[256][2]=",
      "{",
      "     // a note in the list",
      "     \"_STPCU_a<&7D>b.lnk\", ",
      "     \"_REGCU_\"C:\\r.exe\"<&2C>\"",
      "}",
      "void Startup()",
      "  {",
      "     // note",
      "          ",
      "\t\t",
      "     Execute (\"x}.lnk\", \"a } b\", 1, \"\"); // a brace in quotes",
      "     ExecuteReg (\"C:\\q.exe<&20>\", \"<&22>a b<&22><&7D>\", 2, \"Q<&2C> (x<&29>\");",
      "  }",
      "void Other()",
  });
  ASSERT_TRUE(Read(text));
  EXPECT_EQ(GroupNames(), (std::vector<std::string>{"Startup", "Other"}));
  EXPECT_EQ(tables.StoppedPrograms,
            (std::vector<std::string>{"_STPCU_a}b.lnk", "_REGCU_C:\\r.exe,"}));
  ASSERT_EQ(Paths(0), (std::vector<std::string>{"x}.lnk", "C:\\q.exe "}));
  EXPECT_EQ(tables.ProgramGroups[0].Programs[1].RegistryName, "Q, (x)");
}

TEST_F(StoreReader, GroupBlocks) {
  const std::string text = CrLf({
      "void My_Programs()",
      "{",
      "     Execute (\"C:\\a.exe\", \"\", 5, \"\");",
      "     Execute (\"\", \"\", 0, \"\");",
      "     Execute (\"C:\\b.exe\", \"http://x//y\", 0, \"\"); // a URL stays",
      "     Execute (\"C:\\c.exe\", \"\", 5, \"\");",
      "     Execute (\"C:\\d.exe\", \"\", 2, \"\");",
      "}",
      "",
      "void Startup()",
      "{",
      "}",
      "void Startup()",
      "}",
  });
  tables.StartupGroupIndex = 9;
  ASSERT_TRUE(Read(text));
  EXPECT_EQ(GroupNames(), (std::vector<std::string>{"My Programs", "Startup", "Startup"}));
  // The empty path left a free slot that the next line took; then sorted.
  EXPECT_EQ(Paths(0),
            (std::vector<std::string>{"C:\\b.exe", "C:\\d.exe", "C:\\a.exe", "C:\\c.exe"}));
  EXPECT_EQ(Paths(1), (std::vector<std::string>{""}));
  EXPECT_EQ(tables.StartupGroupIndex, 1);
}

TEST_F(StoreReader, BrokenFilesStopTheLoadAndKeepWhatWasRead) {
  const std::tuple<std::string, bool, std::vector<std::string>> cases[] = {
      {"", false, {""}}, // an empty file
      {CrLf({"void A()", "{", "Execute (\"C:\\a.exe\", \"\", 0, \"\");", "};", "void B()"}),
       false,
       {"A"}},
      {CrLf({"void A()", "{", "Execute (\"a\", \"\", x, \"\");", "}"}), false, {"A"}},
      {CrLf({"void A()", "{", "}", "void A()", "void B()"}),
       true,
       {"A", "A"}}, // twice, with a tree
  };
  for (const auto& [text, withTree, groups] : cases) {
    SCOPED_TRACE(text);
    TreeModel tree;
    tables.StartupGroupIndex = 4;
    EXPECT_FALSE(Read(text, withTree ? &tree : nullptr));
    EXPECT_EQ(GroupNames(), groups);
    EXPECT_EQ(tables.StartupGroupIndex, text.empty() ? 4 : kNoIndex);
  }
  // 7. A file cut in its last line: every complete line before it is loaded,
  // sorted, and its Startup group found, so the login run starts them.
  EXPECT_FALSE(Read(CrLf({"void Startup()", "{", "     Execute (\"b\", \"\", 5, \"\");",
                          "     Execute (\"a\", \"\", 1, \"\");"}) +
                    "     Execute (\"c\", \"\", "));
  EXPECT_EQ(Paths(0), (std::vector<std::string>{"", "a", "b"}));
  EXPECT_EQ(tables.StartupGroupIndex, 0);
}

} // namespace
} // namespace vantrel::store
