// Hands out the lines of a text one by one. A line ends at CR LF, at a lone
// CR or at a lone LF (hand-edited files come with all three); a text that
// ends in a line break has no empty line after it.
#pragma once

#include <string_view>

namespace vantrel::store {

class LineReader {
public:
  explicit LineReader(std::string_view text) : text_(text) {}

  // True once the last line has been handed out.
  bool AtEnd() const { return position_ >= text_.size(); }

  // The next line without its line break; empty at the end.
  std::string_view Next() {
    if (AtEnd())
      return {};
    const auto start = position_;
    const auto stop = text_.find_first_of("\r\n", start);
    if (stop == std::string_view::npos) {
      position_ = text_.size();
      return text_.substr(start);
    }
    position_ = stop + 1;
    if (text_[stop] == '\r' && position_ < text_.size() && text_[position_] == '\n')
      ++position_;
    return text_.substr(start, stop - start);
  }

private:
  std::string_view text_;
  std::size_t position_ = 0;
};

} // namespace vantrel::store
