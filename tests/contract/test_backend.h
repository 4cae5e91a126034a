// What a contract test needs from the backend it runs against: a platform,
// an empty scratch folder and a private registry key, both removed again
// when the backend is dropped. The native test binary provides one over the
// simulation, the Windows test binary one over the real Win32 layer.
#pragma once

#include <memory>
#include <string>

#include "common/platform/platform.h"

namespace vantrel::testing {

class TestBackend {
public:
  virtual ~TestBackend() = default;
  virtual Platform& platform() = 0;
  // An existing, empty folder without a trailing backslash.
  virtual std::string scratchFolder() = 0;
  // A key path under HKEY_CURRENT_USER that nobody else uses.
  virtual std::string scratchKey() = 0;
  // True under Wine: marks the places where Wine is known to differ from
  // Windows, like Wine's own todo_wine.
  virtual bool isWine() = 0;
};

// Defined once per test binary.
std::unique_ptr<TestBackend> CreateTestBackend();

} // namespace vantrel::testing
