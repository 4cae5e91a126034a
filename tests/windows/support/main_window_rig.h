// What the in-process tests of the main window share: a Vantrel process
// context over the real Win32 layer whose program folder and Startup
// folders are scratch folders, Run values that are removed again, message
// boxes and shell calls that are recorded instead of shown, the pictures of
// Vantrel.exe beside the test binary, and a look into the tree control.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_platform.h"
#include "common/store/store_tables.h"
#include "common/tree_model.h"
#include "vantrel/app/app_context.h"
#include "vantrel/win32ui/startup_items_window.h"
#include "windows/support/recording_platform.h"

namespace vantrel::testing {

// One item of the tree control as the user sees it.
struct ControlItem {
  int depth = 0;
  std::string text;
  bool checked = false;
  bool bold = false;
  bool expanded = false;
  int image = 0;
  TreeModel::NodeId node = TreeModel::kNoNode;

  bool operator==(const ControlItem&) const = default;
};

class MainWindowRig {
public:
  // The program folder is a new scratch folder under base (%TEMP% when
  // empty).
  explicit MainWindowRig(const std::string& base = "");
  ~MainWindowRig();
  MainWindowRig(const MainWindowRig&) = delete;
  MainWindowRig& operator=(const MainWindowRig&) = delete;

  // A file in the current user's (or the all users') Startup folder.
  void AddShortcut(bool allUsers, const std::string& name);
  // A value of the current user's (or the machine's) Run key; removed again
  // when the rig goes.
  void AddRunValue(bool allUsers, const std::string& name, const std::string& data);
  // proggroup.c with these delayed and stopped items.
  void WriteProgramGroups(std::vector<ProgramEntry> startup, std::vector<std::string> stopped);
  // A file below the program folder (relative path), CR LF lines.
  void WriteFile(const std::string& relative, const std::vector<std::string>& lines);
  std::string ReadFile(const std::string& relative) const;

  // Creates the main window and runs its load (shown and filled when gui).
  win32ui::StartupItemsWindow& LoadWindow(bool gui = true);
  win32ui::StartupItemsWindow& window() { return *window_; }
  // Lets the posted messages run.
  static void Pump();

  // The tree control's items in display order (parents before children).
  std::vector<ControlItem> ControlItems() const;
  // The model's nodes the same way.
  std::vector<ControlItem> ModelItems() const;
  // Clicks the check box of a node's item as the user would.
  void ClickCheckBox(TreeModel::NodeId node);

  const std::string& folder() const { return folder_; }
  RecordingPlatform& platform() { return platform_; }
  AppContext& context() { return context_; }
  std::string userFolder() const;

private:
  std::string folder_;
  std::string userStartup_;
  std::string commonStartup_;
  RecordingPlatform platform_;
  AppContext context_;
  HMODULE resources_ = nullptr;
  std::unique_ptr<win32ui::StartupItemsWindow> window_;
  std::vector<std::pair<RegKey, std::string>> runValues_;
};

} // namespace vantrel::testing
