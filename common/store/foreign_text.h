// Tells proggroup.c's raw bytes from something that is not Vantrel's text,
// before any decoding: a file saved as UTF-16 or UTF-32 by an editor, or
// binary garbage. Such a file must never be read as a file without
// entries, or the next save would replace it with an empty one.
#pragma once

#include <string_view>

namespace vantrel::store {

enum class ForeignText {
  kNone,     // bytes Vantrel can read as text
  kUtf16Bom, // FF FE or FE FF at the start (UTF-32's FF FE 00 00 too)
  kUtf32Bom, // 00 00 FE FF at the start
  kNulBytes, // a NUL anywhere: UTF-16 without a mark, or binary data
};

ForeignText ClassifyRawBytes(std::string_view bytes);

} // namespace vantrel::store
