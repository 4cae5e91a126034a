// Keeps a window from being dragged smaller than a minimum size: the
// window's procedure is replaced by one that corrects the rectangle of every
// WM_SIZING and passes every other message on unchanged. One window at a
// time is tracked, which is all Vantrel needs (its main window).
#pragma once

#include <cstdint>

#include "common/platform/win32/win32_api.h"

namespace vantrel::win32ui {

// Tracks window with these minimums (outer size, in twips), converted to
// pixels at the screen's real resolution when a border is dragged. False
// when another window is tracked already or the procedure could not be set.
bool InstallMinimumSize(HWND window, std::int32_t minWidthTwips, std::int32_t minHeightTwips);

// Puts the window's previous procedure back and stops tracking it.
void RemoveMinimumSize(HWND window);

// The tracking procedure. A window that is not tracked gets 0.
LRESULT CALLBACK MinimumSizeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace vantrel::win32ui
