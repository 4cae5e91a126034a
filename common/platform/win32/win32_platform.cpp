#include "common/platform/win32/win32_platform.h"

#include "common/platform/win32/win32_api.h"

namespace vantrel::win32 {

namespace {

// ole32 is bound by name when COM is first joined. Imported, it would load
// with every start of both programs, and combase and rpcrt4 with it, while
// most login runs never need COM.
struct ComLibrary {
  decltype(&::CoInitializeEx) initialize = nullptr;
  decltype(&::CoUninitialize) uninitialize = nullptr;
};

template <typename Proc> Proc Bind(HMODULE library, const char* name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

// Loaded once and kept for the life of the process, as an import would be.
const ComLibrary& BoundCom() {
  static const ComLibrary library = [] {
    ComLibrary bound;
    if (const HMODULE module = ::LoadLibraryA("ole32.dll")) {
      bound.initialize = Bind<decltype(bound.initialize)>(module, "CoInitializeEx");
      bound.uninitialize = Bind<decltype(bound.uninitialize)>(module, "CoUninitialize");
    }
    return bound;
  }();
  return library;
}

} // namespace

Win32Platform::Win32Platform() = default;

// COM is joined on the first shell call rather than at start: most login
// runs never need it, and joining costs a noticeable part of the start.
void Win32Platform::EnsureCom() {
  if (comAttempted_)
    return;
  comAttempted_ = true;
  const ComLibrary& com = BoundCom();
  if (com.initialize == nullptr || com.uninitialize == nullptr)
    return;
  // S_FALSE (already joined) also needs a matching CoUninitialize.
  const HRESULT hr = com.initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  comInitialized_ = SUCCEEDED(hr);
}

Win32Platform::~Win32Platform() {
  while (!watches_.empty())
    CloseWatch(watches_.begin()->first);
  if (comInitialized_)
    BoundCom().uninitialize();
}

} // namespace vantrel::win32
