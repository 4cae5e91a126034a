// Splitting stored command lines into program and parameters, and listed
// registry values into name and data.
#include <string>

#include <gtest/gtest.h>

#include "vantrelsync/split_command.h"

namespace vantrel::sync {
namespace {

constexpr const char* kUntouched = "<untouched>";

struct SplitCase {
  const char* text;
  const char* path;
  const char* parameters;
};

TEST(SyncSplitCommand, SplitsAfterTheProgramsExe) {
  const SplitCase cases[] = {
      // Quoted program and a switch; unquoted program and a switch; a
      // shortcut file name.
      {"\"C:\\Program Files\\Agent\\agent.exe\" -q", "\"C:\\Program Files\\Agent\\agent.exe\"",
       "-q"},
      {"C:\\Tools\\agent.exe -q", "C:\\Tools\\agent.exe", "-q"},
      {"Tool.lnk", "Tool.lnk", ""},
      // Blanks around and between are trimmed away, inner ones stay.
      {"  C:\\Tools\\agent.exe   -a  -b  ", "C:\\Tools\\agent.exe", "-a  -b"},
      {"\"C:\\Tools\\agent.exe\"", "\"C:\\Tools\\agent.exe\"", ""},
      {"\"C:\\Tools\\agent.exe\"-s", "\"C:\\Tools\\agent.exe\"", "-s"},
      // ".EXE" in capitals counts like ".exe"; the texts keep their case.
      {"C:\\TOOLS\\AGENT.EXE", "C:\\TOOLS\\AGENT.EXE", ""},
      {"C:\\TOOLS\\AGENT.EXE /MIN", "C:\\TOOLS\\AGENT.EXE", "/MIN"},
      {"\"C:\\Tools\\Agent.Exe\" /Min", "\"C:\\Tools\\Agent.Exe\"", "/Min"},
      // ".exe" inside a folder name is not where the program ends.
      {"C:\\my.exe.files\\tool.exe -x", "C:\\my.exe.files\\tool.exe", "-x"},
      {"\"C:\\Apps.exe.d\\run.exe\" -x", "\"C:\\Apps.exe.d\\run.exe\"", "-x"},
      {"C:\\Apps.exe.d\\run.bat", "C:\\Apps.exe.d\\run.bat", ""},
      // Parameters that also occur inside the program's path leave the
      // path whole.
      {"C:\\app\\app.exe app", "C:\\app\\app.exe", "app"},
      {"\"C:\\a b\\run.exe\" b", "\"C:\\a b\\run.exe\"", "b"},
      // No ".exe" at all, or a name that ends in ".exe" or ".lnk": all path.
      {"C:\\Tools\\run.bat -x", "C:\\Tools\\run.bat -x", ""},
      {"notepad", "notepad", ""},
      {"Run me.exe now.lnk", "Run me.exe now.lnk", ""},
      {"C:\\Program Files\\Setup helper.exe", "C:\\Program Files\\Setup helper.exe", ""},
      // Nothing but blanks: both results stay as they were.
      {"", kUntouched, kUntouched},
      {"     ", kUntouched, kUntouched},
  };
  for (const SplitCase& row : cases) {
    SCOPED_TRACE(row.text);
    std::string path = kUntouched;
    std::string parameters = kUntouched;
    SplitCommand(row.text, path, parameters);
    EXPECT_EQ(row.path, path);
    EXPECT_EQ(row.parameters, parameters);
  }
}

TEST(SyncSplitCommand, SplitsNameAndValueAtTheFirstEquals) {
  const SplitCase cases[] = {
      {"Agent=C:\\Tools\\agent.exe -q", "Agent", "C:\\Tools\\agent.exe -q"},
      {"a=b=c", "a", "b=c"},
      {"=C:\\Tools\\agent.exe", "", "C:\\Tools\\agent.exe"},
      {"Agent=", "Agent", ""},
      {"=", "", ""},
      {"no equals sign", kUntouched, kUntouched},
      {"", kUntouched, kUntouched},
  };
  for (const SplitCase& row : cases) {
    SCOPED_TRACE(row.text);
    std::string name = kUntouched;
    std::string data = kUntouched;
    SplitNameValue(row.text, name, data);
    EXPECT_EQ(row.path, name);
    EXPECT_EQ(row.parameters, data);
  }
}

} // namespace
} // namespace vantrel::sync
