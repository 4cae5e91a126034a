// The pieces of the proggroup.c format: comments, numbers, the program line,
// the codes of quoted fields, the sections the writer lays out, and the
// tree the editor mirrors.
#include <gtest/gtest.h>

#include <limits>

#include "common/store/field_escape.h"
#include "common/store/proggroup_writer.h"
#include "common/store/program_line.h"
#include "common/store/store_numbers.h"
#include "common/tree_model.h"
#include "native/crlf_text.h"

namespace vantrel::store {
namespace {

TEST(StoreFormat, NumbersAreWrittenShortestAndReadAsDecimalsOnly) {
  const std::pair<float, std::string_view> written[] = {
      {30.0f, "30"}, {0.1f, "0.1"}, {-1.0f, "-1"}, {1e20f, "1e+20"}, {123456.7f, "123456.7"}};
  for (const auto& [value, text] : written) {
    EXPECT_EQ(FormatNumber(value), text);
    EXPECT_EQ(ParseSingle(text), value) << text;
  }
  EXPECT_EQ(FormatNumber(std::numeric_limits<float>::infinity()), "0");

  const std::tuple<std::string_view, float, std::optional<std::int16_t>> read[] = {
      {" 10 ", 10.0f, 10},           {"3.5", 3.5f, 4},
      {"-2.5", -2.5f, -2},           {"32767.5", 32767.5f, {}},
      {"-32768", -32768.0f, -32768},
  };
  for (const auto& [text, single, integer] : read) {
    EXPECT_EQ(ParseSingle(text), single) << text;
    EXPECT_EQ(ParseInteger16(text), integer) << text;
  }
  for (std::string_view text : {"", "45; // wait", "2,5", "nan", "1e39", "e5", "- 1"})
    EXPECT_FALSE(ParseSingle(text) || ParseInteger16(text)) << text;
}

TEST(StoreFormat, ProgramLines) {
  const std::string_view cu = "C:\\V\\Vantrel Items\\Current User\\";
  const std::string_view au = "C:\\V\\Vantrel Items\\All Users\\";
  const struct {
    std::string_view line;
    std::optional<ProgramEntry> expected; // none: a broken line
  } cases[] = {
      {"     ExecuteReg (\"C:\\T\\agent.exe\", \"-min -q\", 10, \"Agent\");",
       ProgramEntry{"C:\\T\\agent.exe", "-min -q", "ExecuteReg", 10, "Agent", 0}},
      {"Execute (\"C:\\V\\Vantrel Items\\Current User\\\\Tool.lnk\", \"\", 2.5, \"\");",
       ProgramEntry{"Tool.lnk", "", "Execute", 2.5f, "", 0}},
      {"ExecuteAU (\"C:\\V\\Vantrel Items\\All Users\\Mail.lnk\", \"\", 0, \"\");",
       ProgramEntry{"Mail.lnk", "", "ExecuteAU", 0, "", 0}},
      // The writer's header shows a blank after "(": the stray quote stays.
      {"Execute( \"C:\\a.exe\", \"\", 5, \"\");",
       ProgramEntry{"\"C:\\a.exe", "", "Execute", 5, "", 0}},
      {"Execute \"C:\\a.exe\", \"\", 5, \"\";", std::nullopt},      // no "("
      {"Execute (\"C:\\a.exe\", -q, 5, \"\");", std::nullopt},      // unquoted parameters
      {"Execute (\"C:\\a.exe\", \"\", five, \"\");", std::nullopt}, // delay is no number
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.line));
    const auto result = ParseProgramLine(c.line, cu, au);
    EXPECT_EQ(result.ok, c.expected.has_value());
    EXPECT_EQ(result.entry, c.expected.value_or(result.entry));
  }
  // An unknown items folder is never stripped.
  EXPECT_EQ(ParseProgramLine("Execute (\"\\\\srv\\a.exe\", \"\", 0, \"\");", "", "").entry.Path,
            "\\\\srv\\a.exe");
}

