// frmStartupItems: Vantrel's main window. It shows every startup item in a
// tree with check boxes, under a menu bar and a toolbar and above a status
// bar with a progress bar; it owns the tray icon. It is loaded hidden in
// both start modes; a windowed start shows it and fills the tree. A login
// start leaves it hidden and without its menu bar and controls, which are
// made when it is first shown. Closing it hides it to the tray or closes it
// for good, as the close type says.
//
// The window renders and forwards: the tree's content is the portable
// TreeModel that RefreshStartupItems builds, and toolbar clicks, File >
// Save, tree clicks, check marks and the item popup go to the installed
// MainWindowCommands.
#pragma once

#include <memory>
#include <string>

#include "common/platform/win32/win32_api.h"
#include "common/store/delay_load.h"
#include "common/tree_model.h"
#include "vantrel/app_context.h"
#include "vantrel/main_window_close.h"
#include "vantrel/main_window_commands.h"
#include "vantrel/main_window_port.h"
#include "vantrel/startup_tree.h"
#include "vantrel/win32ui/main_menu.h"
#include "vantrel/win32ui/main_toolbar.h"
#include "vantrel/win32ui/progress_bar.h"
#include "vantrel/win32ui/startup_tree_view.h"
#include "vantrel/win32ui/status_bar.h"
#include "vantrel/win32ui/tray_icon.h"
#include "vantrel/win32ui/ui_handles.h"
#include "vantrel/window_texts.h"

namespace vantrel::win32ui {

class StartupItemsWindow : public MainWindowPort, public MainWindowHost {
public:
  // The icon and the pictures come from resources (by default the
  // instance's own module).
  StartupItemsWindow(AppContext& context, HINSTANCE instance, HMODULE resources = nullptr);
  ~StartupItemsWindow() override;
  StartupItemsWindow(const StartupItemsWindow&) = delete;
  StartupItemsWindow& operator=(const StartupItemsWindow&) = delete;

  // Installs the item commands; the window's own simple handling stands in
  // until then.
  void SetCommands(std::unique_ptr<MainWindowCommands> commands);

  // MainWindowPort.
  void Load() override;
  bool IsLoaded() const override { return hwnd_ != nullptr; }
  bool IsVisible() const override;
  bool IsMinimized() const override;
  void Unload() override;
  void Restore() override;
  void ShowAndActivate() override;
  void RefreshData() override;
  void ShowTipOfTheDay() override;

  // MainWindowHost.
  AppContext& Context() override { return context_; }
  TreeModel& Tree() override { return tree_; }
  CDelayLoad& Store() override;
  TreeModel::NodeId SelectedNode() const override;
  WindowHandle Handle() const override;
  void CheckForOptions() override;
  void ShowItemTip(const std::string& text) override;
  void ClearItemTip() override;
  void SetItemTip(const std::string& tip) override;
  void ChecksChanged() override;
  void ShowItemPopup(const ItemPopupState& state) override;

  HWND hwnd() const { return hwnd_; }
  // Creates the menu bar and the child controls unless they are there. A
  // login start leaves them out; every entry that needs them calls this,
  // and so does the window whenever it is shown. False when they could not
  // all be made (which is logged).
  bool EnsureControls();
  // The controls, for tests; null before the load and, in a login start,
  // until the window is first shown.
  const StartupTreeView* TreeView() const { return controls_ ? &controls_->tree : nullptr; }
  const MainToolbar* Toolbar() const { return controls_ ? &controls_->toolbar : nullptr; }
  const MainStatusBar* StatusBar() const { return controls_ ? &controls_->statusBar : nullptr; }
  AdvProgressBar* ProgressBar() { return controls_ ? &controls_->apb : nullptr; }
  const MainMenu* Menu() const { return controls_ ? &controls_->menu : nullptr; }
  const MainWindowTexts& Texts() const { return texts_; }

  // Control ids of the children.
  static constexpr int kTreeId = 101;
  static constexpr int kToolbarId = 102;
  static constexpr int kStatusBarId = 103;

private:
  // The child controls of one load; they go when the window is destroyed.
  struct Controls {
    MainMenu menu;
    MainToolbar toolbar;
    MainStatusBar statusBar;
    StartupTreeView tree;
    AdvProgressBar apb;
  };

  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool FormLoad();
  bool CreateControls();
  void LoadWindowTexts();
  void ApplyWindowTexts();
  void FormResize();
  void OnCommand(UINT id, HWND control);
  void OnNotify(NMHDR& header);
  void SwitchLanguage(std::size_t index);
  void ShowHelp();
  void OpenLink(const std::string& address);
  // Asks the close logic; destroys the window when it closes for good.
  void FormQueryUnload(CloseReason reason);
  void CloseForGood();
  HICON ClockIcon(int size) const;
  int Scaled(int pixelsAt96) const;
  void LogLoadFailure(const std::string& what) const;

  AppContext& context_;
  HINSTANCE instance_;
  HMODULE resources_;
  HWND hwnd_ = nullptr;
  std::unique_ptr<CDelayLoad> store_;
  std::unique_ptr<Tray> tray_;
  std::unique_ptr<Controls> controls_;
  // Every control of controls_ was made.
  bool controlsComplete_ = false;
  UniqueImageList pictures_;
  TreeModel tree_;
  StartupItemLists lists_;
  MainWindowTexts texts_ = DesignedWindowTexts();
  std::unique_ptr<MainWindowCommands> commands_;
  // The node the pointer was last over, so that the tip follows changes.
  TreeModel::NodeId pointerNode_ = TreeModel::kNoNode;
  // The close in progress came from the title bar or the system menu.
  bool closeFromSystemMenu_ = false;
  bool closing_ = false;
};

} // namespace vantrel::win32ui
