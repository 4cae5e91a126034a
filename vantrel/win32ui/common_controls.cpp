#include "vantrel/win32ui/common_controls.h"

namespace vantrel::win32ui::common_controls {

namespace {

struct Library {
  decltype(&::InitCommonControlsEx) registerClasses = nullptr;
  decltype(&::ImageList_Create) createImageList = nullptr;
  decltype(&::ImageList_AddMasked) addMasked = nullptr;
  decltype(&::ImageList_Destroy) destroyImageList = nullptr;
};

template <typename Proc> Proc Bind(HMODULE library, const char* name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

// Loaded once and kept for the life of the process, as an import would be.
const Library& Bound() {
  static const Library library = [] {
    Library bound;
    // By plain name: the process's manifest redirects it to version 6.
    const HMODULE module = ::LoadLibraryA("comctl32.dll");
    if (module == nullptr)
      return bound;
    bound.registerClasses = Bind<decltype(bound.registerClasses)>(module, "InitCommonControlsEx");
    bound.createImageList = Bind<decltype(bound.createImageList)>(module, "ImageList_Create");
    bound.addMasked = Bind<decltype(bound.addMasked)>(module, "ImageList_AddMasked");
    bound.destroyImageList = Bind<decltype(bound.destroyImageList)>(module, "ImageList_Destroy");
    return bound;
  }();
  return library;
}

} // namespace

bool RegisterClasses(DWORD classes) {
  const auto call = Bound().registerClasses;
  if (call == nullptr)
    return false;
  INITCOMMONCONTROLSEX request{};
  request.dwSize = sizeof request;
  request.dwICC = classes;
  return call(&request) != FALSE;
}

HIMAGELIST CreateImageList(int width, int height, UINT flags, int initial, int grow) {
  const auto call = Bound().createImageList;
  return call == nullptr ? nullptr : call(width, height, flags, initial, grow);
}

// Without a list there is nothing to do, and the library stays unloaded.
int AddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask) {
  if (list == nullptr)
    return -1;
  const auto call = Bound().addMasked;
  return call == nullptr ? -1 : call(list, bitmap, mask);
}

void DestroyImageList(HIMAGELIST list) {
  if (list == nullptr)
    return;
  if (const auto call = Bound().destroyImageList)
    call(list);
}

} // namespace vantrel::win32ui::common_controls
