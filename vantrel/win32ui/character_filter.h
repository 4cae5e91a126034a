// A key filter for an edit control: typed characters (WM_CHAR) pass only
// when the rule accepts their code. Keys that type nothing, such as Delete
// and the arrows, are not affected.
#pragma once

#include "common/platform/win32/win32_api.h"

namespace vantrel::win32ui {

using CharacterRule = bool (*)(int characterCode);

// Subclasses the control; the filter goes with the control.
bool FilterCharacters(HWND edit, CharacterRule accepts);

} // namespace vantrel::win32ui
