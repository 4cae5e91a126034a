// The contract tests' backend under Windows (and Wine): the real Win32
// layer, a fresh folder under %TEMP% and a registry key of this process.
#include <memory>
#include <string>

#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_platform.h"
#include "contract/test_backend.h"
#include "windows/support/scratch.h"

namespace vantrel::testing {
namespace {

class Win32TestBackend : public TestBackend {
public:
  Win32TestBackend() : folder_(NewScratchFolder()), key_(ScratchKeyPath()) {
    // A run that crashed earlier with the same process id may have left it.
    ::RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
  }
  ~Win32TestBackend() override {
    RemoveTree(folder_);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
    // Removes the shared parent once the last process is done with it.
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kScratchKeyParent);
  }

  Platform& platform() override { return platform_; }
  std::string scratchFolder() override { return folder_; }
  std::string scratchKey() override { return key_; }
  bool isWine() override { return RunningUnderWine(); }

private:
  win32::Win32Platform platform_;
  std::string folder_;
  std::string key_;
};

} // namespace

std::unique_ptr<TestBackend> CreateTestBackend() {
  return std::make_unique<Win32TestBackend>();
}

} // namespace vantrel::testing
