// Writing proggroup.c: the exact bytes of the default file and of
// VantrelSync's file, and the details of each section.
#include <gtest/gtest.h>

#include "common/store/group_operations.h"
#include "common/store/proggroup_writer.h"
#include "store_test_support.h"

namespace vantrel::store {
namespace {

using store_test::ReadFixture;
using store_test::Visible;

constexpr std::size_t kHeaderLines = 43;

// The lines of a written file after the header comment.
std::vector<std::string> BodyLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return std::vector<std::string>(lines.begin() + kHeaderLines, lines.end());
}

TEST(ProgGroupWriter, DefaultTablesWithoutLanguagesGiveTheDefaultFile) {
  StoreTables tables;
  SetDefaultTables(tables);
  EXPECT_EQ(tables.StoppedPrograms, std::vector<std::string>{""});
  EXPECT_EQ(Visible(FormatProgGroup(tables, nullptr)),
            Visible(ReadFixture("default_no_language.c")));
}

TEST(ProgGroupWriter, Sections) {
  StoreTables tables;
  tables.DisallowedPrograms = {" regedit ", "", "format"};
  tables.StoppedPrograms = {"_STPCU_A.lnk", "_REGAU_Agent", ""};
  tables.MainStartupDelay = 2.5f;
  tables.StartupType = 3;
  tables.CloseType = 0;
  tables.ShowTipsAtStartup = -1;
  tables.ProgramGroups = {
      {"", {{"C:\\removed.exe", "", "Execute", 0, "", 0}}},
      {"My Tools", {{"", "", "", 0, "", 0}, {"C:\\t.exe", "-a b", "ExecuteReg", 0.1f, "Tee", 7}}},
      {"  Two  Blanks ", {}},
  };
  const auto lines = BodyLines(FormatProgGroup(tables, nullptr));
  const std::vector<std::string> expected = {
      "char DisallowedPrograms[256][3]=",
      "{",
      "     \"regedit\", ",
      "     \"\", ",
      "     \"format\"",
      "};",
      "",
      "// DO NOT EDIT THIS ",
      "// It's only used to show items that the program removed",
      "// from the startup",
      "char StoppedPrograms[256][3]=",
      "{",
      "     \"_STPCU_A.lnk\", ",
      "     \"_REGAU_Agent\", ",
      "}",
  };
  ASSERT_GE(lines.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + expected.size()), expected);
  const std::vector<std::string> tail = {
      "const ShowTipsAtStartup = -1;",
      "",
      "void My_Tools()",
      "{",
      "     ExecuteReg (\"C:\\t.exe\", \"-a b\", 0.1, \"Tee\");",
      "}",
      "",
      "void __Two__Blanks_()",
      "{",
      "}",
      "",
  };
  EXPECT_EQ(std::vector<std::string>(lines.end() - tail.size(), lines.end()), tail);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "const MainStartupDelay = 2.5;"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "const StartupType = 3;"), lines.end());
}

TEST(ProgGroupWriter, StoppedListWithAFreeFirstSlotCountsZero) {
  StoreTables tables;
  tables.StoppedPrograms = {"", "_STPAU_B.lnk"};
  const auto lines = BodyLines(FormatProgGroup(tables, nullptr));
  const std::vector<std::string> expected = {"char StoppedPrograms[256][0]=", "{",
                                             "     \"_STPAU_B.lnk\"", "}"};
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 7, lines.begin() + 11), expected);
}

TEST(ProgGroupWriter, EmptyTablesStillCloseTheGroupSection) {
  const auto lines = BodyLines(FormatProgGroup(StoreTables{}, nullptr));
  const std::vector<std::string> expected = {"char DisallowedPrograms[256][0]=", "{", "};", ""};
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4), expected);
  EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()),
            (std::vector<std::string>{"}", ""}));
}

} // namespace
} // namespace vantrel::store
