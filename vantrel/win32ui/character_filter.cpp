#include "vantrel/win32ui/character_filter.h"

namespace vantrel::win32ui {

namespace {

constexpr const char* kFilterProperty = "Vantrel.CharacterFilter";

struct Filter {
  WNDPROC previous = nullptr;
  CharacterRule accepts = nullptr;
};

LRESULT CALLBACK FilteredProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* filter = static_cast<Filter*>(::GetPropA(hwnd, kFilterProperty));
  if (filter == nullptr)
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  const WNDPROC previous = filter->previous;
  if (message == WM_CHAR && !filter->accepts(static_cast<int>(wParam & 0xFF)))
    return 0;
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    ::RemovePropA(hwnd, kFilterProperty);
    delete filter;
  }
  return ::CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

} // namespace

bool FilterCharacters(HWND edit, CharacterRule accepts) {
  if (edit == nullptr || accepts == nullptr || ::GetPropA(edit, kFilterProperty) != nullptr)
    return false;
  auto* filter = new Filter{nullptr, accepts};
  if (::SetPropA(edit, kFilterProperty, filter) == FALSE) {
    delete filter;
    return false;
  }
  filter->previous = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FilteredProcedure)));
  return filter->previous != nullptr;
}

} // namespace vantrel::win32ui
