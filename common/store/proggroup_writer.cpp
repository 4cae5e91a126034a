#include "common/store/proggroup_writer.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "common/store/field_escape.h"
#include "common/store/store_numbers.h"
#include "common/text.h"

namespace vantrel::store {

namespace {

constexpr std::string_view kHeader[] = {
    "// ProgGroup.c",
    "//",
    "// Follows a general C format structure, however it can't be compiled",
    "// -- it's a bit more relaxed than normal C code!",
    "//",
    "// NOTE: You can use /* */ however they must appear on their own line",
    "// and on 2 separate lines (see below)",
    "//",
    "// EX:",
    "/*",
    "     void ProgramGroupName()",
    "     {",
    "          Execute( \"C:\\Program Files\\Office Apps\\WordProcessor.exe\", \"-Parameters\", "
    "5, \"Registry Key Name\");",
    "     }",
    "*/",
    "// If you want a space in the program group name, use a _, the program will automatically",
    "// convert it for you",
    "//",
    "// Available commands (NOTE: itmes marked with * are not implemented, but may work in "
    "future releases):",
    "//",
    "// Execute - Runs the program",
    "//      Execute( \"Path & FileName.ext\", \"Parameters\", delay, \"Registry Key Name\");",
    "// Close* - Closes the program (if possible)",
    "//      Close (\"Program Taskbar Entry\", \"Taskbar Caption\" );",
    "// DelayReg* - Adds program to delayed list, if doesn't already; exist",
    "//      DelayReg ( \"REGISTRY location(HKLM / HKCU)\", \"REGISTRY Entry Name\");",
    "// DelayStartup*",
    "//      DelayStartup ( \"Startup Folder location (All Users [AU]/Current User [CU])\", "
    "\"Link name\" );",
    "//",
    "//",
    "//",
    "//",
    "// WARNING: SOME COMMANDS SUCH AS \"Format\", \"FDISK\", ARE NOT ALLOWED BY THE PROGRAM",
    "//      THIS IS FOR SECURITY TYPE OF REASONS. ADDITIONAL ITEMS CAN BE ADDED BELOW",
    "",
    "",
    "// Please enter any disallowed programs to this list",
    "// Note, that while these are listed. they also are blocked",
    "// by the program itself even if removed",
    "// While the numbers in []'s aren't intrepreted literally... you may wish to modify",
    "// them appropriately. (you can NOT change the name of the \"DisallowedPrograms\"",
    "// doing so will cause it not to work",
    "// You MUST keep this in this format, one item per line",
};
static_assert(std::size(kHeader) == 43);

constexpr std::string_view kEntryIndent = "     ";

// What the option blocks hold; each value is already in its file form.
struct OptionValues {
  std::string mainStartupDelay;
  std::string startupType;
  std::string closeType;
  std::optional<std::string> languageName; // no Language line when empty
  std::string_view showTipsComment;
  std::string showTips;
};

class FileText {
public:
  explicit FileText(std::size_t expected) { text_.reserve(expected); }

