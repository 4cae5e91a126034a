#include "common/store/clean_line.h"

namespace vantrel::store {

std::string CleanLine(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  bool inQuotes = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"')
      inQuotes = !inQuotes;
    else if (!inQuotes && c == '/' && i + 1 < line.size() && line[i + 1] == '/')
      break;
    if (c != '\t')
      out += c;
  }
  return out;
}

} // namespace vantrel::store