TEST(StoreFormat, FieldCodesOnlyForWhatWouldBeLostAndEarlierTextsReadUnchanged) {
  const struct {
    std::string text;
    FieldKind kind;
    std::string written;
  } cases[] = {
      {"\"C:\\U\\Update.exe\" ", FieldKind::kPath, "<&22>C:\\U\\Update.exe<&22> "},
      {" x}.lnk", FieldKind::kPath, "<&20>x<&7D>.lnk"},
      {"  a\tb}c//d=e  ", FieldKind::kParameters, "<&20><&20>a<&09>b<&7D>c//d=e<&20><&20>"},
      {"x<&22>y<z&\r\n", FieldKind::kParameters, "x<&3C>&22>y<z&<&0D><&0A>"},
      {" Name, (x)", FieldKind::kRegistryName, "<&20>Name<&2C> (x<&29>"},
      {"_STPCU_a,b,,", FieldKind::kStoppedEntry, "_STPCU_a,b<&2C><&2C>"},
      {"", FieldKind::kParameters, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(EncodeField(c.text, c.kind), c.written);
    EXPECT_EQ(DecodeField(c.written), c.text);
  }
  std::string all = " <&";
  for (int byte = 0; byte < 256; ++byte)
    all += static_cast<char>(byte);
  for (FieldKind kind : {FieldKind::kParameters, FieldKind::kRegistryName})
    EXPECT_EQ(DecodeField(EncodeField(all + " ", kind)), all + " ");
  for (const char* text : {"C:\\a&b\\x.exe", "<&", "a<&2>", "<&2G>", "x <& 22>", "<&22"})
    EXPECT_EQ(DecodeField(text), text);
  EXPECT_EQ(DecodeField("<&7d><&7D>"), "}}"); // hand-written codes in either case
}

// The lines of a written file after its 43 lines of header comment.
std::vector<std::string> BodyLines(const StoreTables& tables) {
  const auto lines = test_text::CrLfLinesOf(FormatProgGroup(tables, nullptr));
  return std::vector<std::string>(lines.begin() + 43, lines.end());
}
std::vector<std::string> Slice(const std::vector<std::string>& lines, std::ptrdiff_t from,
                               std::ptrdiff_t to) {
  return std::vector<std::string>(from < 0 ? lines.end() + from : lines.begin() + from,
                                  to <= 0 ? lines.end() + to : lines.begin() + to);
}

TEST(StoreFormat, WriterSections) {
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
  const auto lines = BodyLines(tables);
  EXPECT_EQ(
      Slice(lines, 0, 15),
      (std::vector<std::string>{"char DisallowedPrograms[256][3]=", "{", "     \"regedit\", ",
                                "     \"\", ", "     \"format\"", "};", "", "// DO NOT EDIT THIS ",
                                "// It's only used to show items that the program removed",
                                "// from the startup", "char StoppedPrograms[256][3]=", "{",
                                "     \"_STPCU_A.lnk\", ", "     \"_REGAU_Agent\", ", "}"}));
  EXPECT_EQ(Slice(lines, -10, 0),
            (std::vector<std::string>{"", "void My_Tools()", "{",
                                      "     ExecuteReg (\"C:\\t.exe\", \"-a b\", 0.1, \"Tee\");",
                                      "}", "", "void __Two__Blanks_()", "{", "}", ""}));
}

TEST(StoreFormat, TreeKeysAreUniqueAndRemovalFreesThem) {
  TreeModel tree;
  const auto root = tree.Add(TreeModel::kNoNode, "Root", "Program Groups");
  const auto group = tree.Add(*root, "Tools", "Tools");
  ASSERT_TRUE(root && group && tree.Add(*group, "ToolsProgramPath0", "C:\\a.exe"));
  EXPECT_FALSE(tree.Add(*root, "Tools", "again"));
  EXPECT_TRUE(tree.Add(*root, "tools", "case counts") && tree.Add(*root, "", "no key") &&
              tree.Add(*root, "", "no key either"));
  EXPECT_TRUE(tree.Remove(*group));
  EXPECT_EQ(tree.Find("ToolsProgramPath0"), TreeModel::kNoNode);
  EXPECT_EQ(tree.Count(), 4u);
  EXPECT_TRUE(tree.Add(*root, "Tools", "back"));
}

} // namespace
} // namespace vantrel::store
