#include "vantrel/win32ui/tip_window.h"

#include <memory>

#include "common/event_log.h"
#include "vantrel/language_files.h"
#include "vantrel/resources/dialog_ids.h"
#include "vantrel/win32ui/dialog_controls.h"

namespace vantrel::win32ui {

namespace {

// The white panel behind the heading and the tip, in dialog units.
constexpr RECT kPanel{7, 7, 279, 127};

bool OnPanel(int id) {
  return id == IDC_TIP_PICTURE || id == IDC_TIP_HEADING || id == IDC_TIP_TEXT;
}

} // namespace

TipWindow* TipWindow::open_ = nullptr;

void TipWindow::ShowTipOfTheDay(AppContext& context, HMODULE resources, HWND owner, TipShow how) {
  if (open_ != nullptr) {
    ::SetForegroundWindow(open_->hwnd());
    return;
  }
  if (how == TipShow::kModal) {
    TipWindow window(context);
    open_ = &window;
    if (window.RunModal(resources, IDD_TIP, owner) == -1)
      WriteLog(context.platform, "Tip of the Day error: the window could not be created", LogError);
    open_ = nullptr;
    return;
  }
  auto window = std::unique_ptr<TipWindow>(new TipWindow(context));
  open_ = window.get();
  if (!window->CreateModeless(resources, IDD_TIP, owner)) {
    open_ = nullptr;
    WriteLog(context.platform, "Tip of the Day error: the window could not be created", LogError);
    return;
  }
  window.release(); // deleted when its window is destroyed
}

INT_PTR TipWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_INITDIALOG:
    OnInit();
    // The focus goes to OK rather than to the check box, the first stop.
    ::SetFocus(::GetDlgItem(hwnd(), IDOK));
    return FALSE;
  case WM_COMMAND:
    switch (LOWORD(wParam)) {
    case IDC_TIP_NEXT:
      tips_.NextTip();
      DisplayCurrentTip();
      return TRUE;
    case IDOK:
    case IDCANCEL:
      Close(LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
    }
  case WM_PAINT:
    Paint();
    return TRUE;
  case WM_CTLCOLORSTATIC:
    if (OnPanel(::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)))) {
      auto dc = reinterpret_cast<HDC>(wParam);
      ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
      ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_WINDOW));
    }
    return FALSE;
  case WM_DESTROY:
    // Also when the owner closes, or the process ends, with this open.
    QueryUnload();
    return FALSE;
  default:
    return FALSE;
  }
}

void TipWindow::OnDestroyed() {
  if (open_ == this)
    open_ = nullptr;
  if (!modal())
    delete this;
}

void TipWindow::OnInit() {
  HWND dialog = hwnd();
  SetChecked(dialog, IDC_TIP_SHOW, context_.Store.ShowTipsAtStartup != 0);
  captions_ = WindowCaptions(context_, caption_file::kTipCaptions);
  SetCaption(dialog, IDC_TIP_NEXT, captions_.At(tips_caption::kNextTip));
  SetCaption(dialog, IDC_TIP_HEADING, captions_.At(tips_caption::kDidYouKnow));
  SetCaption(dialog, IDC_TIP_SHOW, captions_.At(tips_caption::kShowTips));
  SetCaption(dialog, IDOK, ButtonCaption(context_, button::kOk));

  headingFont_.reset(DerivedFont(dialog, FW_BOLD, 1.25, false));
  if (headingFont_.valid())
    ::SendDlgItemMessageA(dialog, IDC_TIP_HEADING, WM_SETFONT,
                          reinterpret_cast<WPARAM>(headingFont_.get()), FALSE);
  // A light bulb is not among the system's icons; the information sign
  // says the same.
  ::SendDlgItemMessageA(
      dialog, IDC_TIP_PICTURE, STM_SETICON,
      reinterpret_cast<WPARAM>(::LoadIconA(nullptr, MAKEINTRESOURCEA(32516))), // IDI_INFORMATION
      0);

  tips_.LoadTips(context_.platform, TipsFilePath(context_));
  DisplayCurrentTip();
  if (!tips_.CurrentTip())
    SetControlText(dialog, IDC_TIP_TEXT, captions_.At(tips_caption::kNoTips));
}

void TipWindow::DisplayCurrentTip() {
  if (const auto tip = tips_.CurrentTip())
    SetControlText(hwnd(), IDC_TIP_TEXT, *tip);
}

void TipWindow::Paint() {
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(hwnd(), &paint);
  RECT panel = kPanel;
  ::MapDialogRect(hwnd(), &panel);
  ::FillRect(dc, &panel, ::GetSysColorBrush(COLOR_WINDOW));
  ::DrawEdge(dc, &panel, EDGE_SUNKEN, BF_RECT);
  ::EndPaint(hwnd(), &paint);
}

void TipWindow::QueryUnload() {
  SaveShowTipsOnClose(context_, IsChecked(hwnd(), IDC_TIP_SHOW));
}

} // namespace vantrel::win32ui
