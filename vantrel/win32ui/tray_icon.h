// Tray: Vantrel's icon in the notification area. It owns a small hidden
// window that receives the shell's notifications: two left clicks show the
// main window, a right click opens the tray menu and raises ItemClicked
// with the chosen id (0 when the menu was dismissed). When Explorer starts
// again the icon is added back.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/platform/win32/win32_api.h"
#include "vantrel/app/app_context.h"
#include "vantrel/tray/tray_clicks.h"
#include "vantrel/window/main_window_port.h"

namespace vantrel::win32ui {

class Tray {
public:
  explicit Tray(AppContext& context);
  // Removes the icon when it is shown and lets go of the window and menu.
  ~Tray();
  Tray(const Tray&) = delete;
  Tray& operator=(const Tray&) = delete;

  // Creates the control's own window; false when that fails.
  bool Create(HINSTANCE instance);
  HWND hwnd() const { return hwnd_; }

  // The icon image; the control keeps its own copy. Null when none is set.
  HICON Picture() const { return picture_; }
  void SetPicture(HICON icon);
  // Kept for whoever wants it back; the control does not use it.
  HMENU MenuToPopup() const { return menuToPopup_; }
  void SetMenuToPopup(HMENU menu) { menuToPopup_ = menu; }
  // The window a double activation shows, and the owner of the menu.
  MainWindowPort* FormToPopup() const { return formToPopup_; }
  void SetFormToPopup(MainWindowPort* window, HWND handle);

  // Adds the icon with this tip; false, adding nothing, without a Picture.
  bool LoadTrayIcon(const std::string& tip);
  bool RemoveTrayIcon();
  bool ToolTip(const std::string& tip);

  std::function<void(std::int32_t id)> ItemClicked;

private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnMouse(TrayMouse mouse);
  bool Notify(DWORD command);

  AppContext& context_;
  HWND hwnd_ = nullptr;
  HICON picture_ = nullptr;
  HMENU menuToPopup_ = nullptr;
  MainWindowPort* formToPopup_ = nullptr;
  HWND formHandle_ = nullptr;
  bool loaded_ = false;
  NOTIFYICONDATAA data_{};
  UINT taskbarCreated_ = 0;
  TrayClickCounter clicks_;
};

} // namespace vantrel::win32ui
