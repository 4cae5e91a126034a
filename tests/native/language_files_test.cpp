// The language and data files read through the simulated machine: caption
// files into fixed and growing tables, languagefile.dat, safelist.dat and
// online.txt; and the files Vantrel ships, read from the package.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/platform/sim/sim_platform.h"
#include "common/text_encoding.h"
#include "native/crlf_text.h"
#include "vantrel/login/paced_pump.h"
#include "vantrel/text/language_file_lines.h"
#include "vantrel/text/language_files.h"

namespace vantrel {
namespace {

using test_text::CrLf;
const std::string kFolder = "C:\\Program Files\\Vantrel";

// A comment line, then "prefix0" to "prefix<count-1>".
std::string Numbered(const std::string& prefix, std::size_t count) {
  std::string bytes = "// numbered entries\r\n";
  for (std::size_t i = 0; i < count; ++i)
    bytes += prefix + std::to_string(i) + "\r\n";
  return bytes;
}

class LanguageFilesTest : public ::testing::Test {
protected:
  void Add(const std::string& relative, const std::string& bytes) {
    ASSERT_TRUE(world.AddFile(kFolder + "\\" + relative, bytes)) << relative;
  }

  sim::SimWorld world;
  sim::SimPlatform platform{world};
  TextTables tables;
};

TEST_F(LanguageFilesTest, CaptionLinesFollowTheRulesAndMessagesArePaced) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {CrLf({"// header", "first", "", "//second", "second"}), {"first", "second"}},
      {CrLf({"Word // comment", "  lead", "a//b//c"}), {"Word ", "  lead", "a"}},
      {CrLf({"one$CrLf$two", "a$CrLf$"}), {"one\r\ntwo", "a\r\n"}},
      {"x\n\ny\n", {"x", "y"}},
      {"x\r\ny", {"x", "y"}},
      {CrLf({"\tTab", "Gr\xFC\xDF"}), {"\tTab", "Gr\xC3\xBC\xC3\x9F"}}, // legacy code page
  };
  for (const auto& [bytes, entries] : cases) {
    SCOPED_TRACE(bytes);
    Add("lang\\en\\case.en", bytes);
    std::vector<std::string> table;
    EXPECT_TRUE(LoadLanguageFile(platform, kFolder, table, "en\\case.en"));
    EXPECT_EQ(entries, table);
  }

  // Messages are let through before the first line and then every few
  // milliseconds (across the wrap of the tick count); a handler that reloads
  // the same growing table in the middle of a load (and so moves its storage)
  // leaves a sound table behind.
  world.clock().SetStartTick(0xFFFFFFFDu);
  PacedMessagePump pump(platform);
  for (const auto& [ms, pumped] :
       {std::pair{0, true}, {0, false}, {4, false}, {1, true}, {4, false}, {9, true}, {5, true}}) {
    world.clock().Advance(ms);
    const int count = platform.pumpCount();
    pump.Pump();
    EXPECT_EQ(pumped, platform.pumpCount() == count + 1) << ms;
  }
  Add("lang\\en\\short.en", Numbered("s", 2));
  Add("lang\\en\\long.en", Numbered("l", 200));
  std::vector<std::string> window;
  world.ScheduleMessage(0, [&] { LoadLanguageFile(platform, kFolder, window, "en\\long.en"); });
  EXPECT_TRUE(LoadLanguageFile(platform, kFolder, window, "en\\short.en"));
  ASSERT_EQ(200u, window.size());
  EXPECT_EQ("s0|s1|l2|l199", window[0] + "|" + window[1] + "|" + window[2] + "|" + window[199]);
}

// Fixed tables keep their size and what a short file leaves; growing ones
// grow. Missing files, and one that cannot be read, change nothing and log
// nothing; what nothing gave a text gets the built-in English one.
TEST_F(LanguageFilesTest, ShortFilesKeepWhatTablesHeldAndMissingOnesChangeNothing) {
  Add("lang\\en\\messages.en", Numbered("en", 16));
  Add("lang\\en\\menus.en", Numbered("m", 30));
  Add("lang\\de\\messages.de", Numbered("de", 10));
  Add("lang\\xx\\messages.xx", Numbered("x", 14));
  Add("lang\\en\\extra.en", CrLf({"new0"}));
  world.faults = [](sim::SimOp op, const std::string& subject) {
    return op == sim::SimOp::kFileRead && subject.ends_with("messages.xx");
  };
  tables.OnlineSearchText = "kept address";
  for (const char* language : {"en", "de", "xx"})
    LoadLanguageFiles(platform, kFolder, language, tables);
  LoadOnlineText(platform, kFolder, tables);
  EXPECT_EQ("de9|en10|en15|m22|kept address", tables.Messages[9] + "|" + tables.Messages[10] + "|" +
                                                  tables.Messages[15] + "|" + tables.Menus.back() +
                                                  "|" + tables.OnlineSearchText);
  std::vector<std::string> window = {"old0", "old1"};
  EXPECT_TRUE(LoadLanguageFile(platform, kFolder, window, CaptionFileName("en", "extra")));
  EXPECT_FALSE(LoadLanguageFile(platform, kFolder, window, "xx\\options.xx"));
  EXPECT_EQ("new0|old1|15", window[0] + "|" + window[1] + "|" + std::to_string(window.size()));
  TextTables fresh;
  LoadLanguageFiles(platform, kFolder, "xx", fresh);
  EXPECT_TRUE(fresh.Messages[message::kAlreadyRunning].starts_with("Vantrel is already running."));
  EXPECT_FALSE(world.ReadFile(kFolder + "\\log.txt"));
}

