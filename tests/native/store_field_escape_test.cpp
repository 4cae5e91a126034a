// The codes proggroup.c writes for the bytes its quoted fields cannot hold
// as they are, and that files of earlier builds, which never hold them,
// read as before.
#include <gtest/gtest.h>

#include "common/store/field_escape.h"

namespace vantrel::store {
namespace {

TEST(FieldEscape, WritesOnlyWhatWouldBeLostAndReadsItBack) {
  struct Case {
    std::string text;
    FieldKind kind;
    std::string written;
  } cases[] = {
      {"C:\\Program Files (x86)\\a,b\\x.exe", FieldKind::kPath,
       "C:\\Program Files (x86)\\a,b\\x.exe"},
      {"\"C:\\U\\Update.exe\" ", FieldKind::kPath, "<&22>C:\\U\\Update.exe<&22> "},
      {" x}.lnk", FieldKind::kPath, "<&20>x<&7D>.lnk"},
      {"  a\tb}c//d=e  ", FieldKind::kParameters, "<&20><&20>a<&09>b<&7D>c//d=e<&20><&20>"},
      {"x<&22>y<z&", FieldKind::kParameters, "x<&3C>&22>y<z&"},
      {"line\r\nnext", FieldKind::kParameters, "line<&0D><&0A>next"},
      {" Name, (x)", FieldKind::kRegistryName, "<&20>Name<&2C> (x<&29>"},
      {"_STPCU_a,b,,", FieldKind::kStoppedEntry, "_STPCU_a,b<&2C><&2C>"},
      {"_STPCU_a}\tb.lnk", FieldKind::kStoppedEntry, "_STPCU_a<&7D><&09>b.lnk"},
      {"", FieldKind::kParameters, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(EncodeField(c.text, c.kind), c.written);
    EXPECT_EQ(DecodeField(c.written), c.text);
  }
  // Every byte comes back, in every kind of field.
  std::string all;
  for (int byte = 0; byte < 256; ++byte)
    all += static_cast<char>(byte);
  for (FieldKind kind : {FieldKind::kParameters, FieldKind::kRegistryName})
    EXPECT_EQ(DecodeField(EncodeField(" " + all + " <&", kind)), " " + all + " <&");
}

TEST(FieldEscape, TextsOfEarlierBuildsReadUnchanged) {
  for (const char* text : {"C:\\a&b\\x.exe", "<&", "a<&2>", "<&zz>", "<&2G>", "x <& 22>",
                           "%ProgramFiles%\\x.exe /u=%22", "<&22"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(DecodeField(text), text);
  }
  EXPECT_EQ(DecodeField("<&7d><&7D>"), "}}"); // hand-written codes in either case
}

} // namespace
} // namespace vantrel::store
