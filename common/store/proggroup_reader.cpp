#include "common/store/proggroup_reader.h"

#include <algorithm>
#include <optional>
#include <string>

#include "common/store/clean_line.h"
#include "common/store/disallowed.h"
#include "common/store/field_escape.h"
#include "common/store/group_operations.h"
#include "common/store/line_reader.h"
#include "common/store/program_line.h"
#include "common/store/store_numbers.h"
#include "common/text.h"

namespace vantrel::store {

namespace {

std::string WithoutChars(std::string_view text, std::string_view drop) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (drop.find(c) == std::string_view::npos)
      out += c;
  }
  return out;
}

// Lists fill their last slot when it is free and grow otherwise.
void StoreEntry(std::vector<std::string>& list, std::string entry) {
  if (!list.empty() && list.back().empty())
    list.back() = std::move(entry);
  else
    list.push_back(std::move(entry));
}

// The text after the first "=", without one final ";", trimmed; empty
// optional when the line has no "=".
std::optional<std::string> OptionValue(std::string_view line) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos)
    return std::nullopt;
  std::string_view value = line.substr(equals + 1);
  if (EndsWith(value, ";"))
    value.remove_suffix(1);
  return TrimBlanks(value);
}

// The line without the blanks and tabs that indent it.
std::string_view Unindented(std::string_view line) {
  const auto start = line.find_first_not_of(" \t");
  return start == std::string_view::npos ? std::string_view() : line.substr(start);
}

// A "}" inside a quoted field (a parameter, a hand-written path) does not
// end the block.
bool HasBraceOutsideQuotes(std::string_view line) {
  bool inQuotes = false;
  for (char c : line) {
    if (c == '"')
      inQuotes = !inQuotes;
    else if (c == '}' && !inQuotes)
      return true;
  }
  return false;
}

class ProgGroupReader {
public:
  ProgGroupReader(std::string_view text, StoreTables& tables, const StoreHost& host,
                  TreeModel* tree)
      : lines_(text), tables_(tables), host_(host), tree_(tree) {}

  bool Read() {
    tables_.ProgramGroups.assign(1, ProgramGroup{"", {ProgramEntry{}}});
    tables_.TakeBackReturnedItems = false;
    if (tree_) {
      tree_->Clear();
      root_ = *tree_->Add(TreeModel::kNoNode, "Root", "Program Groups");
    }
    if (lines_.AtEnd())
      return false; // an empty file is reported like a broken one
    bool complete = true;
    while (complete && !lines_.AtEnd()) {
      std::string_view line = lines_.Next();
      // A block comment runs from a "/*" line through the next "*/" line.
      // Only the first line of each pass is looked at, so a comment that
      // opens right after a "*/" line is read as ordinary lines.
      if (StartsWith(Unindented(line), "/*") && !lines_.AtEnd()) {
        do {
          line = lines_.Next();
        } while (!StartsWith(Unindented(line), "*/") && !lines_.AtEnd());
        if (!lines_.AtEnd())
          line = lines_.Next();
      }
      complete = HandleLine(CleanLine(line));
    }
    // What came before a faulty line is loaded and is started at login, as
    // the load-failure box tells the user.
    SortArray(tables_);
    tables_.StartupGroupIndex = GetGroupID(tables_, kStartupGroupName);
    return complete;
  }

private:
  bool HandleLine(const std::string& line) {
    if (line.empty())
      return true;
    if (StartsWith(line, "char DisallowedPrograms"))
      ReadDisallowedBlock();
    else if (StartsWith(line, "char StoppedPrograms"))
      ReadStoppedBlock();
    else if (StartsWith(line, "const MainStartupDelay"))
      ReadMainStartupDelay(line);
    else if (StartsWith(line, "const Language"))
      ReadLanguage(line);
    else if (StartsWith(line, "const StartupType"))
      ReadInteger(line, tables_.StartupType);
    else if (StartsWith(line, "const CloseType"))
      ReadInteger(line, tables_.CloseType);
    else if (StartsWith(line, "const ShowTipsAtStartup"))
      ReadShowTips(line);
    else if (StartsWith(line, "const TakeBackReturnedItems"))
      ReadTakeBack(line);
    else if (StartsWith(TrimBlanks(line), "void"))
      return ReadGroup(line);
    return true;
  }

  // Runs visit over the lines of a list block, up to and including the
  // first line that holds "}". The brace lines themselves are skipped.
  template <typename Visit> void ForEachListLine(Visit visit) {
    if (lines_.AtEnd())
      return;
    std::string_view line;
    do {
      line = lines_.Next();
      // A hand-written comment line inside the list is no entry.
      if (line != "{" && line != "}" && line != "};" && !StartsWith(Unindented(line), "//"))
        visit(line);
    } while (line.find('}') == std::string_view::npos && !lines_.AtEnd());
  }

  void ReadDisallowedBlock() {
    auto& list = tables_.DisallowedPrograms;
    list.assign(1, std::string());
    if (lines_.AtEnd())
      return;
    ForEachListLine([&](std::string_view line) {
      std::string word = WithoutChars(line, "\"\t ");
      if (EndsWith(word, ","))
        word.pop_back();
      StoreEntry(list, TrimBlanks(word));
    });
    AddMissingBuiltInWords(list);
  }

