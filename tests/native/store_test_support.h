// Shared helpers of the program-group store tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "common/store/store_tables.h"
#include "native/crlf_text.h"

namespace vantrel {

// Readable failure messages for the store's records.
inline void PrintTo(const ProgramEntry& entry, std::ostream* out) {
  *out << "{Path=" << ::testing::PrintToString(entry.Path)
       << " Parameters=" << ::testing::PrintToString(entry.Parameters)
       << " Command=" << entry.Command << " Delay=" << entry.Delay
       << " RegistryName=" << ::testing::PrintToString(entry.RegistryName) << "}";
}
inline void PrintTo(const ProgramGroup& group, std::ostream* out) {
  *out << "{Name=" << ::testing::PrintToString(group.Name)
       << " Programs=" << ::testing::PrintToString(group.Programs) << "}";
}

} // namespace vantrel

namespace vantrel::store_test {

using test_text::CrLf;

inline std::filesystem::path FixtureFolder() {
  return std::filesystem::path(VANTREL_SOURCE_DIR) / "tests" / "fixtures" / "proggroup";
}

inline std::string ReadFixture(std::string_view name) {
  const auto path = FixtureFolder() / name;
  std::ifstream in(path, std::ios::binary);
  if (!in)
    ADD_FAILURE() << "missing fixture " << path;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The display of a text with its line ends made visible, for diffs.
inline std::string Visible(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n\n";
    else
      out += c;
  }
  return out;
}

} // namespace vantrel::store_test
