// The common part of Vantrel's secondary windows: a dialog built from a
// template in a resource module, whose procedure forwards to the object
// (found through GWLP_USERDATA), shown modally or modeless.
#pragma once

#include "common/platform/win32/win32_api.h"

namespace vantrel::win32ui {

class DialogWindow {
public:
  DialogWindow() = default;
  virtual ~DialogWindow() = default;
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  HWND hwnd() const { return hwnd_; }

protected:
  // Runs the dialog until it closes; -1 when it could not be created.
  INT_PTR RunModal(HMODULE resources, int dialogId, HWND owner);
  // Creates and shows the dialog; false when it could not be created.
  bool CreateModeless(HMODULE resources, int dialogId, HWND owner);
  // Closes the dialog the way it was opened.
  void Close(INT_PTR result = IDOK);

  // The dialog procedure's work; FALSE lets the dialog manager go on.
  virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // The window is gone; a modeless window may delete itself here.
  virtual void OnDestroyed() {}

  bool modal() const { return modal_; }

private:
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

// Tab, Enter and Escape for the modeless secondary windows: the message
// loop of the process calls this first and skips a message it took.
bool IsSecondaryDialogMessage(MSG& message);

// Loads the common controls of the tree view once.
void EnsureCommonControls();

} // namespace vantrel::win32ui
