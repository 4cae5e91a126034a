// The contract tests' backend in the native test binary: a fresh simulated
// machine per test, with an empty scratch folder, for a user whose logon
// name is in CJK and whose profile folders are named after it.
#include <memory>

#include "common/platform/sim/sim_platform.h"
#include "contract/test_backend.h"

namespace vantrel::testing {
namespace {

constexpr const char* kScratch = "C:\\Scratch";
constexpr const char* kUser = "\xE7\x94\xB0\xE4\xB8\xAD"; // 田中

class SimTestBackend : public TestBackend {
public:
  SimTestBackend() : platform_(world_, Options()) {
    world_.MakeDirs(kScratch);
    const std::string menu =
        std::string("C:\\Users\\") + kUser + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu";
    world_.SetSpecialFolder(kCsidlStartMenu, menu);
    world_.SetSpecialFolder(kCsidlPrograms, menu + "\\Programs");
    world_.SetSpecialFolder(kCsidlStartup, menu + "\\Programs\\Startup");
    world_.MakeDirs(menu + "\\Programs\\Startup");
  }

  Platform& platform() override { return platform_; }
  std::string scratchFolder() override { return kScratch; }
  std::string scratchKey() override { return "Software\\VantrelTest\\Contract"; }
  bool isWine() override { return false; }

private:
  static sim::SimProcessOptions Options() {
    sim::SimProcessOptions options;
    options.userName = kUser;
    return options;
  }
  sim::SimWorld world_;
  sim::SimPlatform platform_;
};

} // namespace

std::unique_ptr<TestBackend> CreateTestBackend() {
  return std::make_unique<SimTestBackend>();
}

} // namespace vantrel::testing
