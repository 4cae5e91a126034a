// frmTip: the tip of the day. Main shows it modally after a windowed start
// when the option asks for it; Help > Tips shows it modeless, owned by the
// main window. Every close saves the "show tips" box when it changed.
#pragma once

#include "common/platform/win32/win32_api.h"
#include "vantrel/app_context.h"
#include "vantrel/tip_logic.h"
#include "vantrel/win32ui/dialog_window.h"
#include "vantrel/win32ui/ui_handles.h"
#include "vantrel/window_captions.h"

namespace vantrel::win32ui {

enum class TipShow { kModal, kModeless };

class TipWindow : private DialogWindow {
public:
  // Modal: returns when the window has closed. Modeless: returns the open
  // window at once. While a tip window is open, another call brings it to
  // the front instead.
  static void ShowTipOfTheDay(AppContext& context, HMODULE resources, HWND owner, TipShow how);

private:
  explicit TipWindow(AppContext& context) : context_(context) {}

  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyed() override;
  void OnInit();
  void DisplayCurrentTip();
  void Paint();
  // Form_QueryUnload: every close, whatever the reason.
  void QueryUnload();

  static TipWindow* open_;

  AppContext& context_;
  WindowCaptions captions_;
  TipOfTheDay tips_;
  UniqueFont headingFont_;
};

} // namespace vantrel::win32ui
