// A secondary window's own caption table (lang\<code>\<kind>.<code>),
// loaded each time the window loads, in the current language.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "vantrel/app/app_context.h"

namespace vantrel {

class WindowCaptions {
public:
  WindowCaptions() = default;
  // Loads the table of that kind (caption_file::kOptions, ...) for the
  // context's language; a missing file leaves the table empty.
  WindowCaptions(AppContext& context, std::string_view kind);

  // Entry index, or fallback when the file has no such entry or it is
  // empty (a missing language file then leaves the design caption).
  std::string At(std::size_t index, std::string_view fallback = {}) const;
  const std::vector<std::string>& Entries() const { return entries_; }

private:
  std::vector<std::string> entries_;
};

// A Buttons entry, or fallback when it is empty.
std::string ButtonCaption(const AppContext& context, std::size_t index,
                          std::string_view fallback = {});

} // namespace vantrel
