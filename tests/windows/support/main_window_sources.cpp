// The main window's Win32 views, built into the Windows test binary so that
// its tests can create the real window in-process. Vantrel.exe's sources are
// not part of that binary, and neither is comctl32's import library: the
// common-control functions the views call are bound here, at start-up, to
// the system's comctl32.dll (the entries the linker would otherwise take
// from the import library). The item popup (item_popup.cpp) comes with the
// item commands' end-to-end test.
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

// The import entries of the functions the headers declare as imported: each
// holds the address of the function it names.
extern "C" {
FARPROC __imp_InitCommonControlsEx = CommonControl("InitCommonControlsEx");
FARPROC __imp_ImageList_Create = CommonControl("ImageList_Create");
FARPROC __imp_ImageList_AddMasked = CommonControl("ImageList_AddMasked");
FARPROC __imp_ImageList_Destroy = CommonControl("ImageList_Destroy");
FARPROC __imp_ImageList_GetImageCount = CommonControl("ImageList_GetImageCount");
}
