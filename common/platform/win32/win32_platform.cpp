#include "common/platform/win32/win32_platform.h"

#include "common/platform/win32/win32_api.h"

namespace vantrel::win32 {

Win32Platform::Win32Platform() = default;

// COM is joined on the first shell call rather than at start: most login
// runs never need it, and joining costs a noticeable part of the start.
void Win32Platform::EnsureCom() {
  if (comAttempted_)
    return;
  comAttempted_ = true;
  // S_FALSE (already joined) also needs a matching CoUninitialize.
  const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  comInitialized_ = SUCCEEDED(hr);
}

Win32Platform::~Win32Platform() {
  while (!watches_.empty())
    CloseWatch(watches_.begin()->first);
  if (comInitialized_)
    ::CoUninitialize();
}

} // namespace vantrel::win32
