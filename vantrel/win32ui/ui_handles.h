// Owners for the user-interface handles the windows make themselves: menus,
// GDI objects (fonts, bitmaps, brushes) and image lists, on the same
// template as the platform layer's handles.
#pragma once

#include "common/platform/win32/win32_handles.h"
#include "vantrel/win32ui/common_controls.h"

namespace vantrel::win32ui {

struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { ::DestroyMenu(handle); }
};

template <typename Object> struct GdiObjectTraits {
  using Handle = Object;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { ::DeleteObject(handle); }
};

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { common_controls::DestroyImageList(handle); }
};

using UniqueMenu = win32::UniqueHandle<MenuTraits>;
using UniqueFont = win32::UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBitmap = win32::UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueBrush = win32::UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueImageList = win32::UniqueHandle<ImageListTraits>;

} // namespace vantrel::win32ui
