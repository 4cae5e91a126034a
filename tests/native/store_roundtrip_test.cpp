// Tables written by the writer read back to the same tables: generated
// table sets within the format's limits (no tab or "}" in any text, no
// blanks around texts, no quote in Parameters or RegistryName, no comma or
// ")" in RegistryName, no underscore in group names, a quote in a Path
// only when nothing on its line holds "//").
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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
  // Fills what is written and what reading it back must give.
  void Next(StoreTables& w, StoreTables& e) {
    w = StoreTables{};
    w.CurrentUserItemsFolder = kCurrentUserItems;
    w.AllUsersItemsFolder = kAllUsersItems;
    for (int i = Below(6); i > 0; --i)
      w.DisallowedPrograms.push_back(Text("abcdefXYZ019.-/:()'!#@", 1, 8));
    for (std::string_view word : kBuiltInDisallowed) { // the reader appends missing ones
      if (Below(5) != 0)
        w.DisallowedPrograms.insert(w.DisallowedPrograms.begin() +
                                        Below(w.DisallowedPrograms.size() + 1),
                                    Below(2) ? std::string(word) : Upper(word));
    }
    for (int i = Below(5); i > 0; --i) {
      static constexpr const char* kPrefixes[] = {"_REGAU_", "_REGCU_", "_STPAU_", "_STPCU_"};
      std::string name = Text("ab Z:\\./,;(){=&", 1, 14);
      while (name.back() == ',' || name.back() == ' ')
        name.back() = 'z'; // a trailing comma ends an entry line
      w.StoppedPrograms.push_back(Below(4) == 0 ? "" : kPrefixes[Below(4)] + name);
    }
    w.MainStartupDelay = Delay();
    w.StartupType = static_cast<std::int16_t>(random_());
    w.CloseType = Below(2);
    w.ShowTipsAtStartup = static_cast<std::int16_t>(random_());
    w.Language = Below(5) == 0 ? "xx" : kLanguages[Below(kLanguages.size())].Code;
    for (int g = Below(6); g > 0; --g)
      w.ProgramGroups.push_back(Group());

    e = w;
    for (std::string_view word : kBuiltInDisallowed) {
      if (std::none_of(w.DisallowedPrograms.begin(), w.DisallowedPrograms.end(),
                       [&](const std::string& entry) { return Upper(entry) == Upper(word); }))
        e.DisallowedPrograms.emplace_back(word);
    }
    std::erase(e.StoppedPrograms, "");
    if (e.StoppedPrograms.empty())
      e.StoppedPrograms.emplace_back();
    if (w.Language == "xx")
      e.Language = "en"; // no line: the reader's value stays
    // Removed groups and free slots are not written; each group is sorted
    // by delay and holds at least its empty slot.
    std::erase_if(e.ProgramGroups, [](const ProgramGroup& group) { return group.Name.empty(); });
    for (ProgramGroup& group : e.ProgramGroups) {
      for (ProgramEntry& entry : group.Programs) {
        entry.MenuId = 0;
        for (const std::string& folder : {kCurrentUserItems, kAllUsersItems})
          if (entry.Path.starts_with(folder))
            entry.Path.erase(0, folder.size());
      }
      std::erase_if(group.Programs, [](const ProgramEntry& entry) { return entry.Path.empty(); });
      std::stable_sort(
          group.Programs.begin(), group.Programs.end(),
          [](const ProgramEntry& a, const ProgramEntry& b) { return a.Delay < b.Delay; });
      if (group.Programs.empty())
        group.Programs.emplace_back();
    }
    if (e.ProgramGroups.empty())
      e.ProgramGroups.push_back(ProgramGroup{"", {ProgramEntry{}}});
    const auto startup =
        std::find_if(e.ProgramGroups.begin(), e.ProgramGroups.end(),
                     [](const ProgramGroup& group) { return group.Name == "Startup"; });
    e.StartupGroupIndex = startup == e.ProgramGroups.end()
                              ? kNoIndex
                              : static_cast<StoreIndex>(startup - e.ProgramGroups.begin());
  }

private:
  int Below(std::size_t n) { return static_cast<int>(random_() % n); }
  static std::string Upper(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    return upper;
  }

  // Letters from the alphabet, with no blank at either end; in quoted
  // texts "//" now and then.
  std::string Text(std::string_view alphabet, int minLength, int maxLength, bool quoted = true) {
    std::string text;
    for (int length = minLength + Below(maxLength - minLength + 1);
         static_cast<int>(text.size()) < length;)
      text += quoted && Below(12) == 0 ? std::string("//")
                                       : std::string(1, alphabet[Below(alphabet.size())]);
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? "x"
                                      : text.substr(first, text.find_last_not_of(' ') + 1 - first);
  }

  float Delay() {
    float value = static_cast<float>(Below(1000)) / (Below(2) ? 10.0f : -4.0f);
    if (Below(4) == 0) {
      do {
        const std::uint32_t bits = random_();
        std::memcpy(&value, &bits, sizeof value);
      } while (!std::isfinite(value));
    }
    return value;
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
    entry.MenuId = Below(100);
    if ((entry.Path + entry.Parameters + entry.RegistryName).find("//") == std::string::npos &&
        Below(6) == 0)
      entry.Path.insert(Below(entry.Path.size()), "\"q"); // never followed by a comma or blank
    else if (Below(5) == 0)
      entry.Path = (Below(2) ? kCurrentUserItems : kAllUsersItems) + Text("abcXYZ09 .", 1, 12);
    return entry;
  }

  ProgramGroup Group() {
    ProgramGroup group;
    const int kind = Below(6);
    group.Name = kind == 0 ? "Startup" : kind == 1 ? "" : Text("abcXYZ09 (){;=-", 1, 16, false);
    if (kind > 1 && Below(4) == 0)
      group.Name = " " + group.Name + " ";
    for (int p = Below(9); p > 0; --p)
      group.Programs.push_back(Below(5) == 0 ? ProgramEntry{} : Program()); // free slots too
    return group;
  }

  std::mt19937 random_{20240611};
};

TEST(ProgGroupRoundTrip, GeneratedTablesReadBackUnchanged) {
  TableGenerator generator;
  const StoreHost host{&kLanguages, {}, {}};
  for (int run = 0; run < 1500; ++run) {
    StoreTables written, expected, read;
    generator.Next(written, expected);
    const std::string text = FormatProgGroup(written, &kLanguages);
    SCOPED_TRACE("run " + std::to_string(run) + "\n" + text);
    read.CurrentUserItemsFolder = kCurrentUserItems;
    read.AllUsersItemsFolder = kAllUsersItems;
    ASSERT_TRUE(ReadProgGroup(text, read, host, nullptr));
    ASSERT_EQ(read.ProgramGroups, expected.ProgramGroups);
    ASSERT_EQ(read.StartupGroupIndex, expected.StartupGroupIndex);
    // Writing what was read gives the same file again, less the dropped slots:
    // the lists and options came back too.
    ASSERT_EQ(FormatProgGroup(read, &kLanguages), FormatProgGroup(expected, &kLanguages));
  }
}

} // namespace
} // namespace vantrel::store
