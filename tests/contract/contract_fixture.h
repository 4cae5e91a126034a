// Shared set-up for the contract tests: a fresh backend per test with an
// empty scratch folder and a private registry key, plus small helpers to
// arrange files and raw registry values through the seam itself.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "contract/test_backend.h"

namespace vantrel::testing {

class ContractTest : public ::testing::Test {
protected:
  void SetUp() override {
    backend_ = CreateTestBackend();
    ASSERT_TRUE(backend_);
  }

  Platform& platform() { return backend_->platform(); }
  // Scratch folder, optionally joined with a relative path.
  std::string dir(const std::string& relative = "") {
    return relative.empty() ? backend_->scratchFolder()
                            : backend_->scratchFolder() + "\\" + relative;
  }
  std::string key(const std::string& relative = "") {
    return relative.empty() ? backend_->scratchKey() : backend_->scratchKey() + "\\" + relative;
  }

  // Writes a file, making the folders on its way that are missing.
  void writeFile(const std::string& relative, const std::string& bytes = "x") {
    for (auto at = relative.find('\\'); at != std::string::npos; at = relative.find('\\', at + 1))
      platform().CreateDirectory(dir(relative.substr(0, at)));
    ASSERT_TRUE(platform().WriteWholeFile(dir(relative), bytes)) << relative;
  }
  void makeFolder(const std::string& relative) {
    ASSERT_TRUE(platform().CreateDirectory(dir(relative))) << relative;
  }
  bool exists(const std::string& relative) {
    return platform().GetFileAttributes(dir(relative)) != kInvalidFileAttributes;
  }
  std::string readFile(const std::string& relative) {
    std::string bytes;
    EXPECT_TRUE(platform().ReadWholeFile(dir(relative), &bytes)) << relative;
    return bytes;
  }

  // Stores a raw value under the scratch key (or a subkey of it).
  void setRaw(const std::string& name, std::uint32_t type, const std::string& bytes,
              const std::string& subKey = "") {
    RegKey handle = 0;
    ASSERT_EQ(win32err::kSuccess, platform().RegCreateKey(kHkeyCurrentUser, key(subKey), &handle));
    EXPECT_EQ(win32err::kSuccess,
              platform().RegSetValue(handle, name, type,
                                     reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                     static_cast<std::uint32_t>(bytes.size())));
    platform().RegCloseKey(handle);
  }

  static std::vector<std::string> sorted(std::vector<std::string> list) {
    std::sort(list.begin(), list.end());
    return list;
  }

private:
  std::unique_ptr<TestBackend> backend_;
};

} // namespace vantrel::testing
