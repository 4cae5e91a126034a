// Delays as the user types them into the editor's and the options window's
// delay boxes: seconds written with digits and at most one ".", whatever
// the user's locale, so that they read back from proggroup.c unchanged.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// The text a delay box shows for a stored delay: 30, 2.5, 0.1.
std::string DelayText(float seconds);

// A delay box's text (blanks around it allowed) as seconds: digits with at
// most one "." and at least one digit. Anything else, or a number too big
// for a 32-bit float, gives nothing and says why in *reason when given.
std::optional<float> ParseDelayText(std::string_view text, std::string* reason = nullptr);

} // namespace vantrel
