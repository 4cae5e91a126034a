// The main window's Win32 views, built into the Windows test binary so that
// its tests can create the real window in-process. Vantrel.exe's sources are
// not part of that binary; the views bind comctl32.dll by name
// (common_controls.cpp), as Vantrel.exe does. The item popup
// (item_popup.cpp) comes with the item commands' end-to-end test.
#include "vantrel/win32ui/common_controls.cpp"
#include "vantrel/win32ui/main_menu.cpp"
#include "vantrel/win32ui/main_toolbar.cpp"
#include "vantrel/win32ui/min_size_subclass.cpp"
#include "vantrel/win32ui/progress_bar.cpp"
#include "vantrel/win32ui/secondary_windows.cpp"
#include "vantrel/win32ui/startup_items_window.cpp"
#include "vantrel/win32ui/startup_tree_view.cpp"
#include "vantrel/win32ui/status_bar.cpp"
#include "vantrel/win32ui/tray_icon.cpp"
#include "vantrel/win32ui/tray_popup.cpp"

namespace {

FARPROC CommonControl(const char* name) {
  static const HMODULE comctl = ::LoadLibraryA("comctl32.dll");
  return comctl == nullptr ? nullptr : ::GetProcAddress(comctl, name);
}

} // namespace

// The import entry of the one common-control function the tests call
// themselves: it holds the address of the function it names, as the import
// library would, which the test binary does not link.
extern "C" {
FARPROC __imp_ImageList_GetImageCount = CommonControl("ImageList_GetImageCount");
}
