// One cut of a command line for both programs: Vantrel's record keeps the
// blanks that led up to the parameters, VantrelSync trims its copy; the
// cut itself is the same.
#include <string>

#include <gtest/gtest.h>

#include "common/command_split.h"
#include "common/text.h"

namespace vantrel {
namespace {

TEST(CommandSplit, CutsAfterTheExeThatEndsTheProgram) {
  const struct {
    const char* command;
    const char* path;
    const char* parameters;
  } cases[] = {
      // Quoted and unquoted programs with a switch.
      {"\"C:\\Program Files\\Agent\\agent.exe\" -q", "\"C:\\Program Files\\Agent\\agent.exe\" ",
       "-q"},
      {"C:\\Tools\\agent.exe   -a  -b  ", "C:\\Tools\\agent.exe   ", "-a  -b"},
      {"\"C:\\Tools\\agent.exe\"", "\"C:\\Tools\\agent.exe\"", ""},
      {"\"C:\\Tools\\agent.exe\"-s", "\"C:\\Tools\\agent.exe\"", "-s"},
      // ".EXE" counts like ".exe"; the texts keep their case.
      {"C:\\TOOLS\\AGENT.EXE /MIN", "C:\\TOOLS\\AGENT.EXE ", "/MIN"},
      // ".exe" inside a folder name is not where the program ends.
      {"\"C:\\Apps.exe.d\\run.exe\" -x", "\"C:\\Apps.exe.d\\run.exe\" ", "-x"},
      {"C:\\my.exe.files\\tool.exe -x", "C:\\my.exe.files\\tool.exe ", "-x"},
      // Parameters that repeat part of the path leave the path whole.
      {"C:\\app\\app.exe app", "C:\\app\\app.exe ", "app"},
      // "=" in the data stays with the parameters.
      {"C:\\T\\t.exe x=1 /y=\"a b\"", "C:\\T\\t.exe ", "x=1 /y=\"a b\""},
      // No ".exe" at all, or a text that ends in ".exe" or ".lnk": all path.
      {"C:\\Tools\\run.bat -x", "C:\\Tools\\run.bat -x", ""},
      {"Run me.exe now.lnk", "Run me.exe now.lnk", ""},
      {"C:\\Program Files\\Setup helper.exe", "C:\\Program Files\\Setup helper.exe", ""},
      {"", "", ""},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.command);
    const PathAndParameters split = SplitCommandLine(row.command);
    EXPECT_EQ(row.path, split.path);
    EXPECT_EQ(row.parameters, split.parameters);
    // The path and parameters give the command back.
    EXPECT_EQ(TrimBlanks(row.command),
              TrimBlanks(split.path + (split.parameters.empty() ? "" : split.parameters)));
  }
}

TEST(CommandSplit, NameAndCommandAtTheFirstEquals) {
  for (const char* text : {"Agent=C:\\T\\agent.exe -q", "a=b=c", "=C:\\a.exe", "no equals sign"}) {
    const NameAndCommand split = SplitNameAndCommand(text);
    EXPECT_EQ(split.name + (split.command.empty() ? "" : "=" + split.command), text);
    EXPECT_EQ(split.name.find('='), std::string::npos) << text;
  }
}

} // namespace
} // namespace vantrel