TEST_F(LanguageFilesTest, LanguageListSafeListAndOnlineText) {
  Add("lang\\languagefile.dat",
      CrLf({"// Languages", " English , en ", "No comma here", "Deutsch,de // German",
            "// Hidden, hx", "Odd,code,with comma", "Empty code,   ", ",nn", "Fran\xE7\x61is,fr"}));
  Add("data\\safelist.dat", CrLf({"// Known programs", "OneDrive.exe // Microsoft OneDrive",
                                  "\t  Indented.exe// desc  \t", "a.exe // first // second",
                                  "pl\xE4in.exe", "tight.exe//xdesc", "   // an indented comment",
                                  "\t\t", "", "http://x.exe // url-ish"}));
  Add("data\\online.txt", CrLf({"  https://s.example/?q={SEARCHTERMS} // x ", "second line"}));
  std::string language;
  LoadGlobalData(platform, kFolder, language, tables);
  EXPECT_EQ("en", language);
  const auto read = [&] {
    std::string text;
    for (const auto& entry : tables.Languages)
      text += entry.DisplayName + "=" + entry.Code + "|";
    for (const auto& entry : tables.SafeList)
      text += entry.ProgramName + "=" + entry.Description + "|";
    return text;
  };
  EXPECT_EQ("English=en|Deutsch=de|Odd=code,with comma|=nn|Fran\xC3\xA7\x61is=fr|OneDrive.exe "
            "=Microsoft OneDrive|Indented.exe=desc|a.exe =second|"
            "pl\xC3\xA4in.exe=|tight.exe=desc|http:=url-ish|",
            read());
  EXPECT_EQ("https://s.example/?q={SEARCHTERMS} // x", tables.OnlineSearchText);

  // No valid line: one empty entry; an empty first line: no address; a safe
  // list of comments only, or one that cannot be read (a warning), is one
  // empty entry.
  Add("lang\\languagefile.dat", CrLf({"// nothing", "English en", "Name,"}));
  Add("data\\online.txt", CrLf({"", "https://c.example/"}));
  for (const bool unreadable : {false, true}) {
    tables.SafeList.resize(3);
    Add("data\\safelist.dat", unreadable ? "x.exe // y\r\n" : "// a\r\n  // b\r\n\r\n");
    world.faults = [=](sim::SimOp op, const std::string& subject) {
      return unreadable && op == sim::SimOp::kFileRead && subject.ends_with("safelist.dat");
    };
    LoadGlobalData(platform, kFolder, language, tables);
    EXPECT_EQ("=|=|", read() + tables.OnlineSearchText) << unreadable;
  }
  EXPECT_EQ("Warning: LoadSafePrograms:Could not read " + kFolder + "\\data\\safelist.dat\r\n",
            world.ReadFile(kFolder + "\\log.txt"));
}

// The files Vantrel ships, from the package folder of the source tree: UTF-8
// without a byte-order mark, CR LF throughout, and every table of every
// language exactly as long as Vantrel's (one entry too many or too few
// would shift every text after it).
TEST_F(LanguageFilesTest, ShippedFilesFillEveryTable) {
  const auto package = std::filesystem::path(VANTREL_SOURCE_DIR) / "package";
  for (const auto& entry : std::filesystem::recursive_directory_iterator(package)) {
    if (!entry.is_regular_file())
      continue;
    std::string relative = std::filesystem::relative(entry.path(), package).string();
    std::replace(relative.begin(), relative.end(), '/', '\\');
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    SCOPED_TRACE(relative);
    EXPECT_TRUE(bytes.ends_with("\r\n") && IsValidUtf8(bytes) && !bytes.starts_with("\xEF"));
    EXPECT_EQ(std::ranges::count(bytes, '\n'), std::ranges::count(bytes, '\r'));
    Add(relative, bytes);
  }
  std::string language;
  LoadGlobalData(platform, kFolder, language, tables);
  ASSERT_EQ(2u, tables.Languages.size());
  for (const auto& program : tables.SafeList) // a blank would stop a quoted path matching
    EXPECT_FALSE(program.Description.empty() || program.ProgramName.ends_with(" "))
        << program.ProgramName;
  EXPECT_TRUE(tables.OnlineSearchText.starts_with("https://") &&
              tables.OnlineSearchText.find("{SEARCHTERMS}") != std::string::npos);
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
      std::vector<std::string> table;
      EXPECT_TRUE(LoadLanguageFile(platform, kFolder, table, CaptionFileName(entry.Code, kind)));
      EXPECT_EQ(count, table.size()) << kind;
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
