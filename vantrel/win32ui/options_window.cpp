#include "vantrel/win32ui/options_window.h"

#include <memory>

#include "common/event_log.h"
#include "vantrel/resources/dialog_ids.h"
#include "vantrel/text/language_files.h"
#include "vantrel/win32ui/character_filter.h"
#include "vantrel/win32ui/dialog_controls.h"

namespace vantrel::win32ui {

namespace {

void FillList(HWND dialog, int id, const WindowCaptions& captions, std::size_t first, int count,
              int selected) {
  HWND combo = ::GetDlgItem(dialog, id);
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < count; ++i) {
    const std::string item = captions.At(first + static_cast<std::size_t>(i));
    ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  // A stored value outside the list selects nothing.
  ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

} // namespace

OptionsWindow* OptionsWindow::open_ = nullptr;

HWND OptionsWindow::ShowOptions(AppContext& context, HMODULE resources) {
  if (open_ != nullptr) {
    ::ShowWindow(open_->hwnd(), SW_RESTORE);
    ::SetForegroundWindow(open_->hwnd());
    return open_->hwnd();
  }
  auto window = std::unique_ptr<OptionsWindow>(new OptionsWindow(context));
  open_ = window.get();
  if (!window->CreateModeless(resources, IDD_OPTIONS, nullptr)) {
    open_ = nullptr;
    WriteLog(context.platform, "Options error: the window could not be created", LogError);
    return nullptr;
  }
  // The window owns itself from here and goes when it is destroyed.
  return window.release()->hwnd();
}

INT_PTR OptionsWindow::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
  case WM_INITDIALOG:
    OnInit();
    return TRUE;
  case WM_COMMAND:
    switch (LOWORD(wParam)) {
    case IDOK:
      OnOk();
      return TRUE;
    case IDCANCEL:
      Close(IDCANCEL);
      return TRUE;
    case IDC_OPT_PAGES:
      // The one page is always in front; choosing it shows it again.
      if (HIWORD(wParam) == LBN_SELCHANGE)
        ::BringWindowToTop(::GetDlgItem(hwnd(), IDC_OPT_FRAME));
      return TRUE;
    default:
      return FALSE;
    }
  default:
    return FALSE;
  }
}

void OptionsWindow::OnDestroyed() {
  if (open_ == this)
    open_ = nullptr;
  delete this;
}

void OptionsWindow::OnInit() {
  HWND dialog = hwnd();
  captions_ = WindowCaptions(context_, caption_file::kOptions);
  shown_ = OptionsFormFor(context_.Store);

  const std::string page = captions_.At(options_caption::kStartupPage);
  ::SendDlgItemMessageA(dialog, IDC_OPT_PAGES, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(page.c_str()));
  ::SendDlgItemMessageA(dialog, IDC_OPT_PAGES, LB_SETCURSEL, 0, 0);
  FillList(dialog, IDC_OPT_RUN, captions_, options_caption::kRunAtLoginFirst, kRunAtLoginChoices,
           shown_.RunAtLogin);
  FillList(dialog, IDC_OPT_CLOSE, captions_, options_caption::kCloseMethodFirst,
           kCloseMethodChoices, shown_.CloseMethod);
  SetChecked(dialog, IDC_OPT_SHOW_TIPS, shown_.ShowTipsAtStartup);
  SetChecked(dialog, IDC_OPT_TAKE_BACK, shown_.TakeBackReturnedItems);
  SetWindowTexts();
  SetControlText(dialog, IDC_OPT_DELAY, shown_.StartupDelay);
  FilterCharacters(::GetDlgItem(dialog, IDC_OPT_DELAY), &IsOptionsDelayKey);
}

void OptionsWindow::SetWindowTexts() {
  HWND dialog = hwnd();
  using namespace options_caption;
  SetCaption(dialog, IDC_OPT_TITLE, captions_.At(kTitle));
  SetCaption(dialog, IDC_OPT_EXAMPLE, captions_.At(kExample));
  SetCaption(dialog, IDC_OPT_DELAY_LABEL, captions_.At(kStartupDelay));
  SetCaption(dialog, IDC_OPT_SECONDS, captions_.At(kSeconds));
  SetCaption(dialog, IDC_OPT_RUN_LABEL, captions_.At(kRunAtStartup));
  SetCaption(dialog, IDC_OPT_CLOSE_LABEL, captions_.At(kProgramClosing));
  SetCaption(dialog, IDC_OPT_SHOW_TIPS, captions_.At(kShowTips));
  SetCaption(dialog, IDC_OPT_TAKE_BACK, captions_.At(kTakeBack));
  SetCaption(dialog, IDOK, ButtonCaption(context_, button::kOk));
  SetCaption(dialog, IDCANCEL, ButtonCaption(context_, button::kCancel));
}

OptionsForm OptionsWindow::ReadForm() const {
  HWND dialog = hwnd();
  OptionsForm form = shown_;
  form.StartupDelay = ControlText(dialog, IDC_OPT_DELAY);
  const auto run = ::SendDlgItemMessageA(dialog, IDC_OPT_RUN, CB_GETCURSEL, 0, 0);
  if (run != CB_ERR)
    form.RunAtLogin = static_cast<int>(run);
  const auto close = ::SendDlgItemMessageA(dialog, IDC_OPT_CLOSE, CB_GETCURSEL, 0, 0);
  if (close != CB_ERR)
    form.CloseMethod = static_cast<int>(close);
  form.ShowTipsAtStartup = IsChecked(dialog, IDC_OPT_SHOW_TIPS);
  form.TakeBackReturnedItems = IsChecked(dialog, IDC_OPT_TAKE_BACK);
  return form;
}

void OptionsWindow::OnOk() {
  const OptionsOkResult result =
      ConfirmOptions(context_, ReadForm(), reinterpret_cast<WindowHandle>(hwnd()));
  if (result == OptionsOkResult::kInvalidDelay) {
    HWND delay = ::GetDlgItem(hwnd(), IDC_OPT_DELAY);
    ::SendMessageA(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(delay), TRUE);
    ::SendMessageA(delay, EM_SETSEL, 0, -1);
    return;
  }
  Close(IDOK);
}

} // namespace vantrel::win32ui
