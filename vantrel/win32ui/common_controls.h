// comctl32.dll, bound by name when a control or an image list is first
// needed rather than imported. A login start, whose main window stays
// hidden, then never loads the library (version 6 through the manifest)
// nor the theme library it brings, a good part of that start under Wine.
// Every call fails harmlessly when the library cannot be loaded.
#pragma once

#include "common/platform/win32/win32_api.h"

#include <commctrl.h>

namespace vantrel::win32ui::common_controls {

// Registers the classes of these ICC_ flags; false when that fails.
bool RegisterClasses(DWORD classes);

// ImageList_Create, ImageList_AddMasked and ImageList_Destroy.
HIMAGELIST CreateImageList(int width, int height, UINT flags, int initial, int grow);
int AddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask);
void DestroyImageList(HIMAGELIST list);

} // namespace vantrel::win32ui::common_controls
