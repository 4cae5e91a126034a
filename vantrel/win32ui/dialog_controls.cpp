#include "vantrel/win32ui/dialog_controls.h"

#include <algorithm>
#include <cmath>

namespace vantrel::win32ui {

std::string ControlText(HWND dialog, int id) {
  HWND control = ::GetDlgItem(dialog, id);
  const int length = ::GetWindowTextLengthA(control);
  std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
  const int copied = ::GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

void SetControlText(HWND dialog, int id, const std::string& text) {
  if (ControlText(dialog, id) != text)
    ::SetDlgItemTextA(dialog, id, text.c_str());
}

void SetCaption(HWND dialog, int id, const std::string& text) {
  if (!text.empty())
    SetControlText(dialog, id, text);
}

void EnableControl(HWND dialog, int id, bool enabled) {
  HWND control = ::GetDlgItem(dialog, id);
  if ((::IsWindowEnabled(control) != FALSE) != enabled)
    ::EnableWindow(control, enabled ? TRUE : FALSE);
}

bool IsChecked(HWND dialog, int id) {
  return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void SetChecked(HWND dialog, int id, bool checked) {
  ::CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

HFONT DerivedFont(HWND dialog, int weight, double sizeFactor, bool underline) {
  auto font = reinterpret_cast<HFONT>(::SendMessageA(dialog, WM_GETFONT, 0, 0));
  LOGFONTA description{};
  if (font == nullptr || ::GetObjectA(font, sizeof description, &description) == 0)
    return nullptr;
  description.lfWeight = weight;
  description.lfHeight = static_cast<LONG>(std::lround(description.lfHeight * sizeFactor));
  description.lfUnderline = underline ? TRUE : FALSE;
  return ::CreateFontIndirectA(&description);
}

} // namespace vantrel::win32ui
