// How proggroup.c carries texts that its quoted fields could not hold as
// they are. A byte that would end a field, end a group block, vanish in the
// reader (tabs, the blanks it trims) or break the line is written as
// "<&HH>": the two upper-case hex digits of the byte. "<&" is the one
// opener; a "<" that comes before a "&" is itself written "<&3C>".
//
// Why this form: paths and command lines are full of backslashes, so a
// backslash escape would change the meaning of nearly every file already
// written. "<&" followed by two hex digits and ">" is not a path (Windows
// forbids "<" in file names) and is not a command line anyone writes (to
// cmd it would be a broken redirection), so files of earlier builds, which
// never hold the sequence, read exactly as before. Only the bytes that need
// it are escaped, so an ordinary file is written byte for byte as before.
#pragma once

#include <string>
#include <string_view>

namespace vantrel::store {

enum class FieldKind {
  kPath,         // leading blanks (a shortcut's name may start with one);
                 // trailing ones are the split's and go as before
  kParameters,   // blanks at either end
  kRegistryName, // blanks at either end, "," and ")", which the reader drops
  kStoppedEntry, // written trimmed; commas at its end; its quotes go as before
};

std::string EncodeField(std::string_view text, FieldKind kind);

// Turns every "<&HH>" back into its byte; anything else stays as it is.
std::string DecodeField(std::string_view text);

} // namespace vantrel::store
