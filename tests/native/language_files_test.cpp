// The language and data files: caption-file rules, the fixed and growing
// tables, languagefile.dat, safelist.dat and online.txt, read through the
// simulated machine; and the files Vantrel ships, read from the package.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "common/platform/sim/sim_platform.h"
#include "common/platform/sim/sim_world.h"
#include "common/text_encoding.h"
#include "vantrel/login/paced_pump.h"
#include "vantrel/text/language_file_lines.h"
#include "vantrel/text/language_files.h"

namespace vantrel {
namespace {

std::size_t CrLfCount(const std::string& bytes) {
  std::size_t count = 0;
  for (auto at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2))
    ++count;
  return count;
}

const std::string kFolder = "C:\\Program Files\\Vantrel";

std::string Lines(std::initializer_list<std::string> lines, const std::string& end = "\r\n") {
  std::string bytes;
  for (const auto& line : lines)
    bytes += line + end;
  return bytes;
}

// A file of count numbered entries, "prefix0" to "prefix<count-1>".
std::string Numbered(const std::string& prefix, std::size_t count) {
  std::string bytes = "// numbered entries\r\n";
  for (std::size_t i = 0; i < count; ++i)
    bytes += prefix + std::to_string(i) + "\r\n";
  return bytes;
}

class LanguageFilesTest : public ::testing::Test {
protected:
  void AddLang(const std::string& relative, const std::string& bytes) {
    ASSERT_TRUE(world.AddFile(kFolder + "\\lang\\" + relative, bytes)) << relative;
  }
  void AddData(const std::string& name, const std::string& bytes) {
    ASSERT_TRUE(world.AddFile(kFolder + "\\data\\" + name, bytes)) << name;
  }
  std::string Log() { return world.ReadFile(kFolder + "\\log.txt").value_or(""); }

