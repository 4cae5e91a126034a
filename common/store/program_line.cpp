#include "common/store/program_line.h"

#include "common/store/field_escape.h"
#include "common/store/store_numbers.h"
#include "common/text.h"

namespace vantrel::store {

namespace {

// Strips an items folder and one backslash after it. An empty folder (not
// yet known) matches nothing, so a UNC path keeps both its backslashes.
bool StripFolder(std::string& path, std::string_view folder) {
  if (folder.empty() || !StartsWith(path, folder))
    return false;
  path.erase(0, folder.size());
  if (StartsWith(path, "\\"))
    path.erase(0, 1);
  return true;
}

std::string RemoveAll(std::string text, std::string_view what) {
  return ReplaceAll(text, what, "");
}

} // namespace

ProgramLineResult ParseProgramLine(std::string_view line, std::string_view currentUserItemsFolder,
                                   std::string_view allUsersItemsFolder) {
  ProgramLineResult result;
  ProgramEntry& entry = result.entry;

  const auto open = line.find('(');
  if (open == std::string_view::npos)
    return result;
  entry.Command = TrimBlanks(line.substr(0, open));

  // The character after "(" is the opening quote of the path.
  std::string rest(line.substr(std::min(open + 2, line.size())));
  rest = ReplaceAll(rest, "\" ,", "\",");

  const auto pathEnd = rest.find("\",");
  if (pathEnd == std::string::npos)
    return result;
  entry.Path = DecodeField(TrimBlanks(std::string_view(rest).substr(0, pathEnd)));
  if (!StripFolder(entry.Path, currentUserItemsFolder))
    StripFolder(entry.Path, allUsersItemsFolder);
  if (entry.Path.empty()) {
    result.ok = true;
    result.entry = ProgramEntry{};
    return result;
  }

  rest = TrimBlanks(std::string_view(rest).substr(pathEnd + 2));
  if (StartsWith(rest, "\""))
    rest.erase(0, 1);

  const auto parametersEnd = rest.find('"');
  if (parametersEnd == std::string::npos)
    return result;
  entry.Parameters = DecodeField(TrimBlanks(std::string_view(rest).substr(0, parametersEnd)));
  rest.erase(0, parametersEnd + 1);

  if (StartsWith(rest, ", "))
    rest.erase(0, 2);
  const auto delayEnd = rest.find(',');
  if (delayEnd == std::string::npos)
    return result;
  const auto delay = ParseSingle(std::string_view(rest).substr(0, delayEnd));
  if (!delay)
    return result;
  entry.Delay = *delay;
  rest.erase(0, delayEnd + 1);

  for (std::string_view noise : {");", ")", "\"", ","})
    rest = RemoveAll(std::move(rest), noise);
  entry.RegistryName = DecodeField(TrimBlanks(rest));

  result.ok = true;
  return result;
}

} // namespace vantrel::store
