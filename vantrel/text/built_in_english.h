// The English caption files as they ship, built into the program: the
// texts of last resort when lang\ is missing or a file lacks entries, so
// that no box or caption is ever empty.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// The shipped English file of a caption kind ("messages", "buttons"); empty
// for a kind that has none.
std::string_view BuiltInEnglish(std::string_view kind);

// Gives every empty entry of a table the built-in English text of its
// index. A table whose entries are all there is left alone at no cost.
void FillFromBuiltInEnglish(std::span<std::string> table, std::string_view kind);
// The same for a window's own table, which grows to the English count.
void FillFromBuiltInEnglish(std::vector<std::string>& table, std::string_view kind);

} // namespace vantrel
