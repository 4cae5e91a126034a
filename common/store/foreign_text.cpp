#include "common/store/foreign_text.h"

namespace vantrel::store {

ForeignText ClassifyRawBytes(std::string_view bytes) {
  if (bytes.starts_with(std::string_view("\x00\x00\xFE\xFF", 4)))
    return ForeignText::kUtf32Bom;
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
    return ForeignText::kUtf16Bom;
  if (bytes.find('\0') != std::string_view::npos)
    return ForeignText::kNulBytes;
  return ForeignText::kNone;
}

} // namespace vantrel::store
