// What the program-group store needs from the rest of Vantrel: the offered
// languages (the file stores a language by its display name), a way to
// reload the caption tables when the file changes the language, and the
// message texts for the load-failure box. Kept narrow so that VantrelSync
// and the tests can hand in as little as they need.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vantrel {

// One line of lang\languagefile.dat: the name shown in the language menu
// and the code that names the caption files.
struct LanguageEntry {
  std::string DisplayName;
  std::string Code;
};

struct StoreHost {
  // The languages offered; null when none are loaded.
  const std::vector<LanguageEntry>* Languages = nullptr;
  // Reloads the caption and message tables for the current language.
  std::function<void()> ReloadLanguageFiles;
  // The text of a Messages entry by index.
  std::function<std::string(int index)> Message;
};

} // namespace vantrel
