// The encodings of Vantrel's files: UTF-8 for everything it writes, the
// legacy ANSI code page for files of earlier builds that are not UTF-8,
// and UTF-16LE for registry backups with names beyond ASCII.
#include <gtest/gtest.h>

#include "common/event_log.h"
#include "common/platform/sim/sim_platform.h"
#include "common/store/delay_load.h"
#include "common/text_encoding.h"
#include "crlf_text.h"
#include "vantrel/moves/registry_backup.h"

namespace vantrel {
namespace {

using test_text::CrLf;

// "Müller" and "Grüße €" in code page 1252 and in UTF-8; "東京".
constexpr const char* kMuellerAnsi = "M\xFCller";
constexpr const char* kMuellerUtf8 = "M\xC3\xBCller";
constexpr const char* kGruesseAnsi = "Gr\xFC\xDF\x65 \x80";
constexpr const char* kGruesseUtf8 = "Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC";
constexpr const char* kTokyo = "\xE6\x9D\xB1\xE4\xBA\xAC";

// Two-, three- and four-byte forms (the lowest of each) are UTF-8; a legacy
// umlaut, a cut sequence, overlong forms, a surrogate, a code beyond
// U+10FFFF and a lone continuation byte are not.
TEST(TextEncoding, Utf8IsRecognisedStrictlyCodePagesUtf16AndTextOfEarlierBuilds) {
  for (const char* valid :
       {"plain", "\xC3\xBC\xE6\x9D\xB1\xF0\x9F\x98\x80", "\xE0\xA0\x80\xF0\x90\x80\x80"})
    EXPECT_TRUE(IsValidUtf8(valid)) << valid;
  for (const char* invalid : {kMuellerAnsi, "\xE6\x9D", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                              "\xF4\x90\x80\x80", "a\x80"})
    EXPECT_FALSE(IsValidUtf8(invalid)) << ::testing::PrintToString(std::string(invalid));

  EXPECT_EQ(kGruesseUtf8, PortableCodePageToUtf8(kCodePageWestern, kGruesseAnsi));
  // The five holes of 0x80-0x9F stay the control characters of their number.
  EXPECT_EQ("\xC2\x81\xC5\xA0", PortableCodePageToUtf8(kCodePageWestern, "\x81\x8A"));
  EXPECT_EQ(kTokyo, PortableCodePageToUtf8(kCodePageUtf8, kTokyo));
  // BMP characters, a surrogate pair, U+FFFD for a stray byte; U+FFFF is
  // one unit, U+10000 the first pair.
  EXPECT_EQ(std::string("\xFF\xFE"
                        "A\0\xFC\0\x71\x67\xAC\x4E\x3D\xD8\x00\xDE\xFD\xFF\xFF\xFF\x00\xD8\x00\xDC",
                        22),
            Utf16LeWithBom("A\xC3\xBC\xE6\x9D\xB1\xE4\xBA\xAC\xF0\x9F\x98\x80\xFF"
                           "\xEF\xBF\xBF\xF0\x90\x80\x80"));

  // Text of earlier builds is read in the legacy code page; a byte-order
  // mark is dropped.
  sim::SimWorld world;
  sim::SimPlatform platform{world};
  EXPECT_EQ(kMuellerUtf8, AsUtf8Text(platform, kMuellerAnsi));
  EXPECT_EQ(kMuellerUtf8, AsUtf8Text(platform, kMuellerUtf8));
  EXPECT_EQ(kTokyo, AsUtf8Text(platform, std::string("\xEF\xBB\xBF") + kTokyo));
  world.SetLegacyCodePage(932); // no portable table: the bytes cannot be told
  EXPECT_EQ("M\xEF\xBF\xBDller", AsUtf8Text(platform, kMuellerAnsi));
}

class StoredFiles : public ::testing::Test {
protected:
  std::string Read(const std::string& path) { return world.ReadFile(path).value_or("<missing>"); }

  sim::SimWorld world;
  sim::SimPlatform platform{world};
  const std::string folder = "C:\\Program Files\\Vantrel";
};

TEST_F(StoredFiles, ProgGroupAndLogOfAnEarlierBuildKeepTheirMeaningAndBecomeUtf8) {
  const std::string file = folder + "\\Tester\\proggroup.c";
  const auto text = [](const std::string& group, const std::string& name) {
    return CrLf({"void " + group + "()", "{",
                 "     Execute (\"C:\\" + name + ".exe\", \"-q\", 5, \"\");", "}"});
  };
  world.AddFile(file, text(kMuellerAnsi, kGruesseAnsi));
  StoreTables tables;
  CDelayLoad store(platform, tables, StoreHost{});
  ASSERT_TRUE(store.LoadItems() && store.WriteItems());
  EXPECT_NE(std::string::npos, Read(file).find(text(kMuellerUtf8, kGruesseUtf8)));

  // The log becomes UTF-8 with its first event beyond ASCII.
  const std::string log = folder + "\\log.txt";
  const std::string old = std::string("Info: ") + kMuellerAnsi + "\r\n";
  world.AddFile(log, old);
  WriteLog(platform, "plain", LogInfo); // ASCII reads the same either way
  EXPECT_EQ(old + "Info: plain\r\n", Read(log));
  WriteLog(platform, kTokyo, LogInfo);
  EXPECT_EQ(std::string("Info: ") + kMuellerUtf8 + "\r\nInfo: plain\r\nInfo: " + kTokyo + "\r\n",
            Read(log));

  // A full legacy log keeps its newer half converted.
  const std::string line = std::string(92, 'x') + kMuellerAnsi + "\r\n"; // 100 bytes
  std::string full;
  while (full.size() + line.size() <= kLogSizeLimit)
    full += line;
  world.AddFile(log, full);
  WriteLog(platform, "new", LogInfo);
  EXPECT_TRUE(Read(log).starts_with(std::string(92, 'x') + kMuellerUtf8 + "\r\n"));
}

// The registry editor reads a backup as UTF-16 once it holds a name beyond
// ASCII, so the whole file turns to UTF-16 then.
TEST_F(StoredFiles, RegistryBackupsBeyondAsciiAreUtf16) {
  items::RegistryBackup backup(platform, folder);
  ASSERT_TRUE(backup.Open(items::LocalTime{2026, 12, 7, 6, 5, 4}) && backup.WriteKeyLine(true) &&
              backup.WriteValue("Tool", "C:\\T\\t.exe /q"));
  const std::string ascii = Read(backup.Path());
  EXPECT_TRUE(ascii.ends_with("Run]\r\n\"Tool\"=\"C:\\\\T\\\\t.exe /q\"\r\n")) << ascii;
  ASSERT_TRUE(backup.WriteValue(kTokyo, std::string("C:\\") + kMuellerUtf8 + "\\rec.exe"));
  EXPECT_EQ(
      Utf16LeWithBom(ascii + "\"" + kTokyo + "\"=\"C:\\\\" + kMuellerUtf8 + "\\\\rec.exe\"\r\n"),
      Read(backup.Path()));
}

} // namespace
} // namespace vantrel
