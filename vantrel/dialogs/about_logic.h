// The about window's texts: the version line from the program's version
// resource, and the vendor's two addresses that its link labels show and
// open.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// Indexes into the about window's caption table (about.<code>).
namespace about_caption {
constexpr std::size_t kWindowTitle = 0;
constexpr std::size_t kVersionWord = 1;
constexpr std::size_t kDescription = 2;
constexpr std::size_t kForumLabel = 3;
constexpr std::size_t kUpdatesLabel = 4;
constexpr std::size_t kVendor = 5;
} // namespace about_caption

// The four parts of a file version: 2,0,0,4 is major 2, minor 0, build 0,
// revision 4.
struct FileVersion {
  std::uint16_t major = 0;
  std::uint16_t minor = 0;
  std::uint16_t build = 0;
  std::uint16_t revision = 0;
};

// The file version of a VS_VERSIONINFO resource as it lies in the module:
// its fixed part starts with the signature 0xFEEF04BD on a 32-bit boundary.
// Nothing when the bytes hold no fixed part.
std::optional<FileVersion> FindFileVersion(std::string_view resource);

// "Version 2.0.4": the word, a blank, then major, minor and revision (the
// build number is not shown).
std::string VersionCaption(std::string_view word, const FileVersion& version);

} // namespace vantrel
