// The contract tests' backend under Windows (and Wine): the real Win32
// layer, a fresh folder under %TEMP% and a registry key of this process.
#include <memory>
#include <string>

#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_platform.h"
#include "contract/test_backend.h"
#include "windows/moves_rig.h"

namespace vantrel::testing {
namespace {

struct Win32TestBackend : TestBackend {
  Win32TestBackend() {
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

  win32::Win32Platform platform_;
  std::string folder_ = NewScratchFolder();
  std::string key_ = ScratchKeyPath();
};

} // namespace

std::unique_ptr<TestBackend> CreateTestBackend() {
  return std::make_unique<Win32TestBackend>();
}

} // namespace vantrel::testing
