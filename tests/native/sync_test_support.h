// Shared pieces of VantrelSync's tests: the file it writes around a given
// Startup group.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "common/store/proggroup_writer.h"
#include "native/crlf_text.h"

namespace vantrel::sync_test {

using test_text::CrLf;
using test_text::Visible;

// Everything VantrelSync writes before the group Startup: the header
// comment, the built-in words, no stopped items and the fixed options. Its
// bytes are pinned by the golden file sync_two_items.c.
inline std::string SyncFileHead() {
  const std::string text = store::FormatSyncProgGroup({ProgramGroup{"Startup", {}}});
  return text.substr(0, text.find("void Startup()"));
}

// The whole file for a Startup group with these program lines.
inline std::string SyncFile(std::initializer_list<std::string_view> programLines) {
  std::string text = SyncFileHead() + CrLf({"void Startup()", "{"});
  for (std::string_view line : programLines)
    text += CrLf({line});
  return text + CrLf({"}", ""});
}

} // namespace vantrel::sync_test
