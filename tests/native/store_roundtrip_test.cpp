// Tables written by the writer read back to the same tables: generated
// table sets within the format's limits (no tab or "}" in any text, no
// blanks around texts, no quote in Parameters or RegistryName, no comma or
// ")" in RegistryName, no underscore in group names, a quote in a Path
// only when nothing on its line holds "//").
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "common/store/proggroup_reader.h"
#include "common/store/proggroup_writer.h"
#include "store_test_support.h"

namespace vantrel::store {
namespace {

const std::vector<LanguageEntry> kLanguages{{"English", "en"},
                                            {"Deutsch", "de"},
                                            {"Fran\xe7"
                                             "ais",
                                             "fr"}};
const std::string kCurrentUserItems = "C:\\Program Files\\Vantrel\\Vantrel Items\\Current User\\";
const std::string kAllUsersItems = "C:\\Program Files\\Vantrel\\Vantrel Items\\All Users\\";

class TableGenerator {
public:
  explicit TableGenerator(unsigned seed) : random_(seed) {}

  // What is written, and what reading it back must give.
  struct Pair {
    StoreTables written;
    StoreTables expected;
  };

  Pair Next() {
    Pair pair;
    StoreTables& w = pair.written;
    w.CurrentUserItemsFolder = kCurrentUserItems;
    w.AllUsersItemsFolder = kAllUsersItems;
    StoreTables e = w;

    for (int i = Below(6); i > 0; --i)
      w.DisallowedPrograms.push_back(Text("abcdefXYZ019.-/:()'!#@", 1, 8));
    for (std::string_view word : kBuiltInDisallowed) {
      if (Below(5) == 0)
        continue; // the reader appends missing built-in words
      std::string cased(word);
      if (Below(2))
        std::transform(cased.begin(), cased.end(), cased.begin(), ::toupper);
      w.DisallowedPrograms.insert(
          w.DisallowedPrograms.begin() + Below(w.DisallowedPrograms.size() + 1), cased);
    }
    e.DisallowedPrograms = w.DisallowedPrograms;
    for (std::string_view word : kBuiltInDisallowed) {
      if (std::none_of(w.DisallowedPrograms.begin(), w.DisallowedPrograms.end(),
                       [&](const std::string& entry) { return Same(entry, word); }))
        e.DisallowedPrograms.emplace_back(word);
    }

    for (int i = Below(5); i > 0; --i) {
      if (Below(4) == 0) {
        w.StoppedPrograms.emplace_back();
        continue;
      }
      static constexpr const char* kPrefixes[] = {"_REGAU_", "_REGCU_", "_STPAU_", "_STPCU_"};
      std::string name = Text("ab Z:\\./,;(){=&", 1, 14);
      while (name.back() == ',' || name.back() == ' ')
        name.back() = 'z'; // a trailing comma ends an entry line
      w.StoppedPrograms.push_back(kPrefixes[Below(4)] + name);
      e.StoppedPrograms.push_back(w.StoppedPrograms.back());
    }
    if (e.StoppedPrograms.empty())
      e.StoppedPrograms.emplace_back();

    w.MainStartupDelay = Delay();
    w.StartupType = static_cast<std::int16_t>(random_());
    w.CloseType = Below(2);
    w.ShowTipsAtStartup = static_cast<std::int16_t>(random_());
    w.Language = Below(5) == 0 ? "xx" : kLanguages[Below(kLanguages.size())].Code;
    e.MainStartupDelay = w.MainStartupDelay;
    e.StartupType = w.StartupType;
    e.CloseType = w.CloseType;
    e.ShowTipsAtStartup = w.ShowTipsAtStartup;
    e.Language = w.Language == "xx" ? "en" : w.Language; // no line: the reader's value stays

    for (int g = Below(6); g > 0; --g)
      AddGroup(w, e);
    if (e.ProgramGroups.empty())
      e.ProgramGroups.push_back(ProgramGroup{"", {ProgramEntry{}}});
    e.StartupGroupIndex = kNoIndex;
    for (std::size_t i = 0; i < e.ProgramGroups.size(); ++i) {
      if (e.ProgramGroups[i].Name == "Startup") {
        e.StartupGroupIndex = static_cast<StoreIndex>(i);
        break;
      }
    }
    pair.expected = std::move(e);
    return pair;
  }

private:
  int Below(std::size_t n) { return static_cast<int>(random_() % n); }

  static bool Same(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return ::tolower(x) == ::tolower(y);
           });
  }

  // Letters from the alphabet, with no blank at either end; in quoted
  // texts "//" now and then.
  std::string Text(std::string_view alphabet, int minLength, int maxLength, bool quoted = true) {
    std::string text;
    const int length = minLength + Below(maxLength - minLength + 1);
    while (static_cast<int>(text.size()) < length) {
      if (quoted && Below(12) == 0)
        text += "//";
      else
        text += alphabet[Below(alphabet.size())];
    }
    while (!text.empty() && text.back() == ' ')
      text.pop_back();
    while (!text.empty() && text.front() == ' ')
      text.erase(0, 1);
    return text.empty() ? "x" : text;
  }

