#include "vantrel/win32ui/secondary_windows.h"

namespace vantrel::win32ui {

// The windows themselves are not part of Vantrel.exe yet; until they are,
// their menu entries do nothing.

void ShowProgramGroupsEditor(AppContext&, HWND, const std::string&) {}

void ShowOptionsWindow(AppContext&) {}

void ShowAboutWindow(AppContext&, HWND) {}

void ShowTipWindow(AppContext&, HWND, bool) {}

} // namespace vantrel::win32ui
