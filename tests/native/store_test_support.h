// Shared helpers of the program-group store tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "native/crlf_text.h"

namespace vantrel::store_test {

using test_text::CrLf;
using test_text::Visible;

inline std::string ReadFixture(std::string_view name) {
  const auto path = std::filesystem::path(VANTREL_SOURCE_DIR) / "tests/fixtures/proggroup" / name;
  std::ifstream in(path, std::ios::binary);
  if (!in)
    ADD_FAILURE() << "missing fixture " << path;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace vantrel::store_test
