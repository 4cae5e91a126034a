#include "common/store/disallowed.h"

#include <algorithm>

#include "common/text.h"

namespace vantrel::store {

namespace {

bool IsSeparator(char c) {
  return c == ' ' || c == '\\' || c == '/' || c == '"';
}

template <typename Visit> void ForEachWord(std::string_view path, Visit visit) {
  std::size_t start = 0;
  while (start < path.size()) {
    while (start < path.size() && IsSeparator(path[start]))
      ++start;
    std::size_t stop = start;
    while (stop < path.size() && !IsSeparator(path[stop]))
      ++stop;
    if (stop > start && visit(path.substr(start, stop - start)))
      return;
    start = stop;
  }
}

void AppendTo(std::vector<std::string>& list, const std::string& text) {
  if (!list.empty() && list.back().empty())
    list.back() = text;
  else
    list.push_back(text);
}

} // namespace

bool IsDisallowedBy(std::string_view path, std::string_view word) {
  if (word.empty())
    return false;
  bool found = false;
  ForEachWord(path, [&](std::string_view pathWord) {
    const auto dot = pathWord.rfind('.');
    found = EqualsIgnoreCase(pathWord, word) ||
            (dot != std::string_view::npos && EqualsIgnoreCase(pathWord.substr(0, dot), word));
    return found;
  });
  return found;
}

void AddMissingBuiltInWords(std::vector<std::string>& list) {
  for (std::string_view builtIn : kBuiltInDisallowed) {
    const bool present = std::any_of(list.begin(), list.end(), [&](const std::string& entry) {
      return EqualsIgnoreCase(TrimBlanks(entry), builtIn);
    });
    if (!present)
      list.emplace_back(builtIn);
  }
}

void RemoveDisallowed(StoreTables& tables, std::vector<std::string>& removed) {
  removed.assign(1, std::string());
  const StoreIndex startup = tables.StartupGroupIndex;
  if (startup < 0 || static_cast<std::size_t>(startup) >= tables.ProgramGroups.size())
    return;
  for (ProgramEntry& entry : tables.ProgramGroups[static_cast<std::size_t>(startup)].Programs) {
    const std::string path = TrimBlanks(entry.Path);
    if (path.empty())
      continue;
    for (const std::string& word : tables.DisallowedPrograms) {
      if (word.empty() || !IsDisallowedBy(path, word))
        continue;
      AppendTo(removed, path);
      entry.Path.clear();
    }
  }
}

} // namespace vantrel::store
