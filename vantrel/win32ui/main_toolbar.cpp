#include "vantrel/win32ui/main_toolbar.h"

#include <commctrl.h>

#include "vantrel/main_window_commands.h"
#include "vantrel/resources/main_window_ids.h"
#include "vantrel/win32ui/common_controls.h"

namespace vantrel::win32ui {

namespace {

struct Button {
  UINT command;         // 0: a separator
  std::string_view key; // the button's key
  int glyph;            // picture in the toolbar bitmap
  int tip;              // Toolbar index of its tool tip
};

// By index 1-8.
constexpr std::array<Button, 8> kButtons = {{
    {2001, toolbar_key::kSave, 0, 0},
    {0, {}, 0, 0},
    {2003, toolbar_key::kRefresh, 1, 1},
    {0, {}, 0, 0},
    {2005, toolbar_key::kStop, 2, 2},
    {2006, toolbar_key::kDelay, 3, 3},
    {2007, toolbar_key::kRun, 4, 4},
    {2008, toolbar_key::kProperties, 5, 5},
}};

constexpr int kGlyphSize = 16;
constexpr COLORREF kGlyphBackground = RGB(255, 0, 255);

const Button* ButtonOf(UINT command) {
  for (const Button& button : kButtons) {
    if (button.command != 0 && button.command == command)
      return &button;
  }
  return nullptr;
}

} // namespace

MainToolbar::~MainToolbar() {
  if (toolbar_ != nullptr)
    ::SendMessageA(toolbar_, TB_SETIMAGELIST, 0, 0);
}

bool MainToolbar::Create(HWND parent, HINSTANCE instance, HMODULE resources, int id) {
  tips_ = DesignedWindowTexts().toolTips;
  toolbar_ = ::CreateWindowExA(
      0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP,
      0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (toolbar_ == nullptr)
    return false;
  ::SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);

  glyphs_.reset(
      common_controls::CreateImageList(kGlyphSize, kGlyphSize, ILC_COLOR24 | ILC_MASK, 6, 0));
  const UniqueBitmap strip(static_cast<HBITMAP>(::LoadImageA(
      resources, MAKEINTRESOURCEA(IDB_MAIN_TOOLBAR), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (strip.valid())
    common_controls::AddMasked(glyphs_.get(), strip.get(), kGlyphBackground);
  ::SendMessageA(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(glyphs_.get()));

  std::array<TBBUTTON, kButtons.size()> buttons{};
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    TBBUTTON& button = buttons[i];
    if (kButtons[i].command == 0) {
      button.fsStyle = BTNS_SEP;
      continue;
    }
    button.iBitmap = kButtons[i].glyph;
    button.idCommand = static_cast<int>(kButtons[i].command);
    // Stop, Delay and Run wait for a checked item.
    button.fsState = i >= 4 && i <= 6 ? 0 : TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    button.iString = -1;
  }
  ::SendMessageA(toolbar_, TB_ADDBUTTONSA, buttons.size(),
                 reinterpret_cast<LPARAM>(buttons.data()));
  ::SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
  return true;
}

int MainToolbar::Height() const {
  RECT bounds{};
  if (toolbar_ == nullptr || ::GetWindowRect(toolbar_, &bounds) == FALSE)
    return 0;
  return bounds.bottom - bounds.top;
}

void MainToolbar::Resize() {
  if (toolbar_ != nullptr)
    ::SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
}

void MainToolbar::SetToolTips(const std::array<std::string, kToolTipCount>& tips) {
  tips_ = tips;
}

void MainToolbar::ShowItemButtons(const ItemButtons& buttons) {
  const auto enable = [this](int index, bool on) {
    ::SendMessageA(toolbar_, TB_ENABLEBUTTON, CommandOf(index), MAKELPARAM(on ? TRUE : FALSE, 0));
  };
  enable(5, buttons.stop);
  enable(6, buttons.delay);
  enable(7, buttons.run);
}

std::optional<std::string_view> MainToolbar::KeyOf(UINT commandId) {
  const Button* button = ButtonOf(commandId);
  return button == nullptr ? std::nullopt : std::optional<std::string_view>(button->key);
}

UINT MainToolbar::CommandOf(int index) {
  if (index < 1 || index > static_cast<int>(kButtons.size()))
    return 0;
  return kButtons[static_cast<std::size_t>(index - 1)].command;
}

bool MainToolbar::OnNotify(NMHDR& header) {
  if (header.code != TTN_GETDISPINFOA && header.code != TTN_GETDISPINFOW)
    return false;
  const Button* button = ButtonOf(static_cast<UINT>(header.idFrom));
  if (button == nullptr)
    return false;
  const std::string& tip = tips_[static_cast<std::size_t>(button->tip)];
  if (header.code == TTN_GETDISPINFOA) {
    reinterpret_cast<NMTTDISPINFOA&>(header).lpszText = const_cast<char*>(tip.c_str());
    return true;
  }
  // The tool tip may ask in UTF-16 whatever the toolbar's own character set.
  const int length = ::MultiByteToWideChar(CP_ACP, 0, tip.c_str(), -1, wideTip_.data(),
                                           static_cast<int>(wideTip_.size()));
  if (length == 0)
    wideTip_[0] = L'\0';
  wideTip_.back() = L'\0';
  reinterpret_cast<NMTTDISPINFOW&>(header).lpszText = wideTip_.data();
  return true;
}

} // namespace vantrel::win32ui
