// frmOptions: Vantrel's four options, shown modeless and without an owner
// from the main window's Tools > Options. The change test and the save are
// in options_logic.
#pragma once

#include "common/platform/win32/win32_api.h"
#include "vantrel/app/app_context.h"
#include "vantrel/dialogs/options_logic.h"
#include "vantrel/text/window_captions.h"
#include "vantrel/win32ui/dialog_window.h"

namespace vantrel::win32ui {

class OptionsWindow : private DialogWindow {
public:
  // Opens the window, or brings the open one to the front; returns it, or
  // null when it could not be created.
  static HWND ShowOptions(AppContext& context, HMODULE resources);

private:
  explicit OptionsWindow(AppContext& context) : context_(context) {}

  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyed() override;
  void OnInit();
  void SetWindowTexts();
  void OnOk();
  OptionsForm ReadForm() const;

  static OptionsWindow* open_;

  AppContext& context_;
  WindowCaptions captions_;
  OptionsForm shown_;
};

} // namespace vantrel::win32ui
