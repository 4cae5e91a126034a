#include "vantrel/win32ui/tray_popup.h"

#include <vector>

#include "vantrel/tray_menu.h"
#include "vantrel/win32ui/ui_handles.h"

namespace vantrel::win32ui {

namespace {

// Tracks with either button and hands the chosen id back instead of sending
// it as WM_COMMAND.
constexpr UINT kTrackFlags = TPM_RIGHTBUTTON | TPM_RETURNCMD;

// Appends the entries; one that fails is left out.
void Fill(HMENU menu, const std::vector<TrayMenuEntry>& entries) {
  for (const TrayMenuEntry& entry : entries) {
    switch (entry.kind) {
    case TrayMenuEntry::Kind::kSeparator:
      ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      break;
    case TrayMenuEntry::Kind::kCommand:
      ::AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(entry.id), entry.text.c_str());
      break;
    case TrayMenuEntry::Kind::kSubmenu: {
      UniqueMenu submenu(::CreatePopupMenu());
      if (!submenu.valid())
        break;
      Fill(submenu.get(), entry.children);
      if (::AppendMenuA(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.get()),
                        entry.text.c_str()))
        submenu.release(); // the parent menu destroys it now
      break;
    }
    }
  }
}

POINT MenuPosition() {
  POINT at{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  RECT workArea{};
  if (::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0))
    at.y = workArea.bottom;
  return at;
}

} // namespace

std::int32_t ShowTrayMenu(AppContext& context, HWND owner) {
  UniqueMenu menu(::CreatePopupMenu());
  if (!menu.valid())
    return 0;
  Fill(menu.get(), BuildTrayMenu(context));
  const POINT at = MenuPosition();
  // Without the owner in front the menu would not close when the user
  // clicks elsewhere; the WM_NULL afterwards lets a second click on the
  // icon open it again. See the remarks of TrackPopupMenu:
  // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-trackpopupmenu
  ::SetForegroundWindow(owner);
  const BOOL chosen = ::TrackPopupMenuEx(menu.get(), kTrackFlags, at.x, at.y, owner, nullptr);
  ::PostMessageA(owner, WM_NULL, 0, 0);
  return static_cast<std::int32_t>(chosen);
}

} // namespace vantrel::win32ui
