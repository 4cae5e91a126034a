// Small helpers over a dialog's controls, by control id.
#pragma once

#include <string>

#include "common/platform/win32/win32_api.h"

namespace vantrel::win32ui {

std::string ControlText(HWND dialog, int id);
// Sets the text only when it differs, so that a caret in the control stays.
void SetControlText(HWND dialog, int id, const std::string& text);
// Keeps the design caption when text is empty (a missing language file).
void SetCaption(HWND dialog, int id, const std::string& text);
void EnableControl(HWND dialog, int id, bool enabled);
bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool checked);
// A font like the dialog's, bolder, larger by the factor, or underlined;
// the caller deletes it. It follows the dialog's DPI.
HFONT DerivedFont(HWND dialog, int weight, double sizeFactor, bool underline);

} // namespace vantrel::win32ui
