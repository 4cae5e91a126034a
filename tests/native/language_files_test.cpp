// The language and data files: caption-file rules, the fixed and growing
// tables, languagefile.dat, safelist.dat and online.txt, read through the
// simulated machine; and the files Vantrel ships, read from the package.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

// A file of count numbered entries, "prefix0" to "prefix<count-1>".
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
  std::string Log() { return world.ReadFile(kFolder + "\\log.txt").value_or(""); }

  sim::SimWorld world;
  sim::SimPlatform platform{world};
  TextTables tables;
};

TEST_F(LanguageFilesTest, CaptionLinesFollowTheCommentAndLineBreakRules) {
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
}

TEST_F(LanguageFilesTest, FixedTablesKeepTheirSizeGrowingTablesGrow) {
  Add("lang\\en\\messages.en", Numbered("en", 16));
  Add("lang\\en\\menus.en", Numbered("m", 30));
  LoadLanguageFiles(platform, kFolder, "en", tables);
  EXPECT_EQ("en13", tables.Messages[13]);
  EXPECT_EQ("m22", tables.Menus.back());
  // A language with only 10 messages keeps the first language's 10-13.
  Add("lang\\de\\messages.de", Numbered("de", 10));
  LoadLanguageFiles(platform, kFolder, "de", tables);
  EXPECT_EQ("de9", tables.Messages[9]);
  EXPECT_EQ("en10", tables.Messages[10]);

  std::vector<std::string> window = {"old0", "old1", "old2"};
  Add("lang\\en\\extra.en", CrLf({"new0"}));
  EXPECT_TRUE(LoadLanguageFile(platform, kFolder, window, CaptionFileName("en", "extra")));
  EXPECT_EQ((std::vector<std::string>{"new0", "old1", "old2"}), window);
  Add("lang\\en\\extra.en", Numbered("n", 5));
  EXPECT_TRUE(LoadLanguageFile(platform, kFolder, window, "en\\extra.en"));
  EXPECT_EQ((std::vector<std::string>{"n0", "n1", "n2", "n3", "n4"}), window);
}

TEST_F(LanguageFilesTest, MissingOrUnreadableFilesLeaveTablesAsTheyWere) {
  tables.Messages[3] = "kept";
  tables.OnlineSearchText = "kept address";
  std::vector<std::string> window = {"kept window"};
  LoadLanguageFiles(platform, kFolder, "xx", tables);
  EXPECT_FALSE(LoadLanguageFile(platform, kFolder, window, "xx\\options.xx"));
  LoadOnlineText(platform, kFolder, tables);
  EXPECT_EQ("kept", tables.Messages[3]);
  EXPECT_EQ("kept address", tables.OnlineSearchText);
  EXPECT_EQ("kept window", window.at(0));
  // What nothing gave a text gets the built-in English one.
  EXPECT_EQ(tables.Messages[message::kAlreadyRunning].rfind("Vantrel is already running.", 0), 0u);
  EXPECT_EQ(window.size(), 15u);

  // A file that exists but cannot be read ends its load quietly.
  Add("lang\\xx\\messages.xx", Numbered("x", 14));
  world.faults = [](sim::SimOp op, const std::string& subject) {
    return op == sim::SimOp::kFileRead && subject.ends_with("messages.xx");
  };
  LoadLanguageFiles(platform, kFolder, "xx", tables);
  EXPECT_EQ("kept", tables.Messages[3]);
  EXPECT_EQ("", Log());
}

TEST_F(LanguageFilesTest, PendingMessagesRunBeforeTheLinesAndMayReloadTheSameTable) {
  // A message that is already waiting runs before the first entry is stored.
  Add("lang\\en\\messages.en", Numbered("new", 14));
  tables.Messages[0] = "old";
  std::string seen;
  world.ScheduleMessage(0, [&] { seen = tables.Messages[0]; });
  LoadLanguageFiles(platform, kFolder, "en", tables);
  EXPECT_EQ("old", seen);
  EXPECT_EQ("new0", tables.Messages[0]);

  // The pacing: milliseconds passed before each call, pumped or not,
  // across the wrap of the tick count.
  world.clock().SetStartTick(0xFFFFFFFDu);
  PacedMessagePump pump(platform);
  const std::pair<int, bool> steps[] = {{0, true},  {0, false}, {4, false}, {1, true},
                                        {4, false}, {9, true},  {5, true}};
  for (const auto& [ms, pumped] : steps) {
    world.clock().Advance(ms);
    const int count = platform.pumpCount();
    pump.Pump();
    EXPECT_EQ(pumped, platform.pumpCount() == count + 1) << ms;
  }

  // A handler that reloads the same growing table in the middle of a load
  // (and so moves its storage) leaves a sound table behind.
  Add("lang\\en\\short.en", Numbered("s", 2));
  Add("lang\\en\\long.en", Numbered("l", 200));
  std::vector<std::string> window;
  world.ScheduleMessage(0, [&] { LoadLanguageFile(platform, kFolder, window, "en\\long.en"); });
  EXPECT_TRUE(LoadLanguageFile(platform, kFolder, window, "en\\short.en"));
  ASSERT_EQ(200u, window.size());
  EXPECT_EQ("s1", window[1]);
  EXPECT_EQ("l199", window[199]);
}

