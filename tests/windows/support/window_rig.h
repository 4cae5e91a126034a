// What the in-process tests of Vantrel's windows share: a Vantrel process
// context over the real Win32 layer whose program folder and Startup
// folders are scratch folders, message boxes and shell calls recorded
// instead of shown, the resources of Vantrel.exe beside the test binary, a
// look into the tree control, and a way to act on a modal dialog while it
// runs.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/store/store_tables.h"
#include "common/tree_model.h"
#include "vantrel/app/app_context.h"
#include "vantrel/win32ui/startup_items_window.h"
#include "windows/moves_rig.h"

namespace vantrel::testing {

class WindowRig {
public:
  // The program folder is a new scratch folder under base (%TEMP% when
  // empty).
  explicit WindowRig(const std::string& base = "");
  ~WindowRig();

  // A file below the program folder (relative path).
  std::string ReadFile(const std::string& relative) const;
  // The current user's proggroup.c, relative to the program folder.
  std::string ProgGroupFile() const { return UserName() + "\\proggroup.c"; }

  // Creates the main window and runs its load (shown and filled when gui).
  win32ui::StartupItemsWindow& LoadWindow(bool gui = true);
  win32ui::StartupItemsWindow& window() { return *window_; }
  // Lets the posted messages run.
  static void Pump();

  // Where the tree control differs from the model, empty when it mirrors
  // it: the same nodes in the same order with the same texts, pictures,
  // check marks, bold and expanded states.
  std::string MirrorDifferences() const;
  // Clicks the check box of a node's item as the user would.
  void ClickCheckBox(TreeModel::NodeId node);

  const std::string& folder() const { return folder_; }
  moves::ScratchProgramPlatform& platform() { return platform_; }
  AppContext& context() { return context_; }
  HMODULE resources() const { return resources_; }

private:
  std::string folder_;
  moves::ScratchProgramPlatform platform_;
  AppContext context_;
  HMODULE resources_ = nullptr;
  std::unique_ptr<win32ui::StartupItemsWindow> window_;
};

// Shows a modal dialog through show, and runs act on it once it is up (the
// first dialog of this thread that has a control with id marker). Whatever
// act leaves open is cancelled. False when no such dialog came up.
bool WithModalDialog(int marker, const std::function<void()>& show,
                     const std::function<void(HWND dialog)>& act);
// The first shown top-level dialog of this thread with a control of that id.
HWND FindDialog(int marker);
// Lets the dialog handle a button press as a click would.
inline void Press(HWND dialog, int id) {
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Types one character into a control, with the caret at the end.
inline void TypeCharacter(HWND dialog, int id, int code) {
  ::SendDlgItemMessageA(dialog, id, EM_SETSEL, 0x7FFF, 0x7FFF); // the caret at the end
  ::SendDlgItemMessageA(dialog, id, WM_CHAR, static_cast<WPARAM>(code), 1);
}

// A control's text (id 0: the window's own).
inline std::string Text(HWND dialog, int id = 0) {
  char text[1024] = {};
  ::GetWindowTextA(id == 0 ? dialog : ::GetDlgItem(dialog, id), text, sizeof text);
  return text;
}

} // namespace vantrel::testing
