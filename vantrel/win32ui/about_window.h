// frmAbout: the product's name, version and the vendor's two addresses,
// shown modally by the main window's Help > About. A click on an address
// opens it and closes the window.
#pragma once

#include "common/platform/win32/win32_api.h"
#include "vantrel/app_context.h"
#include "vantrel/win32ui/dialog_window.h"
#include "vantrel/win32ui/ui_handles.h"
#include "vantrel/window_captions.h"

namespace vantrel::win32ui {

class AboutWindow : private DialogWindow {
public:
  // Returns when the window has closed. The version comes from the version
  // resource of the resources module.
  static void ShowAbout(AppContext& context, HMODULE resources, HWND owner);

private:
  AboutWindow(AppContext& context, HMODULE resources) : context_(context), resources_(resources) {}

  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnInit();
  std::string VersionText(const std::string& word) const;
  void OpenLink(int id);

  static AboutWindow* open_;

  AppContext& context_;
  HMODULE resources_;
  WindowCaptions captions_;
  UniqueFont titleFont_;
  UniqueFont linkFont_;
};

} // namespace vantrel::win32ui
