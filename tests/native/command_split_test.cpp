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
  // Each command with a "|" where the cut falls; the parameters lose the
  // blanks at their end.
  for (std::string row :
       {"\"C:\\Program Files\\Agent\\agent.exe\" |-q", "C:\\Tools\\agent.exe   |-a  -b  ",
        "\"C:\\Tools\\agent.exe\"|",
        "C:\\TOOLS\\AGENT.EXE |/MIN",                    // ".EXE" counts like ".exe"
        "\"C:\\Apps.exe.d\\run.exe\" |-x",               // ".exe" inside a folder name is not
        "C:\\my.exe.files\\tool.exe |-x",                // where the program ends
        "C:\\Tools\\run.bat -x|", "Run me.exe now.lnk|", // no ".exe" where it could end
        "C:\\Program Files\\Setup helper.exe|", "|"}) {
    const auto cut = row.find('|');
    const PathAndParameters split = SplitCommandLine(row.substr(0, cut) + row.substr(cut + 1));
    EXPECT_EQ(row.substr(0, cut), split.path) << row;
    EXPECT_EQ(TrimBlanks(row.substr(cut + 1)), split.parameters) << row;
  }
}

TEST(CommandSplit, NameAndCommandAtTheFirstEquals) {
  for (const char* text : {"Agent=C:\\T\\agent.exe -q", "a=b=c", "=C:\\a.exe", "no equals sign"}) {
    const NameAndCommand split = SplitNameAndCommand(text);
    EXPECT_EQ(split.name + (split.command.empty() ? "" : "=" + split.command), text);
    EXPECT_EQ(split.name.find('='), std::string::npos) << text;
  }
  EXPECT_EQ(ToLowerAscii("AZaz@[`{"), "azaz@[`{");
  // A suffix may be the whole text, never longer than it.
  EXPECT_TRUE(EndsWith(".lnk", ".lnk"));
  EXPECT_FALSE(EndsWith("lnk", ".lnk"));
}

} // namespace
} // namespace vantrel