TEST_F(LanguageFilesTest, LanguageListSafeListAndOnlineText) {
  Add("lang\\languagefile.dat",
      CrLf({"// Languages", " English , en ", "No comma here", "Deutsch,de // German",
            "// Hidden, hx", "Odd,code,with comma", "Empty code,   ", ",nn",
            "Fran\xE7"
            "ais,fr"}));
  Add("data\\safelist.dat", CrLf({"// Known programs", "OneDrive.exe // Microsoft OneDrive",
                                  "\t  Indented.exe// desc  \t", "a.exe // first // second",
                                  "pl\xE4in.exe", "tight.exe//xdesc", "   // an indented comment",
                                  "\t\t", "", "http://x.exe // url-ish"}));
  Add("data\\online.txt", CrLf({"  https://s.example/?q={SEARCHTERMS} // x ", "second line"}));
  std::string language;
  LoadGlobalData(platform, kFolder, language, tables);
  EXPECT_EQ("en", language);
  const std::vector<std::string> languages = {"English=en", "Deutsch=de", "Odd=code,with comma",
                                              "=nn",
                                              "Fran\xC3\xA7"
                                              "ais=fr"};
  const std::vector<std::string> safe = {"OneDrive.exe =Microsoft OneDrive",
                                         "Indented.exe=desc",
                                         "a.exe =second",
                                         "pl\xC3\xA4in.exe=",
                                         "tight.exe=desc",
                                         "http:=url-ish"};
  std::vector<std::string> read;
  for (const auto& entry : tables.Languages)
    read.push_back(entry.DisplayName + "=" + entry.Code);
  EXPECT_EQ(languages, read);
  read.clear();
  for (const auto& entry : tables.SafeList)
    read.push_back(entry.ProgramName + "=" + entry.Description);
  EXPECT_EQ(safe, read);
  EXPECT_EQ("https://s.example/?q={SEARCHTERMS} // x", tables.OnlineSearchText);
  EXPECT_EQ("", Log());

  // No valid line: one empty entry; an empty first line: no address.
  Add("lang\\languagefile.dat", CrLf({"// nothing", "English en", "Name,"}));
  Add("data\\online.txt", CrLf({"", "https://c.example/"}));
  LoadLanguageList(platform, kFolder, tables);
  LoadOnlineText(platform, kFolder, tables);
  ASSERT_EQ(1u, tables.Languages.size());
  EXPECT_EQ("", tables.Languages[0].DisplayName + tables.Languages[0].Code);
  EXPECT_EQ("", tables.OnlineSearchText);
}

TEST_F(LanguageFilesTest, SafeListWithoutEntriesOrUnreadableIsOneEmptyEntry) {
  const std::string path = kFolder + "\\data\\safelist.dat";
  for (const bool unreadable : {false, true}) { // only comments, or a file that cannot be read
    SCOPED_TRACE(unreadable);
    Add("data\\safelist.dat", unreadable ? "x.exe // y\r\n" : "// a\r\n  // b\r\n\r\n");
    if (unreadable)
      world.faults = [&](sim::SimOp op, const std::string& subject) {
        return op == sim::SimOp::kFileRead && subject == path;
      };
    tables.SafeList = {{"stale.exe", "old"}, {"stale2.exe", "old"}};
    LoadSafePrograms(platform, kFolder, tables);
    ASSERT_EQ(1u, tables.SafeList.size());
    EXPECT_EQ("", tables.SafeList[0].ProgramName + tables.SafeList[0].Description);
    EXPECT_EQ(unreadable ? "Warning: LoadSafePrograms:Could not read " + path + "\r\n" : "", Log());
  }
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
    EXPECT_EQ(std::ranges::count(bytes, '\n'), std::ranges::count(bytes, '\r'));
    ++shipped;
    Add(relative, bytes);
  }
  EXPECT_GE(shipped, 21u);
  std::string language;
  LoadGlobalData(platform, kFolder, language, tables);
  ASSERT_EQ(2u, tables.Languages.size());
  EXPECT_GE(tables.SafeList.size(), 60u);
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
