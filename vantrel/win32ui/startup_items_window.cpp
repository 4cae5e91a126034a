#include "vantrel/win32ui/startup_items_window.h"

#include <commctrl.h>

#include <exception>
#include <string>

#include "common/event_log.h"
#include "common/exception_policy.h"
#include "vantrel/moves/popup_menu.h"
#include "vantrel/resources/main_window_ids.h"
#include "vantrel/text/language_switch.h"
#include "vantrel/tray/tray_command.h"
#include "vantrel/tree/known_programs.h"
#include "vantrel/tree/refresh_startup_items.h"
#include "vantrel/tree/startup_tree.h"
#include "vantrel/win32ui/common_controls.h"
#include "vantrel/win32ui/item_popup.h"
#include "vantrel/win32ui/min_size_subclass.h"
#include "vantrel/win32ui/secondary_windows.h"
#include "vantrel/window/check_for_options.h"
#include "vantrel/window/min_size.h"
#include "vantrel/window/web_links.h"

namespace vantrel::win32ui {

namespace {

constexpr const char* kMainWindowClass = "VantrelStartupItems";
// The size the window opens with, at 96 dots per inch.
constexpr int kWidth = 760;
constexpr int kHeight = 520;
// The tree's margin: 75 twips, 5 pixels at 96 dots per inch.
constexpr int kTreeMargin = 5;
constexpr const char* kTrayTip = "Vantrel";
constexpr int kPictureSize = 16;
constexpr COLORREF kPictureBackground = RGB(255, 0, 255);

// The system's description of the last error, without its line end.
std::string LastErrorText() {
  const DWORD error = ::GetLastError();
  char text[512] = {};
  const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, text, sizeof text, nullptr);
  std::string description(text, length);
  while (!description.empty() && (description.back() == '\n' || description.back() == '\r'))
    description.pop_back();
  return description.empty() ? "error " + std::to_string(error) : description;
}

// The tree pictures; an empty list when the module has no bitmap.
HIMAGELIST LoadTreePictures(HINSTANCE instance) {
  const HIMAGELIST list =
      common_controls::CreateImageList(kPictureSize, kPictureSize, ILC_COLOR24 | ILC_MASK,
                                       static_cast<int>(startup_tree::image::kNames.size()), 0);
  if (list == nullptr)
    return nullptr;
  const UniqueBitmap strip(static_cast<HBITMAP>(::LoadImageA(
      instance, MAKEINTRESOURCEA(IDB_TREE_PICTURES), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (strip.valid())
    common_controls::AddMasked(list, strip.get(), kPictureBackground);
  return list;
}

// The hourglass for as long as the object lives.
class WaitCursor {
public:
  WaitCursor() : previous_(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { ::SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

private:
  HCURSOR previous_;
};

} // namespace

StartupItemsWindow::StartupItemsWindow(AppContext& context, HINSTANCE instance, HMODULE resources)
    : context_(context), instance_(instance), resources_(resources ? resources : instance),
      commands_(std::make_unique<MainWindowCommands>(*this)) {}

StartupItemsWindow::~StartupItemsWindow() {
  // The process ends: no close logic, just let go.
  tray_.reset();
  if (hwnd_ != nullptr)
    ::DestroyWindow(hwnd_);
}

void StartupItemsWindow::SetCommands(std::unique_ptr<MainWindowCommands> commands) {
  if (commands != nullptr)
    commands_ = std::move(commands);
}

HICON StartupItemsWindow::ClockIcon(int size) const {
  // Shared: the system keeps the image for the life of the process.
  if (HANDLE icon = ::LoadImageA(resources_, "clock", IMAGE_ICON, size, size, LR_SHARED))
    return static_cast<HICON>(icon);
  // Without the resource the standard application icon stands in, so that
  // the tray icon is still there to reach the window.
  return ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512)); // IDI_APPLICATION
}

int StartupItemsWindow::Scaled(int pixelsAt96) const {
  const UINT dpi = hwnd_ != nullptr ? ::GetDpiForWindow(hwnd_) : ::GetDpiForSystem();
  return ::MulDiv(pixelsAt96, dpi == 0 ? 96 : static_cast<int>(dpi), 96);
}

void StartupItemsWindow::LogLoadFailure(const std::string& what) const {
  WriteLog(context_.platform, "Startup Items Error! Reported: " + what, LogError);
}

void StartupItemsWindow::Load() {
  if (hwnd_ != nullptr)
    return;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &StartupItemsWindow::WndProc;
  windowClass.hInstance = instance_;
  windowClass.hIcon = ClockIcon(::GetSystemMetrics(SM_CXICON));
  windowClass.hIconSm = ClockIcon(::GetSystemMetrics(SM_CXSMICON));
  windowClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kMainWindowClass;
  ::RegisterClassExA(&windowClass); // fails harmlessly when already registered
  if (::CreateWindowExA(0, kMainWindowClass, kMainWindowTitle,
                        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                        Scaled(kWidth), Scaled(kHeight), nullptr, nullptr, instance_,
                        this) == nullptr) {
    LogLoadFailure(LastErrorText());
    return;
  }
  FormLoad();
}

bool StartupItemsWindow::CreateControls() {
  // The control classes are registered with the first controls: a login
  // start whose window is never shown needs none of them.
  common_controls::RegisterClasses(ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES);
  controls_ = std::make_unique<Controls>();
  if (!pictures_.valid())
    pictures_.reset(LoadTreePictures(resources_));
  Controls& c = *controls_;
  if (::SetMenu(hwnd_, c.menu.bar()) == FALSE)
    return false;
  c.menu.GiveBarAway();
  return c.toolbar.Create(hwnd_, instance_, resources_, kToolbarId) &&
         c.statusBar.Create(hwnd_, instance_, kStatusBarId) &&
         c.tree.Create(hwnd_, instance_, kTreeId, pictures_.get()) &&
         c.apb.Create(hwnd_, instance_);
}

bool StartupItemsWindow::EnsureControls() {
  if (controls_ != nullptr)
    return controlsComplete_;
  if (hwnd_ == nullptr)
    return false;
  controlsComplete_ = CreateControls();
  if (!controlsComplete_)
    LogLoadFailure(LastErrorText());
  // What was made is wired up all the same, so that a control that is
  // there never calls an empty handler.
  Controls& c = *controls_;
  c.tree.NodeChecked = [this](TreeModel::NodeId node) { commands_->TreeNodeCheck(node); };
  c.tree.Clicked = [this] { commands_->TreeClick(); };
  c.tree.MouseUp = [this](int button) { commands_->TreeMouseUp(button); };
  c.tree.PointerOver = [this](TreeModel::NodeId node) {
    if (node == pointerNode_)
      return;
    pointerNode_ = node;
    commands_->TreeMouseMove(node);
  };
  c.tree.HelpKey = [this] { ShowHelp(); };

  c.apb.SetMin(0);
  c.apb.SetMax(100);
  c.apb.SetValue(0);
  c.apb.SetGradient(false);
  c.apb.SetMyParent(c.statusBar.hwnd());
  c.apb.SetStatusBarPanelIndex(1);
  ApplyWindowTexts();
  FormResize();
  return controlsComplete_;
}

bool StartupItemsWindow::FormLoad() {
  if (!InstallMinimumSize(hwnd_, kMainWindowMinWidthTwips, kMainWindowMinHeightTwips)) {
    LogLoadFailure("the minimum window size could not be set");
    return false;
  }
  store_ = std::make_unique<CDelayLoad>(context_.NewDelayLoad());
  LoadWindowTexts();
  // A windowed start shows the window at once; a login start leaves it
  // hidden with its tray icon, and the controls wait for the first show.
  if (context_.GuiMode && !EnsureControls())
    return false;

  // The control lives as long as this object: it may be closing the window
  // from inside its own notification handling.
  if (tray_ == nullptr) {
    tray_ = std::make_unique<Tray>(context_);
    tray_->Create(instance_);
  }
  if (tray_->hwnd() != nullptr) {
    const HICON clock = ClockIcon(::GetSystemMetrics(SM_CXSMICON));
    tray_->SetPicture(clock);
    tray_->SetFormToPopup(this, hwnd_);
    tray_->ItemClicked = [this](std::int32_t id) { HandleTrayCommand(context_, *this, id); };
    tray_->LoadTrayIcon(kTrayTip);
  }

  if (context_.GuiMode) {
    CheckForOptions();
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::UpdateWindow(hwnd_);
    context_.platform.PumpMessages();
    const WaitCursor hourglass;
    RefreshData();
  }
  if (controls_ != nullptr)
    controls_->apb.SetValue(0);
  return true;
}

void StartupItemsWindow::LoadWindowTexts() {
  vantrel::LoadWindowTexts(context_.Text, context_.Store.Language, texts_);
  ApplyWindowTexts();
}

void StartupItemsWindow::ApplyWindowTexts() {
  if (controls_ == nullptr)
    return;
  controls_->menu.ApplyTexts(texts_);
  ::DrawMenuBar(hwnd_);
  controls_->toolbar.SetToolTips(texts_.toolTips);
  controls_->statusBar.SetPanelText(texts_.statusText);
}

void StartupItemsWindow::FormResize() {
  if (controls_ == nullptr || ::IsIconic(hwnd_))
    return;
  Controls& c = *controls_;
  c.toolbar.Resize();
  c.statusBar.Resize();
  c.apb.FitIntoPanel();
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  const int margin = Scaled(kTreeMargin);
  const int width = client.right - 2 * margin;
  const int height = client.bottom - 2 * margin - c.toolbar.Height() - c.statusBar.Height();
  // A size that comes out negative leaves the tree as it was.
  if (width < 0 || height < 0)
    return;
  ::MoveWindow(c.tree.hwnd(), client.left + margin, client.top + c.toolbar.Height() + margin, width,
               height, TRUE);
}

void StartupItemsWindow::RefreshData() {
  EnsureControls();
  if (controls_ == nullptr || store_ == nullptr)
    return;
  StartupTreeView& view = controls_->tree;
  AdvProgressBar& apb = controls_->apb;
  pointerNode_ = TreeModel::kNoNode;
  ::SendMessageA(view.hwnd(), WM_SETREDRAW, FALSE, 0);
  // The control follows the model as it grows: it is emptied when the model
  // is (progress 0) and takes the new nodes at every later step.
  RefreshStartupItems(context_, *store_, tree_, lists_, [&view, &apb, this](float percent) {
    if (percent == 0)
      view.Clear();
    else
      view.AddNewNodes(tree_);
    apb.SetPercent(percent);
  });
  view.AddNewNodes(tree_);
  view.ShowStates(tree_);
  // A new tree has no check marks, so nothing is left for Stop, Delay and Run.
  controls_->toolbar.ShowItemButtons(ItemButtons{});
  ::SendMessageA(view.hwnd(), WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(view.hwnd(), nullptr, TRUE);
}

void StartupItemsWindow::ShowTipOfTheDay() {
  ShowTipWindow(context_, resources_, hwnd_, true);
}

CDelayLoad& StartupItemsWindow::Store() {
  // Between loads the window has no store of its own; a fresh one on the
  // same tables serves.
  if (store_ == nullptr)
    store_ = std::make_unique<CDelayLoad>(context_.NewDelayLoad());
  return *store_;
}

TreeModel::NodeId StartupItemsWindow::SelectedNode() const {
  return controls_ == nullptr ? TreeModel::kNoNode : controls_->tree.SelectedNode();
}

WindowHandle StartupItemsWindow::Handle() const {
  return reinterpret_cast<WindowHandle>(hwnd_);
}

void StartupItemsWindow::CheckForOptions() {
  const ItemButtons buttons = vantrel::CheckForOptions(tree_);
  if (controls_ == nullptr)
    return;
  controls_->toolbar.ShowItemButtons(buttons);
  controls_->tree.ShowChecks(tree_);
}

void StartupItemsWindow::ShowItemTip(const std::string& text) {
  if (controls_ == nullptr)
    return;
  controls_->tree.SetToolTip(std::string());
  std::string subject = text;
  if (subject.empty()) {
    const TreeModel::NodeId selected = SelectedNode();
    if (!tree_.Contains(selected))
      return;
    subject = tree_.At(selected).text;
  }
  controls_->tree.SetToolTip(ItemTip(context_.Text.SafeList, subject));
}

void StartupItemsWindow::ChecksChanged() {
  if (controls_ != nullptr)
    controls_->tree.ShowChecks(tree_);
}

void StartupItemsWindow::ShowItemPopup(const ItemPopupState& state) {
  if (hwnd_ == nullptr)
    return;
  // The popup's captions as the menu bar's: the language's, or the designed
  // ones where it has none.
  TextTables captions;
  captions.Menus = texts_.menuCaptions;
  POINT pointer{};
  ::GetCursorPos(&pointer);
  if (const auto entry = TrackItemPopup(hwnd_, pointer, items::BuildItemPopupMenu(captions, state)))
    commands_->ItemPopupCommand(*entry);
}

void StartupItemsWindow::SetItemTip(const std::string& tip) {
  if (controls_ != nullptr)
    controls_->tree.SetToolTip(tip);
}

void StartupItemsWindow::ClearItemTip() {
  if (controls_ != nullptr)
    controls_->tree.SetToolTip(std::string());
}

bool StartupItemsWindow::IsVisible() const {
  return hwnd_ != nullptr && ::IsWindowVisible(hwnd_);
}

bool StartupItemsWindow::IsMinimized() const {
  return hwnd_ != nullptr && ::IsIconic(hwnd_);
}

void StartupItemsWindow::Unload() {
  if (hwnd_ != nullptr)
    FormQueryUnload(CloseReason::kProgram);
}

void StartupItemsWindow::Restore() {
  if (hwnd_ == nullptr)
    return;
  EnsureControls();
  ::ShowWindow(hwnd_, SW_RESTORE);
}

void StartupItemsWindow::ShowAndActivate() {
  if (hwnd_ == nullptr)
    return;
  EnsureControls();
  ::ShowWindow(hwnd_, SW_SHOW);
  ::SetForegroundWindow(hwnd_);
}

void StartupItemsWindow::ShowHelp() {
  vantrel::ShowHelp(context_.platform, context_.ProgramFolder, Handle());
}

void StartupItemsWindow::OpenLink(const std::string& address) {
  OpenWebLink(context_.platform, Handle(), address);
}

void StartupItemsWindow::SwitchLanguage(std::size_t index) {
  if (store_ == nullptr || controls_ == nullptr)
    return;
  if (vantrel::SwitchLanguage(context_, *store_, index, texts_))
    controls_->menu.ShowLanguageChecks(texts_.languages);
}

void StartupItemsWindow::OnCommand(UINT id, HWND control) {
  if (controls_ != nullptr && control == controls_->toolbar.hwnd()) {
    if (const auto key = MainToolbar::KeyOf(id))
      commands_->ToolbarButtonClick(*key);
    return;
  }
  if (const auto language = MainMenu::LanguageOf(id)) {
    SwitchLanguage(*language);
    return;
  }
  switch (id) {
  case menu_id::kFileSave:
    commands_->FileSave();
    break;
  case menu_id::kFileMinimizeToTray:
    ::ShowWindow(hwnd_, SW_HIDE);
    break;
  case menu_id::kFileExit:
    Unload();
    break;
  case menu_id::kProgramGroupsModify:
    ShowProgramGroupsEditor(context_, resources_, hwnd_);
    break;
  case menu_id::kToolsOptions:
    ShowOptionsWindow(context_, resources_);
    break;
  case menu_id::kHelpHelp:
    ShowHelp();
    break;
  case menu_id::kHelpAbout:
    ShowAboutWindow(context_, resources_, hwnd_);
    break;
  case menu_id::kHelpTips:
    ShowTipWindow(context_, resources_, hwnd_, false);
    break;
  case menu_id::kHelpOnlineForums:
    OpenLink(std::string(web_links::kForumPage));
    break;
  case menu_id::kHelpOnlineMainPage:
    OpenLink(std::string(web_links::kHomePage));
    break;
  case menu_id::kHelpOnlineSupportEmail:
    OpenLink(SupportMailLink());
    break;
  default:
    break;
  }
}

void StartupItemsWindow::OnNotify(NMHDR& header) {
  if (controls_ == nullptr)
    return;
  if (controls_->toolbar.OnNotify(header))
    return;
  controls_->tree.OnNotify(header, tree_);
}

void StartupItemsWindow::FormQueryUnload(CloseReason reason) {
  if (closing_)
    return;
  closing_ = true;
  const bool closes = QueryUnloadMainWindow(context_, reason, [this] { CloseForGood(); });
  closing_ = false;
  if (!closes)
    ::ShowWindow(hwnd_, SW_HIDE);
  else if (hwnd_ != nullptr)
    ::DestroyWindow(hwnd_);
}

void StartupItemsWindow::CloseForGood() {
  if (tray_ != nullptr)
    tray_->RemoveTrayIcon();
  RemoveMinimumSize(hwnd_);
  store_.reset();
}

LRESULT StartupItemsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_SHOWWINDOW:
    // Whoever shows the window, it never shows without its controls.
    if (wParam != FALSE)
      EnsureControls();
    break;
  case WM_SIZE:
    FormResize();
    return 0;
  case WM_COMMAND:
    OnCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    return 0;
  case WM_NOTIFY:
    OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    return 0;
  case StartupTreeView::kCheckToggledMessage:
    if (controls_ != nullptr)
      controls_->tree.OnCheckPosted(reinterpret_cast<HTREEITEM>(lParam), tree_);
    return 0;
  case WM_KEYUP:
    if (wParam == VK_F1)
      ShowHelp();
    return 0;
  case WM_HELP:
    return TRUE; // F1 is answered on its key-up
  case WM_DPICHANGED: {
    const auto* suggested = reinterpret_cast<const RECT*>(lParam);
    ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
  }
  case WM_SYSCOMMAND:
    if ((wParam & 0xFFF0) == SC_CLOSE) {
      closeFromSystemMenu_ = true;
      const LRESULT result = ::DefWindowProcA(hwnd_, message, wParam, lParam);
      closeFromSystemMenu_ = false;
      return result;
    }
    break;
  case WM_CLOSE:
    // Not from the title bar or system menu: another program asked.
    FormQueryUnload(closeFromSystemMenu_ ? CloseReason::kUserClose : CloseReason::kTaskManager);
    return 0;
  case WM_QUERYENDSESSION:
    return TRUE;
  case WM_ENDSESSION:
    if (wParam != FALSE)
      FormQueryUnload(CloseReason::kWindowsShutdown);
    return 0;
  case WM_DESTROY:
    // The children go with the window; their objects go first.
    controls_.reset();
    ::PostQuitMessage(0);
    return 0;
  default:
    break;
  }
  return ::DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK StartupItemsWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created =
        static_cast<StartupItemsWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    created->hwnd_ = hwnd;
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* window = reinterpret_cast<StartupItemsWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (window == nullptr)
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    window->hwnd_ = nullptr;
    window->store_.reset();
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  }
  return CatchAtWindowEntry([&] { return window->HandleMessage(message, wParam, lParam); },
                            [&] { return ::DefWindowProcA(hwnd, message, wParam, lParam); });
}

} // namespace vantrel::win32ui