  sim::SimWorld world;
  sim::SimPlatform platform{world};
  TextTables tables;
};

TEST_F(LanguageFilesTest, CaptionLinesFollowTheCommentAndLineBreakRules) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> entries;
  };
  const std::vector<Case> cases = {
      {"whole-line comments and empty lines take no index",
       Lines({"// header", "first", "", "//second", "second"}),
       {"first", "second"}},
      {"a trailing comment keeps what is before it, untrimmed",
       Lines({"Word // comment", "  lead", "a//b//c"}),
       {"Word ", "  lead", "a"}},
      {"$CrLf$ becomes a line break", Lines({"one$CrLf$two", "a$CrLf$"}), {"one\r\ntwo", "a\r\n"}},
      {"LF-only files", Lines({"x", "", "y"}, "\n"), {"x", "y"}},
      {"a last line without a line end", std::string("x\r\ny"), {"x", "y"}},
      {"tabs stay; a legacy code page file reads as UTF-8",
       Lines({"\tTab", "Gr\xFC\xDF"}),
       {"\tTab", "Gr\xC3\xBC\xC3\x9F"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AddLang("en\\case.en", c.bytes);
    std::vector<std::string> table;
    EXPECT_TRUE(LoadLanguageFile(platform, kFolder, table, "en\\case.en"));
    EXPECT_EQ(c.entries, table);
  }
}

TEST_F(LanguageFilesTest, FixedTablesIgnoreExtraEntriesAndShorterFilesLeaveTheRest) {
  AddLang("en\\messages.en", Numbered("en", 16));
  AddLang("en\\buttons.en", Numbered("b", 12));
  AddLang("en\\menus.en", Numbered("m", 30));
  AddLang("en\\toolbar.en", Numbered("t", 10));
  LoadLanguageFiles(platform, kFolder, "en", tables);
  EXPECT_EQ("en13", tables.Messages[13]);
  EXPECT_EQ("b8", tables.Buttons.back());
  EXPECT_EQ("m22", tables.Menus.back());
  EXPECT_EQ("t8", tables.Toolbar.back());

  // A language with only 10 messages keeps the first language's 10-13.
  AddLang("de\\messages.de", Numbered("de", 10));
  LoadLanguageFiles(platform, kFolder, "de", tables);
  EXPECT_EQ("de9", tables.Messages[9]);
  EXPECT_EQ("en10", tables.Messages[10]);
  EXPECT_EQ("m0", tables.Menus[0]); // no German file: stays English
}

TEST_F(LanguageFilesTest, WindowTablesGrowAndKeepLaterEntries) {
  // A kind Vantrel has no English text of its own for.
  std::vector<std::string> table = {"old0", "old1", "old2"};
  AddLang("en\\extra.en", Lines({"new0"}));
  EXPECT_TRUE(LoadLanguageFile(platform, kFolder, table, CaptionFileName("en", "extra")));
  EXPECT_EQ((std::vector<std::string>{"new0", "old1", "old2"}), table);

  AddLang("en\\extra.en", Numbered("n", 5));
  EXPECT_TRUE(LoadLanguageFile(platform, kFolder, table, "en\\extra.en"));
  EXPECT_EQ(5u, table.size());
  EXPECT_EQ("n4", table[4]);
}

TEST_F(LanguageFilesTest, MissingOrUnreadableFilesLeaveTablesAsTheyWere) {
  tables.Messages[3] = "kept";
  tables.Menus[0] = "kept menu";
  tables.OnlineSearchText = "kept address";
  std::vector<std::string> window = {"kept window"};

  LoadLanguageFiles(platform, kFolder, "xx", tables);
  EXPECT_FALSE(LoadLanguageFile(platform, kFolder, window, "xx\\options.xx"));
  LoadOnlineText(platform, kFolder, tables);
  EXPECT_EQ("kept", tables.Messages[3]);
  EXPECT_EQ("kept menu", tables.Menus[0]);
  EXPECT_EQ("kept address", tables.OnlineSearchText);
  EXPECT_EQ("kept window", window.at(0));
  // What nothing gave a text gets the built-in English one: no empty box,
  // caption or window text.
  EXPECT_EQ(tables.Messages[message::kAlreadyRunning].rfind("Vantrel is already running.", 0), 0u);
  EXPECT_EQ(window.size(), 15u);
  EXPECT_FALSE(window.back().empty());

  // A file that exists but cannot be read ends its load quietly.
  AddLang("xx\\messages.xx", Numbered("x", 14));
  world.faults = [](sim::SimOp op, const std::string& subject) {
    return op == sim::SimOp::kFileRead && subject.ends_with("messages.xx");
  };
  LoadLanguageFiles(platform, kFolder, "xx", tables);
  EXPECT_EQ("kept", tables.Messages[3]);
  EXPECT_EQ("", Log());
}

TEST_F(LanguageFilesTest, PendingMessagesRunBeforeTheLinesAndMayReloadTheSameTable) {
  // A message that is already waiting runs before the first entry is stored.
  AddLang("en\\messages.en", Numbered("new", 14));
  tables.Messages[0] = "old";
  std::string seen;
  world.ScheduleMessage(0, [&] { seen = tables.Messages[0]; });
  LoadLanguageFiles(platform, kFolder, "en", tables);
  EXPECT_EQ("old", seen);
  EXPECT_EQ("new0", tables.Messages[0]);

  // Messages are let through before the first line, then not again until
  // a few milliseconds have passed (here the clock stands still).
  AddLang("en\\messages.en", Numbered("more", 19));
  const int before = platform.pumpCount();
  EXPECT_TRUE(LoadLanguageFile(platform, kFolder, tables.Messages, "en\\messages.en"));
  EXPECT_EQ(1, platform.pumpCount() - before);
  EXPECT_EQ("more13", tables.Messages[13]);

  // The pacing itself: milliseconds passed before each call, pumped or not,
  // across the wrap of the tick count.
  world.clock().SetStartTick(0xFFFFFFFDu);
  PacedMessagePump pump(platform);
  const std::vector<std::pair<int, bool>> steps = {{0, true},  {0, false}, {4, false}, {1, true},
                                                   {4, false}, {9, true},  {5, true}};
  for (std::size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE(i);
    world.clock().Advance(steps[i].first);
    const int count = platform.pumpCount();
    pump.Pump();
    EXPECT_EQ(steps[i].second, platform.pumpCount() == count + 1);
  }

  // A handler that reloads the same growing table in the middle of a load
  // (and so moves its storage) leaves a sound table behind.
  AddLang("en\\short.en", Numbered("s", 2));
  AddLang("en\\long.en", Numbered("l", 200));
  std::vector<std::string> window;
  world.ScheduleMessage(0, [&] { LoadLanguageFile(platform, kFolder, window, "en\\long.en"); });
  EXPECT_TRUE(LoadLanguageFile(platform, kFolder, window, "en\\short.en"));
  ASSERT_EQ(200u, window.size());
  EXPECT_EQ("s0", window[0]);
  EXPECT_EQ("s1", window[1]);
  EXPECT_EQ("l199", window[199]);
}

TEST_F(LanguageFilesTest, LanguageListSplitsAtTheFirstCommaAndTrims) {
  AddLang("languagefile.dat", Lines({
                                  "// Languages",
                                  " English , en ",
                                  "No comma here",
                                  "Deutsch,de // German",
                                  "// Hidden, hx",
                                  "Odd,code,with comma",
                                  "Empty code,   ",
                                  ",nn",
                                  "Fran\xE7"
                                  "ais,fr",
                              }));
  LoadLanguageList(platform, kFolder, tables);
  const std::vector<std::pair<std::string, std::string>> expected = {{"English", "en"},
                                                                     {"Deutsch", "de"},
                                                                     {"Odd", "code,with comma"},
                                                                     {"", "nn"},
                                                                     {"Fran\xC3\xA7"
                                                                      "ais",
                                                                      "fr"}};
  ASSERT_EQ(expected.size(), tables.Languages.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(expected[i].first, tables.Languages[i].DisplayName);
    EXPECT_EQ(expected[i].second, tables.Languages[i].Code);
  }

  // No valid line: one empty entry.
  AddLang("languagefile.dat", Lines({"// nothing", "English en", "Name,"}));
  LoadLanguageList(platform, kFolder, tables);
  ASSERT_EQ(1u, tables.Languages.size());
  EXPECT_EQ("", tables.Languages[0].DisplayName + tables.Languages[0].Code);
}

TEST_F(LanguageFilesTest, SafeListLinesGiveNameAndDescription) {
  AddData("safelist.dat", Lines({
                              "// Known programs",
                              "OneDrive.exe // Microsoft OneDrive",
                              "\t  Indented.exe// desc  \t",
                              "a.exe // first // second",
                              "plain.exe",
                              "tight.exe//xdesc",
                              "   // an indented comment",
                              "\t\t",
                              "",
                              "http://x.exe // url-ish",
                          }));
  LoadSafePrograms(platform, kFolder, tables);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"OneDrive.exe ", "Microsoft OneDrive"},
      {"Indented.exe", "desc"},
      {"a.exe ", "second"},
      {"plain.exe", ""},
      {"tight.exe", "desc"},
      {"http:", "url-ish"},
  };
  ASSERT_EQ(expected.size(), tables.SafeList.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(expected[i].first, tables.SafeList[i].ProgramName);
    EXPECT_EQ(expected[i].second, tables.SafeList[i].Description);
  }
  EXPECT_EQ("", Log());
}