  void ReadStoppedBlock() {
    auto& list = tables_.StoppedPrograms;
    list.assign(1, std::string());
    ForEachListLine([&](std::string_view line) {
      std::string entry = TrimBlanks(WithoutChars(line, "\"\t"));
      while (EndsWith(entry, ","))
        entry.pop_back();
      StoreEntry(list, DecodeField(TrimBlanks(entry)));
    });
  }

  // An option line first sets the option's default; a value that does not
  // convert leaves it there and never stops the load.
  void ReadMainStartupDelay(std::string_view line) {
    tables_.MainStartupDelay = 30;
    if (const auto value = OptionValue(line))
      if (const auto number = ParseSingle(*value))
        tables_.MainStartupDelay = *number;
  }

  void ReadInteger(std::string_view line, std::int32_t& option) {
    option = 1;
    if (const auto value = OptionValue(line))
      if (const auto number = ParseInteger16(*value))
        option = *number;
  }

  void ReadShowTips(std::string_view line) {
    const auto value = OptionValue(line);
    if (!value)
      return;
    if (*value == "True")
      tables_.ShowTipsAtStartup = -1;
    else if (*value == "False")
      tables_.ShowTipsAtStartup = 0;
    else if (const auto number = ParseInteger16(*value))
      tables_.ShowTipsAtStartup = *number;
  }

  // Added after the first builds: a file without the line means off, and
  // builds that know no such line pass over it.
  void ReadTakeBack(std::string_view line) {
    const auto value = OptionValue(line);
    const auto number = value ? ParseInteger16(*value) : std::nullopt;
    tables_.TakeBackReturnedItems = number && *number != 0;
  }

  // The file names a language by its display name.
  void ReadLanguage(std::string_view line) {
    tables_.Language = "en";
    const auto value = OptionValue(line);
    if (!value || !host_.Languages)
      return;
    for (const LanguageEntry& language : *host_.Languages) {
      if (language.DisplayName.empty() || language.Code.empty() || language.DisplayName != *value)
        continue;
      tables_.Language = language.Code;
      if (host_.ReloadLanguageFiles)
        host_.ReloadLanguageFiles();
      return;
    }
  }

  bool ReadGroup(std::string_view line) {
    const std::string header = TrimBlanks(line);
    if (header.size() < 5)
      return false; // a bare "void" names nothing
    std::string name = header.substr(5);
    if (EndsWith(name, "()"))
      name.resize(name.size() - 2);
    std::replace(name.begin(), name.end(), '_', ' ');

    auto& groups = tables_.ProgramGroups;
    if (!groups.back().Name.empty()) {
      if (groups.size() >= kMaxTableSlots)
        return false;
      groups.push_back(ProgramGroup{"", {ProgramEntry{}}});
    }
    groups.back().Name = name;
    const std::size_t group = groups.size() - 1;

    TreeModel::NodeId groupNode = TreeModel::kNoNode;
    if (tree_) {
      const auto added = tree_->Add(root_, name, name);
      if (!added)
        return false;
      groupNode = *added;
    }

    if (lines_.AtEnd())
      return true;
    std::string blockLine;
    do {
      blockLine = CleanLine(lines_.Next());
      // Indented braces, comment lines and lines of blanks are hand edits
      // the help allows.
      const std::string_view kept = Unindented(blockLine);
      if (kept != "{" && kept != "}" && kept != "}," && !kept.empty()) {
        if (!ReadProgram(blockLine, group, groupNode))
          return false;
      }
    } while (!HasBraceOutsideQuotes(blockLine) && !lines_.AtEnd());
    return true;
  }

  bool ReadProgram(std::string_view line, std::size_t group, TreeModel::NodeId groupNode) {
    ProgramGroup& target = tables_.ProgramGroups[group];
    auto& programs = target.Programs;
    if (programs.empty() || !programs.back().Path.empty()) {
      if (programs.size() >= kMaxTableSlots)
        return false;
      programs.emplace_back();
    }
    const std::size_t slot = programs.size() - 1;

    ProgramLineResult parsed =
        ParseProgramLine(line, tables_.CurrentUserItemsFolder, tables_.AllUsersItemsFolder);
    if (!parsed.ok)
      return false;
    if (parsed.entry.Path.empty())
      return true; // the slot stays free for the next line
    programs[slot] = std::move(parsed.entry);
    return !tree_ || AddProgramNodes(target, slot, groupNode);
  }

  // The keys carry the slot's position in the file, before any sorting.
  bool AddProgramNodes(const ProgramGroup& group, std::size_t slot, TreeModel::NodeId groupNode) {
    const ProgramEntry& entry = group.Programs[slot];
    const std::string n = std::to_string(slot);
    const auto pathNode = tree_->Add(groupNode, group.Name + "ProgramPath" + n, entry.Path);
    if (!pathNode)
      return false;
    return tree_->Add(*pathNode, group.Name + "ProgramParameters" + n, entry.Parameters) &&
           tree_->Add(*pathNode, group.Name + "ProgramDelay" + n, FormatNumber(entry.Delay));
  }

  LineReader lines_;
  StoreTables& tables_;
  const StoreHost& host_;
  TreeModel* tree_;
  TreeModel::NodeId root_ = TreeModel::kNoNode;
};

} // namespace

bool ReadProgGroup(std::string_view text, StoreTables& tables, const StoreHost& host,
                   TreeModel* tree) {
  return ProgGroupReader(text, tables, host, tree).Read();
}

} // namespace vantrel::store
