// The contract tests' backend in the native test binary: a fresh simulated
// machine per test, with an empty scratch folder.
#include <memory>

#include "common/platform/sim/sim_platform.h"
#include "contract/test_backend.h"

namespace vantrel::testing {

namespace {

class SimTestBackend : public TestBackend {
public:
  SimTestBackend() : platform_(world_) { world_.MakeDirs(kScratch); }

  Platform& platform() override { return platform_; }
  std::string scratchFolder() override { return kScratch; }
  std::string scratchKey() override { return "Software\\VantrelTest\\Contract"; }
  bool isWine() override { return false; }

private:
  static constexpr const char* kScratch = "C:\\Scratch";
  sim::SimWorld world_;
  sim::SimPlatform platform_;
};

} // namespace

std::unique_ptr<TestBackend> CreateTestBackend() {
  return std::make_unique<SimTestBackend>();
}

} // namespace vantrel::testing