TEST_F(LanguageFilesTest, SafeListWithoutEntriesOrUnreadableIsOneEmptyEntry) {
  struct Case {
    const char* name;
    std::optional<std::string> bytes;
    bool unreadable;
    std::string log;
  };
  const std::string path = kFolder + "\\data\\safelist.dat";
  const std::vector<Case> cases = {
      {"comments only", Lines({"// a", "  // b", ""}), false, ""},
      {"no file", std::nullopt, false, ""},
      {"unreadable file", Lines({"x.exe // y"}), true,
       "Warning: LoadSafePrograms:Could not read " + path + "\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    world.faults = nullptr;
    platform.DeleteFile(kFolder + "\\log.txt");
    platform.DeleteFile(path);
    if (c.bytes)
      AddData("safelist.dat", *c.bytes);
    if (c.unreadable) {
      world.faults = [&](sim::SimOp op, const std::string& subject) {
        return op == sim::SimOp::kFileRead && subject == path;
      };
    }
    tables.SafeList = {{"stale.exe", "old"}, {"stale2.exe", "old"}};
    LoadSafePrograms(platform, kFolder, tables);
    ASSERT_EQ(1u, tables.SafeList.size());
    EXPECT_EQ("", tables.SafeList[0].ProgramName);
    EXPECT_EQ("", tables.SafeList[0].Description);
    EXPECT_EQ(c.log, Log());
  }
}

TEST_F(LanguageFilesTest, OnlineTextIsTheTrimmedFirstLine) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"trimmed, later lines ignored",
       Lines({"  https://search.example/?q={SEARCHTERMS}  ", "second line"}),
       "https://search.example/?q={SEARCHTERMS}"},
      {"no comment rule on the address", Lines({"http://a.example/{SEARCHTERMS} // x"}),
       "http://a.example/{SEARCHTERMS} // x"},
      {"empty first line", Lines({"", "https://c.example/"}), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    tables.OnlineSearchText = "stale";
    AddData("online.txt", c.bytes);
    LoadOnlineText(platform, kFolder, tables);
    EXPECT_EQ(c.text, tables.OnlineSearchText);
  }
}

