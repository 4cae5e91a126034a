#include "vantrel/win32ui/about_window.h"

#include <string_view>

#include "common/event_log.h"
#include "vantrel/about_logic.h"
#include "vantrel/language_files.h"
#include "vantrel/resources/dialog_ids.h"
#include "vantrel/web_links.h"
#include "vantrel/win32ui/dialog_controls.h"

namespace vantrel::win32ui {

namespace {

constexpr WORD kVersionResourceId = 1; // VS_VERSION_INFO
// The blue of links on Windows' default scheme (Wine's COLOR_HOTLIGHT is a
// pale grey that reads as disabled).
constexpr COLORREF kLinkColor = RGB(0, 102, 204);

bool IsLink(int id) {
  return id == IDC_ABOUT_FORUM || id == IDC_ABOUT_UPDATES;
}

// The bytes of a resource of the module; empty when it has none.
std::string_view ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type) {
  HRSRC found = ::FindResourceA(module, name, type);
  if (found == nullptr)
    return {};
  HGLOBAL loaded = ::LoadResource(module, found);
  const void* bytes = loaded == nullptr ? nullptr : ::LockResource(loaded);
  if (bytes == nullptr)
    return {};
  return {static_cast<const char*>(bytes), ::SizeofResource(module, found)};
}

} // namespace

AboutWindow* AboutWindow::open_ = nullptr;

void AboutWindow::ShowAbout(AppContext& context, HMODULE resources, HWND owner) {
  if (open_ != nullptr) {
    ::SetForegroundWindow(open_->hwnd());
    return;
  }
  AboutWindow window(context, resources);
  open_ = &window;
  if (window.RunModal(resources, IDD_ABOUT, owner) == -1)
    WriteLog(context.platform, "About error: the window could not be created", LogError);
  open_ = nullptr;
}

INT_PTR AboutWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_INITDIALOG:
    OnInit();
    return TRUE;
  case WM_COMMAND: {
    const int id = LOWORD(wParam);
    if (IsLink(id) && HIWORD(wParam) == STN_CLICKED) {
      OpenLink(id);
      return TRUE;
    }
    if (id == IDOK || id == IDCANCEL) {
      Close(id);
      return TRUE;
    }
    return FALSE;
  }
  case WM_SETCURSOR:
    if (IsLink(::GetDlgCtrlID(reinterpret_cast<HWND>(wParam)))) {
      ::SetCursor(::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649))); // IDC_HAND
      ::SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, TRUE);
      return TRUE;
    }
    return FALSE;
  case WM_CTLCOLORSTATIC:
    if (IsLink(::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)))) {
      auto dc = reinterpret_cast<HDC>(wParam);
      ::SetTextColor(dc, kLinkColor);
      ::SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
    }
    return FALSE;
  default:
    return FALSE;
  }
}

void AboutWindow::OnInit() {
  HWND dialog = hwnd();
  captions_ = WindowCaptions(context_, caption_file::kAbout);
  using namespace about_caption;
  const std::string title = captions_.At(kWindowTitle);
  if (!title.empty())
    ::SetWindowTextA(dialog, title.c_str());
  SetControlText(dialog, IDC_ABOUT_VERSION, VersionText(captions_.At(kVersionWord, "Version")));
  SetCaption(dialog, IDC_ABOUT_DESCRIPTION, captions_.At(kDescription));
  SetCaption(dialog, IDC_ABOUT_FORUM_LABEL, captions_.At(kForumLabel));
  SetCaption(dialog, IDC_ABOUT_UPDATES_LABEL, captions_.At(kUpdatesLabel));
  SetCaption(dialog, IDC_ABOUT_VENDOR, captions_.At(kVendor));
  SetControlText(dialog, IDC_ABOUT_FORUM, std::string(web_links::kForumPage));
  SetControlText(dialog, IDC_ABOUT_UPDATES, std::string(web_links::kHomePage));
  SetCaption(dialog, IDOK, ButtonCaption(context_, button::kOk));

  titleFont_.reset(DerivedFont(dialog, FW_BOLD, 1.5, false));
  if (titleFont_.valid())
    ::SendDlgItemMessageA(dialog, IDC_ABOUT_TITLE, WM_SETFONT,
                          reinterpret_cast<WPARAM>(titleFont_.get()), FALSE);
  linkFont_.reset(DerivedFont(dialog, FW_NORMAL, 1.0, true));
  if (linkFont_.valid()) {
    for (const int link : {IDC_ABOUT_FORUM, IDC_ABOUT_UPDATES})
      ::SendDlgItemMessageA(dialog, link, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()),
                            FALSE);
  }
  // The program's own icon when the resources have one.
  HICON icon = ::LoadIconA(resources_, "clock");
  if (icon == nullptr)
    icon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512)); // IDI_APPLICATION
  ::SendDlgItemMessageA(dialog, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

std::string AboutWindow::VersionText(const std::string& word) const {
  const auto version = FindFileVersion(
      ResourceBytes(resources_, MAKEINTRESOURCEA(kVersionResourceId), MAKEINTRESOURCEA(16)));
  return version ? VersionCaption(word, *version) : word;
}

void AboutWindow::OpenLink(int id) {
  // Whatever the label shows is opened; a failure to open it is ignored.
  const std::string address = ControlText(hwnd(), id);
  context_.platform.ShellExecute(0, "", address, "", "", kSwShowNormal);
  Close(IDOK);
}

} // namespace vantrel::win32ui
