// Resource ids of the main window's pictures (used by main_window.rc and by
// the Win32 views). The application icon is the named resource "clock".
#ifndef VANTREL_MAIN_WINDOW_IDS_H
#define VANTREL_MAIN_WINDOW_IDS_H

// Six 16x16 toolbar glyphs side by side: Save, Refresh, Stop, Delay, Run,
// Properties. Magenta is transparent.
#define IDB_MAIN_TOOLBAR 201
// Six 16x16 tree pictures side by side: Registry, Startup, Stopped, Delay,
// User, Group. Magenta is transparent.
#define IDB_TREE_PICTURES 202

#endif
