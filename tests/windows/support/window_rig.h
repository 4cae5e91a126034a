// What the in-process tests of Vantrel's windows share: a Vantrel process
// context over the real Win32 layer whose program folder and Startup
// folders are scratch folders, message
// boxes and shell calls that are recorded instead of shown, the resources
// of Vantrel.exe beside the test binary, a look into the tree control, and
// a way to act on a modal dialog while it runs.
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
  WindowRig(const WindowRig&) = delete;
  WindowRig& operator=(const WindowRig&) = delete;

  // A file below the program folder (relative path), CR LF lines.
  void WriteFile(const std::string& relative, const std::vector<std::string>& lines);
  std::string ReadFile(const std::string& relative) const;
  // The current user's proggroup.c, relative to the program folder.
  std::string ProgGroupFile() const;

  // Creates the main window and runs its load (shown and filled when gui).
  win32ui::StartupItemsWindow& LoadWindow(bool gui = true);
  win32ui::StartupItemsWindow& window() { return *window_; }
  // Lets the posted messages run.
  static void Pump();

  // The tree control's items in display order, one line each: depth, text,
  // node, picture and state. ModelItems: the model's nodes the same way.
  std::string ControlItems() const;
  std::string ModelItems() const;
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
void Press(HWND dialog, int id);
// Types one character into a control, with the caret at the end.
void TypeCharacter(HWND dialog, int id, int code);
// A control's text (id 0: the window's own).
std::string Text(HWND dialog, int id = 0);

} // namespace vantrel::testing