TEST_F(LanguageFilesTest, GlobalDataLoadsEverythingInTheGivenLanguage) {
  AddLang("languagefile.dat", Lines({"English, en", "Deutsch, de"}));
  AddLang("en\\menus.en", Lines({"&File"}));
  AddLang("de\\menus.de", Lines({"&Datei"}));
  AddData("online.txt", Lines({"https://s.example/?q={SEARCHTERMS}"}));
  AddData("safelist.dat", Lines({"ctfmon.exe\t// Text input"}));

  std::string language;
  LoadGlobalData(platform, kFolder, language, tables);
  EXPECT_EQ("en", language);
  EXPECT_EQ("&File", tables.Menus[0]);
  ASSERT_EQ(2u, tables.Languages.size());
  EXPECT_EQ("de", tables.Languages[1].Code);
  EXPECT_EQ("https://s.example/?q={SEARCHTERMS}", tables.OnlineSearchText);
  ASSERT_EQ(1u, tables.SafeList.size());
  EXPECT_EQ("ctfmon.exe", tables.SafeList[0].ProgramName);

  language = "de";
  LoadGlobalData(platform, kFolder, language, tables);
  EXPECT_EQ("de", language);
  EXPECT_EQ("&Datei", tables.Menus[0]);
}

// The files Vantrel ships, from the package folder of the source tree: UTF-8
// without a byte-order mark, CR LF throughout, and every table of every
// language exactly as long as Vantrel's (one entry too many or too few
// would shift every text after it).
TEST_F(LanguageFilesTest, ShippedFilesFillEveryTable) {
  const auto package = std::filesystem::path(VANTREL_SOURCE_DIR) / "package";
  std::size_t shipped = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(package)) {
    if (!entry.is_regular_file())
      continue;
    std::string relative = std::filesystem::relative(entry.path(), package).string();
    std::replace(relative.begin(), relative.end(), '/', '\\');
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    SCOPED_TRACE(relative);
    EXPECT_TRUE(bytes.ends_with("\r\n") && IsValidUtf8(bytes) && !bytes.starts_with("\xEF"));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'),
              static_cast<std::ptrdiff_t>(CrLfCount(bytes)));
    ++shipped;
    ASSERT_TRUE(world.AddFile(kFolder + "\\" + relative, bytes));
  }
  EXPECT_GE(shipped, 21u);
  std::string language;
  LoadGlobalData(platform, kFolder, language, tables);
  ASSERT_EQ(2u, tables.Languages.size());
  EXPECT_EQ("English", tables.Languages[0].DisplayName);
  EXPECT_GE(tables.SafeList.size(), 60u);
  for (const auto& program : tables.SafeList) // a blank would stop a quoted path matching
    EXPECT_FALSE(program.Description.empty() || program.ProgramName.ends_with(" "))
        << program.ProgramName;
  EXPECT_TRUE(tables.OnlineSearchText.starts_with("https://"));
  EXPECT_NE(std::string::npos, tables.OnlineSearchText.find("{SEARCHTERMS}"));
  for (const auto& entry : tables.Languages) {
    SCOPED_TRACE(entry.Code);
    TextTables fresh;
    LoadLanguageFiles(platform, kFolder, entry.Code, fresh);
    // The editor tells its two modes apart by the add button's caption.
    EXPECT_NE(fresh.Buttons[button::kAddNew], fresh.Buttons[button::kSaveEdit]);
    const std::pair<std::string_view, std::size_t> counts[] = {
        {caption_file::kMessages, kMessageCount}, {caption_file::kButtons, kButtonCount},
        {caption_file::kMenus, kMenuCount},       {caption_file::kToolbar, kToolbarCount},
        {caption_file::kProperties, 8},           {caption_file::kOptions, 15},
        {caption_file::kTipCaptions, 4},          {caption_file::kAbout, 6}};
    for (const auto& [kind, count] : counts) {
      SCOPED_TRACE(std::string(kind));
      std::vector<std::string> table;
      EXPECT_TRUE(LoadLanguageFile(platform, kFolder, table, CaptionFileName(entry.Code, kind)));
      EXPECT_EQ(count, table.size());
      for (const auto& text : table)
        EXPECT_FALSE(text.empty() || text.find("$CrLf") != std::string::npos) << text;
    }
    // Every line of the tips file is shown as a tip: no comments, no gaps.
    const std::string tips =
        world.ReadFile(kFolder + "\\lang\\" + entry.Code + "\\tipofday." + entry.Code).value_or("");
    EXPECT_GE(SplitFileLines(tips).size(), 15u);
    for (const auto line : SplitFileLines(tips))
      EXPECT_FALSE(line.empty() || line.starts_with("//")) << line;
  }
}

} // namespace
} // namespace vantrel
