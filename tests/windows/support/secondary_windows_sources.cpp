// The secondary windows' Win32 views, built into the Windows test binary so
// that its tests can open the real dialogs in-process. (Vantrel.exe's own
// sources are not part of that binary; their dialog resources are read
// from Vantrel.exe beside it.)
#include "vantrel/win32ui/about_window.cpp"
#include "vantrel/win32ui/character_filter.cpp"
#include "vantrel/win32ui/dialog_controls.cpp"
#include "vantrel/win32ui/dialog_window.cpp"
#include "vantrel/win32ui/options_window.cpp"
#include "vantrel/win32ui/program_groups_window.cpp"
#include "vantrel/win32ui/tip_window.cpp"
#include "vantrel/win32ui/tree_view_mirror.cpp"
