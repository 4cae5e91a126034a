#include "vantrel/win32ui/dialog_window.h"

#include <algorithm>
#include <vector>

#include <commctrl.h>

#include "common/exception_policy.h"
#include "vantrel/win32ui/common_controls.h"

namespace vantrel::win32ui {

namespace {

// The modeless secondary windows that are open, for IsSecondaryDialogMessage.
std::vector<HWND>& ModelessWindows() {
  static std::vector<HWND> windows;
  return windows;
}

const DLGTEMPLATE* FindTemplate(HMODULE resources, int dialogId) {
  HRSRC found = ::FindResourceA(resources, MAKEINTRESOURCEA(dialogId), MAKEINTRESOURCEA(5));
  if (found == nullptr)
    return nullptr;
  HGLOBAL loaded = ::LoadResource(resources, found);
  return loaded == nullptr ? nullptr : static_cast<const DLGTEMPLATE*>(::LockResource(loaded));
}

} // namespace

INT_PTR DialogWindow::RunModal(HMODULE resources, int dialogId, HWND owner) {
  EnsureCommonControls();
  const DLGTEMPLATE* dialog = FindTemplate(resources, dialogId);
  if (dialog == nullptr)
    return -1;
  modal_ = true;
  // The template may come from a module loaded as data; the controls
  // belong to the running program.
  return ::DialogBoxIndirectParamA(::GetModuleHandleA(nullptr), dialog, owner,
                                   &DialogWindow::Procedure, reinterpret_cast<LPARAM>(this));
}

bool DialogWindow::CreateModeless(HMODULE resources, int dialogId, HWND owner) {
  EnsureCommonControls();
  const DLGTEMPLATE* dialog = FindTemplate(resources, dialogId);
  if (dialog == nullptr)
    return false;
  modal_ = false;
  HWND created =
      ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr), dialog, owner,
                                   &DialogWindow::Procedure, reinterpret_cast<LPARAM>(this));
  if (created == nullptr)
    return false;
  ModelessWindows().push_back(created);
  ::ShowWindow(created, SW_SHOW);
  return true;
}

void DialogWindow::Close(INT_PTR result) {
  if (hwnd_ == nullptr)
    return;
  if (modal_)
    ::EndDialog(hwnd_, result);
  else
    ::DestroyWindow(hwnd_);
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, lParam);
    reinterpret_cast<DialogWindow*>(lParam)->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<DialogWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr)
    return FALSE;
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    auto& windows = ModelessWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), hwnd), windows.end());
    self->hwnd_ = nullptr;
    self->OnDestroyed(); // may delete self: nothing of it is used after this
    return FALSE;
  }
  return CatchAtWindowEntry([&] { return self->OnMessage(message, wParam, lParam); },
                            [] { return static_cast<INT_PTR>(FALSE); });
}

bool IsSecondaryDialogMessage(MSG& message) {
  for (HWND window : ModelessWindows()) {
    if (::IsDialogMessageA(window, &message))
      return true;
  }
  return false;
}

void EnsureCommonControls() {
  static const bool registered =
      common_controls::RegisterClasses(ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES);
  (void)registered;
}

} // namespace vantrel::win32ui