  void Line(std::string_view line) {
    text_.append(line);
    text_.append("\r\n");
  }
  template <typename... Parts> void Line(std::string_view first, const Parts&... rest) {
    text_.append(first);
    Line(rest...);
  }
  std::string Take() { return std::move(text_); }

private:
  std::string text_;
};

void WriteHeader(FileText& out) {
  for (std::string_view line : kHeader)
    out.Line(line);
}

void WriteDisallowed(FileText& out, const std::vector<std::string>& words) {
  out.Line("char DisallowedPrograms[256][", std::to_string(words.size()), "]=");
  out.Line("{");
  for (std::size_t i = 0; i < words.size(); ++i)
    out.Line(kEntryIndent, "\"", TrimBlanks(words[i]), "\"", i + 1 < words.size() ? ", " : "");
  out.Line("};");
  out.Line("");
}

void WriteStoppedComment(FileText& out) {
  out.Line("// DO NOT EDIT THIS ");
  out.Line("// It's only used to show items that the program removed");
  out.Line("// from the startup");
}

void WriteStopped(FileText& out, const std::vector<std::string>& stopped) {
  WriteStoppedComment(out);
  const bool firstUsed = !stopped.empty() && !stopped.front().empty();
  out.Line("char StoppedPrograms[256][", firstUsed ? std::to_string(stopped.size()) : "0", "]=");
  out.Line("{");
  for (std::size_t i = 0; i < stopped.size(); ++i) {
    if (stopped[i].empty())
      continue;
    out.Line(kEntryIndent, "\"", EncodeField(TrimBlanks(stopped[i]), FieldKind::kStoppedEntry),
             "\"", i + 1 < stopped.size() ? ", " : "");
  }
  out.Line("}");
}

void WriteOptions(FileText& out, const OptionValues& options) {
  out.Line("// This delay is the number of seconds that pass, before");
  out.Line("// ANY program is run. The delays for the programs are added to");
  out.Line("// this number. (i.e. a 30 sec delay here, a 5 sec delay for a program =");
  out.Line("// 35 sec from this program's start before it runs the program");
  out.Line("const MainStartupDelay = ", options.mainStartupDelay, ";");
  out.Line("");
  out.Line("// Program startup...");
  out.Line("// 0 = Don't Run at Startup");
  out.Line("// 1 = Don't Run at Startup, unless are delayed items");
  out.Line("// 2 = Always Run at Startup, for me only");
  out.Line("// 3 = Always Run at Startup, for all users");
  out.Line("// The program must run once before this takes effect");
  out.Line("const StartupType = ", options.startupType, ";");
  out.Line("");
  out.Line("// Program Closing (X - button)");
  out.Line("// 0 = Close the program when click X");
  out.Line("// 1 = Minimize to the tray when click X");
  out.Line("const CloseType = ", options.closeType, ";");
  out.Line("");
  out.Line("// Default Language");
  if (options.languageName)
    out.Line("const Language = ", *options.languageName, ";");
  out.Line("");
  out.Line(options.showTipsComment);
  out.Line("const ShowTipsAtStartup = ", options.showTips, ";");
  out.Line("");
}

std::string FileGroupName(std::string_view name) {
  std::string out(name);
  std::replace(out.begin(), out.end(), ' ', '_');
  return out;
}

void WriteGroups(FileText& out, const std::vector<ProgramGroup>& groups) {
  bool anyWritten = false;
  for (const ProgramGroup& group : groups) {
    if (group.Name.empty())
      continue;
    if (anyWritten) {
      out.Line("}");
      out.Line("");
    }
    anyWritten = true;
    out.Line("void ", FileGroupName(group.Name), "()");
    out.Line("{");
    for (const ProgramEntry& entry : group.Programs) {
      if (entry.Path.empty())
        continue;
      out.Line(kEntryIndent, entry.Command, " (\"", EncodeField(entry.Path, FieldKind::kPath),
               "\", \"", EncodeField(entry.Parameters, FieldKind::kParameters), "\", ",
               FormatNumber(entry.Delay), ", \"",
               EncodeField(entry.RegistryName, FieldKind::kRegistryName), "\");");
    }
  }
  out.Line("}");
  out.Line("");
}

std::size_t ExpectedSize(const std::vector<ProgramGroup>& groups) {
  std::size_t size = 4096;
  for (const ProgramGroup& group : groups) {
    size += 32 + group.Name.size();
    for (const ProgramEntry& entry : group.Programs) {
      size += 40 + entry.Command.size() + entry.Path.size() + entry.Parameters.size() +
              entry.RegistryName.size();
    }
  }
  return size;
}

std::optional<std::string> LanguageName(const std::string& code,
                                        const std::vector<LanguageEntry>* languages) {
  if (!languages || code.empty())
    return std::nullopt;
  for (const LanguageEntry& language : *languages) {
    if (language.Code == code && !language.DisplayName.empty())
      return language.DisplayName;
  }
  return std::nullopt;
}

} // namespace

std::string FormatProgGroup(const StoreTables& tables,
                            const std::vector<LanguageEntry>* languages) {
  FileText out(ExpectedSize(tables.ProgramGroups));
  WriteHeader(out);
  WriteDisallowed(out, tables.DisallowedPrograms);
  WriteStopped(out, tables.StoppedPrograms);
  WriteOptions(
      out, OptionValues{FormatNumber(tables.MainStartupDelay), std::to_string(tables.StartupType),
                        std::to_string(tables.CloseType), LanguageName(tables.Language, languages),
                        "// Show Tips At Startup", std::to_string(tables.ShowTipsAtStartup)});
  // Written only when on, so that files stay as earlier builds wrote them.
  if (tables.TakeBackReturnedItems) {
    out.Line("// Take back items that come back to Windows' startup (1 = yes)");
    out.Line("const TakeBackReturnedItems = 1;");
    out.Line("");
  }
  WriteGroups(out, tables.ProgramGroups);
  return out.Take();
}

std::string FormatSyncProgGroup(const std::vector<ProgramGroup>& groups) {
  FileText out(ExpectedSize(groups));
  WriteHeader(out);
  WriteDisallowed(out,
                  std::vector<std::string>(kBuiltInDisallowed.begin(), kBuiltInDisallowed.end()));
  // VantrelSync keeps no stopped items; its empty list closes with "};".
  WriteStoppedComment(out);
  out.Line("char StoppedPrograms[256][0]=");
  out.Line("{");
  out.Line("};");
  WriteOptions(out,
               OptionValues{"30", "1", "0", std::string("en"), "// Show Tips at Startup", "1"});
  WriteGroups(out, groups);
  return out.Take();
}

} // namespace vantrel::store
