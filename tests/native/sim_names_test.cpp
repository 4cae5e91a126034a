// Name matching and path parsing of the simulated machine.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/platform/sim/sim_names.h"
#include "common/platform/sim/sim_path.h"

namespace vantrel::sim {
namespace {

TEST(SimNames, WildcardsFollowTheDosRules) {
  struct Row {
    const char* pattern;
    const char* name;
    bool matches;
  };
  const Row rows[] = {
      {"*", "abc", true},
      {"*", ".", true},
      {"*.*", "abc", true},
      {"*.*", "a.b.c", true},
      {"*.*", "..", true},
      {"*.txt", "a.txt", true},
      {"*.txt", "A.TXT", true},
      {"*.txt", "a.b.txt", true},
      {"*.txt", "a.txt.bak", false},
      {"*.txt", "atxt", false},
      {"*.txt", ".", false},
      {"*.lnk", "x.lnk2", false},
      {"a?", "a", true},
      {"a?", "ab", true},
      {"a?", "abc", false},
      {"test?.txt", "test1.txt", true},
      {"test?.txt", "test.txt", true},
      {"test?.txt", "test12.txt", false},
      {"???", "ab", true},
      {"???", "a.b", false},
      {"*.", "readme", true},
      {"*.", "read.me", false},
      {"abc.*", "abc", true},
      {"abc.*", "abc.def", true},
      {"*a*", "banana", true},
      {"*a*", "bnn", false},
      {"desktop.ini", "Desktop.INI", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.pattern) + " against " + row.name);
    EXPECT_EQ(row.matches, MatchesPattern(row.pattern, row.name));
  }
}

TEST(SimNames, CaseIsFoldedInEveryScriptThatHasCase) {
  const struct {
    const char* a;
    const char* b;
    bool equal;
  } rows[] = {
      {"Vantrel.LNK", "vantrel.lnk", true},
      {"\xC3\x84rger", "\xC3\xA4rger", true}, // Ärger, ärger
      {"\xC5\x81\xC3\xB3"
       "d\xC5\xBA",
       "\xC5\x82\xC3\x93"
       "D\xC5\xB9",
       true}, // Łódź, łÓDŹ
      {"\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB", "\xD1\x84\xD0\x90\xD0\x99\xD0\x9B", true}, // Файл
      {"\xD1\x91", "\xD0\x81", true},                                                 // ё, Ё
      {"\xE6\x97\xA5\xE6\x9C\xAC", "\xE6\x97\xA5\xE6\x9C\xAC", true},                 // 日本
      {"\xE6\x97\xA5", "\xE6\x9C\xAC", false},
      {"a", "a ", false},
      {"\xC3\xA4", "a", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.a) + " against " + row.b);
    EXPECT_EQ(row.equal, NamesEqual(row.a, row.b));
  }
  // NTFS orders by upper-cased characters, so "_" (0x5F) sorts after
  // letters and the umlaut after every ASCII name.
  std::vector<std::string> names = {"_a", "b", "Zed", "\xC3\xA4", "a1", "A"};
  std::stable_sort(names.begin(), names.end(), NameLess());
  EXPECT_EQ((std::vector<std::string>{"A", "a1", "b", "Zed", "_a", "\xC3\xA4"}), names);
  // "?" stands for one character, whatever its length in bytes.
  EXPECT_TRUE(MatchesPattern("?.lnk", "\xE6\x97\xA5.lnk"));
  EXPECT_TRUE(MatchesPattern("\xC3\x84*", "\xC3\xA4rger.lnk"));
}

TEST(SimPaths, ParseLikeWin32) {
  struct Row {
    const char* path;
    const char* currentDirectory;
    const char* expected; // empty: not a valid path
    bool trailing;
  };
  const Row rows[] = {
      {"C:\\a\\b", "C:\\", "C:\\a\\b", false},
      {"c:/a//b/", "C:\\", "C:\\a\\b", true},
      {"a\\b", "C:\\Work", "C:\\Work\\a\\b", false},
      {"\\x", "D:\\Work", "D:\\x", false},
      {"C:\\a\\.\\b\\..\\c", "C:\\", "C:\\a\\c", false},
      {"C:\\a\\..\\..", "C:\\", "C:\\", false},
      {"C:", "C:\\Work", "C:\\Work", false},
      {"\\\\server\\share\\x", "C:\\", "", false},
      {"", "C:\\", "", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    const SimPath path = ParseSimPath(row.path, row.currentDirectory);
    ASSERT_EQ(*row.expected != '\0', path.valid);
    if (path.valid) {
      EXPECT_EQ(row.expected, path.str());
      EXPECT_EQ(row.trailing, path.trailingSeparator);
    }
  }
}

TEST(SimPaths, NamesAndNesting) {
  EXPECT_TRUE(ValidEntryName("Vantrel Items"));
  for (const char* bad : {"", ".", "..", "a:b", "a*", "a?", "a|b", "a\"b", "a<b", "a\tb"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(ValidEntryName(bad));
  }
  EXPECT_FALSE(ValidEntryName(std::string(256, 'x')));
  const SimPath outer = ParseSimPath("C:\\Dir", "C:\\");
  EXPECT_TRUE(IsWithin(ParseSimPath("c:\\DIR\\sub", "C:\\"), outer));
  EXPECT_TRUE(SamePath(ParseSimPath("c:\\dir\\", "C:\\"), outer));
  EXPECT_FALSE(IsWithin(ParseSimPath("C:\\Dirt", "C:\\"), outer));
  EXPECT_FALSE(IsWithin(ParseSimPath("D:\\Dir\\x", "C:\\"), outer));
}

} // namespace
} // namespace vantrel::sim
