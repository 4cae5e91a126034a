// Why proggroup.c did not load. Each kind has its own box, so the user
// learns whether the file is broken, not Vantrel's text at all, or only
// held open by another program for a while.
#pragma once

namespace vantrel {

enum class LoadProblem {
  kNone,
  kHeldOpen,   // another program holds it open (a backup tool, a scanner)
  kNotText,    // NUL bytes or a UTF-16/UTF-32 byte-order mark
  kFaultyLine, // a line the reader cannot take; the lines before it loaded
  kUnreadable, // it cannot be opened or read at all
};

} // namespace vantrel