  float Delay() {
    switch (Below(4)) {
    case 0:
      return static_cast<float>(Below(120));
    case 1:
      return static_cast<float>(Below(1000)) / 10.0f;
    case 2: {
      float value;
      do {
        const std::uint32_t bits = random_();
        std::memcpy(&value, &bits, sizeof value);
      } while (!std::isfinite(value));
      return value;
    }
    default:
      return -static_cast<float>(Below(50)) / 4.0f;
    }
  }

  ProgramEntry Program() {
    static constexpr std::string_view kCommands[] = {"Execute", "ExecuteAU", "ExecuteReg",
                                                     "ExecuteRegAU"};
    ProgramEntry entry;
    entry.Command = kCommands[Below(4)];
    entry.Path = Text("abcXYZ019 \\:.-(){;=&'", 1, 30);
    entry.Parameters = Below(3) == 0 ? "" : Text("ab-/ :=.,(){;&?%", 1, 30);
    entry.Delay = Delay();
    entry.RegistryName = Below(2) ? "" : Text("ab Z09-_.(;=&", 1, 16);
    const bool lineHasComment =
        (entry.Path + entry.Parameters + entry.RegistryName).find("//") != std::string::npos;
    if (!lineHasComment && Below(6) == 0) {
      // A quote inside the path, never followed by a comma or blank.
      entry.Path.insert(Below(entry.Path.size()), "\"q");
    }
    return entry;
  }

  void AddGroup(StoreTables& w, StoreTables& e) {
    ProgramGroup written;
    switch (Below(6)) {
    case 0:
      written.Name = "Startup";
      break;
    case 1:
      written.Name = ""; // a removed group is not written
      break;
    default:
      written.Name = Text("abcXYZ09 (){;=-", 1, 16, false);
      if (Below(4) == 0)
        written.Name = " " + written.Name + " ";
    }
    ProgramGroup expected{written.Name, {}};
    for (int p = Below(9); p > 0; --p) {
      if (Below(5) == 0) {
        written.Programs.emplace_back(); // a free slot
        continue;
      }
      ProgramEntry entry = Program();
      ProgramEntry readBack = entry;
      if (Below(5) == 0) {
        const std::string name = Text("abcXYZ09 .", 1, 12);
        entry.Path = (Below(2) ? kCurrentUserItems : kAllUsersItems) + name;
        readBack.Path = name;
      }
      entry.MenuId = Below(100);
      written.Programs.push_back(entry);
      expected.Programs.push_back(readBack);
    }
    if (written.Name.empty()) {
      w.ProgramGroups.push_back(std::move(written));
      return;
    }
    std::stable_sort(
        expected.Programs.begin(), expected.Programs.end(),
        [](const ProgramEntry& a, const ProgramEntry& b) { return a.Delay < b.Delay; });
    if (expected.Programs.empty())
      expected.Programs.emplace_back();
    w.ProgramGroups.push_back(std::move(written));
    e.ProgramGroups.push_back(std::move(expected));
  }

  std::mt19937 random_;
};

TEST(ProgGroupRoundTrip, GeneratedTablesReadBackUnchanged) {
  TableGenerator generator(20240611);
  const StoreHost host{&kLanguages, {}, {}};
  for (int run = 0; run < 1500; ++run) {
    const auto [written, expected] = generator.Next();
    const std::string text = FormatProgGroup(written, &kLanguages);
    SCOPED_TRACE("run " + std::to_string(run) + "\n" + text);

    StoreTables read;
    read.CurrentUserItemsFolder = kCurrentUserItems;
    read.AllUsersItemsFolder = kAllUsersItems;
    ASSERT_TRUE(ReadProgGroup(text, read, host, nullptr));
    ASSERT_EQ(read.ProgramGroups, expected.ProgramGroups);
    ASSERT_EQ(read.DisallowedPrograms, expected.DisallowedPrograms);
    ASSERT_EQ(read.StoppedPrograms, expected.StoppedPrograms);
    ASSERT_EQ(read.MainStartupDelay, expected.MainStartupDelay);
    ASSERT_EQ(read.StartupType, expected.StartupType);
    ASSERT_EQ(read.CloseType, expected.CloseType);
    ASSERT_EQ(read.ShowTipsAtStartup, expected.ShowTipsAtStartup);
    ASSERT_EQ(read.Language, expected.Language);
    ASSERT_EQ(read.StartupGroupIndex, expected.StartupGroupIndex);
    // Writing what was read gives the same file again, less the dropped slots.
    ASSERT_EQ(FormatProgGroup(read, &kLanguages), FormatProgGroup(expected, &kLanguages));
  }
}

} // namespace
} // namespace vantrel::store
