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

// "Müller", "Grüße" and "€" in code page 1252 and in UTF-8.
constexpr const char* kMuellerAnsi = "M\xFCller";
constexpr const char* kMuellerUtf8 = "M\xC3\xBCller";
constexpr const char* kGruesseAnsi = "Gr\xFC\xDF"
                                     "e \x80";
constexpr const char* kGruesseUtf8 = "Gr\xC3\xBC\xC3\x9F"
                                     "e \xE2\x82\xAC";
constexpr const char* kTokyo = "\xE6\x9D\xB1\xE4\xBA\xAC"; // 東京

TEST(TextEncoding, Utf8IsRecognisedStrictly) {
  const std::pair<std::string, bool> rows[] = {
      {"plain", true},
      {"\xC3\xBC\xE6\x9D\xB1\xF0\x9F\x98\x80", true}, // two, three and four bytes
      {"\xE0\xA0\x80\xF0\x90\x80\x80", true},         // the lowest three- and four-byte forms
      {kMuellerAnsi, false},                          // a legacy umlaut
      {"\xE6\x9D", false},                            // a sequence cut short
      {"\xC0\xAF", false},                            // an overlong slash
      {"\xE0\x80\xAF", false},                        // an overlong three-byte form
      {"\xED\xA0\x80", false},                        // a surrogate
      {"\xF4\x90\x80\x80", false},                    // beyond U+10FFFF
      {"a\x80", false},                               // a lone continuation byte
  };
  for (const auto& [bytes, valid] : rows)
    EXPECT_EQ(valid, IsValidUtf8(bytes)) << ::testing::PrintToString(bytes);
}

TEST(TextEncoding, CodePagesUtf16AndTextOfEarlierBuilds) {
  EXPECT_EQ(kGruesseUtf8, PortableCodePageToUtf8(kCodePageWestern, kGruesseAnsi));
  // The five holes of 0x80-0x9F stay the control characters of their number.
  EXPECT_EQ("\xC2\x81\xC5\xA0", PortableCodePageToUtf8(kCodePageWestern, "\x81\x8A"));
  EXPECT_EQ(kTokyo, PortableCodePageToUtf8(kCodePageUtf8, kTokyo));

  EXPECT_EQ(std::string("\xFF\xFE"
                        "A\0\xFC\0\x71\x67\xAC\x4E\x3D\xD8\x00\xDE\xFD\xFF",
                        16),
            Utf16LeWithBom("A\xC3\xBC\xE6\x9D\xB1\xE4\xBA\xAC\xF0\x9F\x98\x80\xFF"))
      << "BMP characters, a surrogate pair, and U+FFFD for a stray byte";
  EXPECT_EQ(std::string("\xFF\xFE\xFF\xFF\x00\xD8\x00\xDC", 8),
            Utf16LeWithBom("\xEF\xBF\xBF\xF0\x90\x80\x80"))
      << "U+FFFF is one unit, U+10000 the first pair";

  // Text of earlier builds is read in the legacy code page.
  sim::SimWorld world;
  sim::SimPlatform platform{world};
  EXPECT_EQ(kMuellerUtf8, AsUtf8Text(platform, kMuellerAnsi));
  EXPECT_EQ(kMuellerUtf8, AsUtf8Text(platform, kMuellerUtf8));
  EXPECT_EQ(kTokyo, AsUtf8Text(platform, std::string("\xEF\xBB\xBF") + kTokyo))
      << "a byte-order mark is dropped";
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

TEST_F(StoredFiles, ProgGroupOfAnEarlierBuildKeepsItsMeaningAndIsSavedAsUtf8) {
  const std::string file = folder + "\\Tester\\proggroup.c";
  const auto text = [](const std::string& group, const std::string& path) {
    return CrLf(
        {"void " + group + "()", "{", "     Execute (\"" + path + "\", \"-q\", 5, \"\");", "}"});
  };
  world.AddFile(file, text(kMuellerAnsi, std::string("C:\\") + kGruesseAnsi + ".exe"));
  StoreTables tables;
  CDelayLoad store(platform, tables, StoreHost{});
  ASSERT_TRUE(store.LoadItems());
  ASSERT_TRUE(store.WriteItems());
  EXPECT_NE(std::string::npos,
            Read(file).find(text(kMuellerUtf8, std::string("C:\\") + kGruesseUtf8 + ".exe")));
}

TEST_F(StoredFiles, LogOfAnEarlierBuildBecomesUtf8WithTheFirstEventBeyondAscii) {
  const std::string log = folder + "\\log.txt";
  const std::string old = std::string("Info: ") + kMuellerAnsi + "\r\n";
  world.AddFile(log, old);
  WriteLog(platform, "plain", LogInfo);
  EXPECT_EQ(old + "Info: plain\r\n", Read(log)) << "ASCII reads the same either way";
  WriteLog(platform, kTokyo, LogInfo);
  const std::string converted =
      std::string("Info: ") + kMuellerUtf8 + "\r\nInfo: plain\r\nInfo: " + kTokyo + "\r\n";
  EXPECT_EQ(converted, Read(log));

  // A full legacy log keeps its newer half converted.
  const std::string line = std::string(92, 'x') + kMuellerAnsi + "\r\n"; // 100 bytes
  std::string full;
  for (std::uint64_t i = 0; i < kLogSizeLimit / line.size(); ++i)
    full += line;
  world.AddFile(log, full);
  WriteLog(platform, "new", LogInfo);
  EXPECT_TRUE(Read(log).starts_with(std::string(92, 'x') + kMuellerUtf8 + "\r\n"));
}

TEST_F(StoredFiles, RegistryBackupsBeyondAsciiAreUtf16LikeTheRegistryEditorExports) {
  const items::LocalTime when{2026, 12, 7, 6, 5, 4};
  const std::string header = "Windows Registry Editor Version 5.00\r\n\r\n";
  const std::string keyLine =
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n";
  items::RegistryBackup backup(platform, folder);
  ASSERT_TRUE(backup.Open(when));
  ASSERT_TRUE(backup.WriteKeyLine(true));
  ASSERT_TRUE(backup.WriteValue("Tool", "C:\\T\\t.exe /q"));
  const std::string ascii = header + keyLine + "\"Tool\"=\"C:\\\\T\\\\t.exe /q\"\r\n";
  EXPECT_EQ(ascii, Read(backup.Path())) << "ASCII stays as it always was";

  const std::string command = std::string("C:\\") + kMuellerUtf8 + "\\rec.exe \xE6\xBC\xA2";
  ASSERT_TRUE(backup.WriteValue(kTokyo, command));
  EXPECT_EQ(Utf16LeWithBom(ascii + "\"" + kTokyo + "\"=\"C:\\\\" + kMuellerUtf8 +
                           "\\\\rec.exe \xE6\xBC\xA2\"\r\n"),
            Read(backup.Path()));
}

} // namespace
} // namespace vantrel
