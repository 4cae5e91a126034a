// frmStartupItems: Vantrel's main window, which owns the tray icon. It is
// loaded hidden in both start modes; a windowed start shows it. Closing it
// hides it to the tray or closes it for good, as the close type says.
#pragma once

#include <memory>

#include "common/platform/win32/win32_api.h"
#include "common/store/delay_load.h"
#include "vantrel/app_context.h"
#include "vantrel/main_window_close.h"
#include "vantrel/main_window_port.h"
#include "vantrel/win32ui/tray_icon.h"

namespace vantrel::win32ui {

class StartupItemsWindow : public MainWindowPort {
public:
  StartupItemsWindow(AppContext& context, HINSTANCE instance);
  ~StartupItemsWindow() override;
  StartupItemsWindow(const StartupItemsWindow&) = delete;
  StartupItemsWindow& operator=(const StartupItemsWindow&) = delete;

  void Load() override;
  bool IsLoaded() const override { return hwnd_ != nullptr; }
  bool IsVisible() const override;
  bool IsMinimized() const override;
  void Unload() override;
  void Restore() override;
  void ShowAndActivate() override;
  void RefreshData() override;
  void ShowTipOfTheDay() override;

  HWND hwnd() const { return hwnd_; }

private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void FormLoad();
  // Asks the close logic; destroys the window when it closes for good.
  void FormQueryUnload(CloseReason reason);
  void CloseForGood();
  HICON ClockIcon(int size) const;

  AppContext& context_;
  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  std::unique_ptr<CDelayLoad> store_;
  std::unique_ptr<Tray> tray_;
  // The close in progress came from the title bar or the system menu.
  bool closeFromSystemMenu_ = false;
  bool closing_ = false;
};

} // namespace vantrel::win32ui
