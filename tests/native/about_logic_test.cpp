// The about window's version line, read from a version resource's bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "vantrel/dialogs/about_logic.h"

namespace vantrel {
namespace {

void Put32(std::string& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// The start of a VS_VERSIONINFO block: lengths, type, the key
// "VS_VERSION_INFO" in UTF-16 with padding, then the fixed part.
std::string VersionResource(std::uint32_t high, std::uint32_t low) {
  std::string bytes;
  bytes += std::string("\x34\x03\x34\x00\x00\x00", 6);
  for (char c : std::string("VS_VERSION_INFO"))
    bytes += std::string{c, '\0'};
  bytes += std::string(4, '\0'); // terminating NUL and padding to 32 bits
  Put32(bytes, 0xFEEF04BDu);
  Put32(bytes, 0x00010000u);
  Put32(bytes, high);
  Put32(bytes, low);
  Put32(bytes, high); // product version
  Put32(bytes, low);
  return bytes;
}

TEST(AboutVersion, ReadFromTheFixedPartOfTheResource) {
  const auto version = FindFileVersion(VersionResource(0x00020000u, 0x00000004u));
  ASSERT_TRUE(version);
  EXPECT_EQ(VersionCaption("Version", *version), "Version 2.0.4");
  EXPECT_EQ(VersionCaption("Version", FileVersion{10, 2, 7, 31}), "Version 10.2.31");
}

TEST(AboutVersion, NoFixedPartNoVersion) {
  EXPECT_FALSE(FindFileVersion(std::string(64, '\0')));
  std::string cut = VersionResource(0x00020000u, 4);
  cut.resize(cut.size() - 12); // the signature without the version after it
  EXPECT_FALSE(FindFileVersion(cut));
  // The signature counts only on a 32-bit boundary.
  EXPECT_TRUE(FindFileVersion(std::string(4, '\0') + VersionResource(0x00020000u, 4)));
  EXPECT_FALSE(FindFileVersion(std::string(2, '\0') + VersionResource(0x00020000u, 4)));
}

} // namespace
} // namespace vantrel
