// The small pieces of the proggroup.c format: comments, numbers and the
// program line.
#include <gtest/gtest.h>

#include "common/store/clean_line.h"
#include "common/store/program_line.h"
#include "common/store/store_numbers.h"

namespace vantrel::store {
namespace {

TEST(StoreCleanLine, CutsAtTheFirstCommentOutsideQuotes) {
  struct Case {
    std::string_view line, expected;
  } cases[] = {
      {"const MainStartupDelay = 45; // wait", "const MainStartupDelay = 45; "},
      {"// whole line", ""},
      {"\tvoid\tTools()", "voidTools()"},
      {"a//b//c", "a"},
      {"     Execute (\"C:\\b.exe\", \"http://x.org/a//b\", 5, \"\"); // note",
       "     Execute (\"C:\\b.exe\", \"http://x.org/a//b\", 5, \"\"); "},
      {"     \"format\", // the \"format\" word", "     \"format\", "},
      {"\"unclosed // stays", "\"unclosed // stays"},
      {"\"\t//\"", "\"//\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.line));
    EXPECT_EQ(CleanLine(c.line), c.expected);
  }
}

TEST(StoreNumbers, WritesTheShortestTextThatReadsBack) {
  struct Case {
    float value;
    std::string_view text;
  } cases[] = {{0.0f, "0"},   {30.0f, "30"},    {2.5f, "2.5"},          {0.1f, "0.1"},
               {-1.0f, "-1"}, {1e20f, "1e+20"}, {123456.7f, "123456.7"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(FormatNumber(c.value), c.text);
    EXPECT_EQ(ParseSingle(c.text), c.value);
  }
  EXPECT_EQ(FormatNumber(std::numeric_limits<float>::quiet_NaN()), "0");
  EXPECT_EQ(FormatNumber(std::numeric_limits<float>::infinity()), "0");
  const float tiny = std::numeric_limits<float>::denorm_min();
  EXPECT_EQ(ParseSingle(FormatNumber(tiny)), tiny);
}

TEST(StoreNumbers, ReadsDecimalNumbersOnly) {
  struct Case {
    std::string_view text;
    std::optional<float> single;
    std::optional<std::int16_t> integer;
  } cases[] = {
      {" 10 ", 10.0f, 10},
      {"3.5", 3.5f, 4},
      {"-2.5", -2.5f, -2},
      {"1e1", 10.0f, 10},
      {"32767", 32767.0f, 32767},
      {"32767.5", 32767.5f, {}},
      {"-32768", -32768.0f, -32768},
      {"40000", 40000.0f, {}},
      {"", {}, {}},
      {"45; // wait", {}, {}},
      {"2,5", {}, {}},
      {"nan", {}, {}},
      {"1e39", {}, {}},
      {"e5", {}, {}},
      {"- 1", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(ParseSingle(c.text), c.single);
    EXPECT_EQ(ParseInteger16(c.text), c.integer);
  }
}

TEST(StoreProgramLine, ReadsTheFieldsOfAProgramLine) {
  const std::string_view cu = "C:\\Vantrel\\Vantrel Items\\Current User\\";
  const std::string_view au = "C:\\Vantrel\\Vantrel Items\\All Users\\";
  struct Case {
    std::string_view line;
    ProgramEntry expected;
  } cases[] = {
      {"     ExecuteReg (\"C:\\Tools\\agent.exe\", \"-min -q\", 10, \"Agent\");",
       {"C:\\Tools\\agent.exe", "-min -q", "ExecuteReg", 10, "Agent", 0}},
      {"     ExecuteReg (\"C:\\Tools\\agent.exe\" , \"-min -q\", 10, \"Agent\");",
       {"C:\\Tools\\agent.exe", "-min -q", "ExecuteReg", 10, "Agent", 0}},
      {"Execute (\"C:\\Vantrel\\Vantrel Items\\Current User\\\\Tool.lnk\", \"\", 2.5, \"\");",
       {"Tool.lnk", "", "Execute", 2.5f, "", 0}},
      {"ExecuteAU (\"C:\\Vantrel\\Vantrel Items\\All Users\\Mail.lnk\", \"\", 0, \"\");",
       {"Mail.lnk", "", "ExecuteAU", 0, "", 0}},
      // The writer's header shows a blank after "(": the stray quote stays.
      {"Execute( \"C:\\a.exe\", \"\", 5, \"\");", {"\"C:\\a.exe", "", "Execute", 5, "", 0}},
      {"Close (\"\", \"\", 0, \"\");", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.line));
    const auto result = ParseProgramLine(c.line, cu, au);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.entry, c.expected);
  }
}

TEST(StoreProgramLine, NeverStripsAnUnknownItemsFolder) {
  const auto result =
      ParseProgramLine("Execute (\"\\\\server\\share\\a.exe\", \"\", 0, \"\");", "", "");
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(result.entry.Path, "\\\\server\\share\\a.exe");
}

TEST(StoreProgramLine, BrokenLinesFail) {
  for (std::string_view line : {
           "Execute \"C:\\a.exe\", \"\", 5, \"\";",      // no "("
           "Execute (\"C:\\a.exe, 5);",                  // no closing quote after the path
           "Execute (\"C:\\a.exe\", -q, 5, \"\");",      // unquoted parameters
           "Execute (\"C:\\a.exe\", \"\", 5 \"\");",     // no comma after the delay
           "Execute (\"C:\\a.exe\", \"\", five, \"\");", // delay is no number
           "};",
       }) {
    SCOPED_TRACE(std::string(line));
    EXPECT_FALSE(ParseProgramLine(line, "", "").ok);
  }
}

} // namespace
} // namespace vantrel::store
