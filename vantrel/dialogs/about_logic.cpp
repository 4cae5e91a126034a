#include "vantrel/dialogs/about_logic.h"

namespace vantrel {

namespace {

constexpr std::uint32_t kFixedFileInfoSignature = 0xFEEF04BDu;

std::uint32_t LittleEndian32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return value;
}

} // namespace

std::optional<FileVersion> FindFileVersion(std::string_view resource) {
  // Signature, structure version, then the file version's high and low
  // 32 bits.
  constexpr std::size_t kNeeded = 16;
  for (std::size_t at = 0; at + kNeeded <= resource.size(); at += 4) {
    if (LittleEndian32(resource, at) != kFixedFileInfoSignature)
      continue;
    const std::uint32_t high = LittleEndian32(resource, at + 8);
    const std::uint32_t low = LittleEndian32(resource, at + 12);
    return FileVersion{
        static_cast<std::uint16_t>(high >> 16), static_cast<std::uint16_t>(high & 0xFFFF),
        static_cast<std::uint16_t>(low >> 16), static_cast<std::uint16_t>(low & 0xFFFF)};
  }
  return std::nullopt;
}

std::string VersionCaption(std::string_view word, const FileVersion& version) {
  return std::string(word) + " " + std::to_string(version.major) + "." +
         std::to_string(version.minor) + "." + std::to_string(version.revision);
}

} // namespace vantrel
