// The main window's toolbar: Save, a separator, Refresh, a separator, Stop,
// Delay, Run and Properties (buttons 1-8), each with its key, its glyph and
// a tool tip from the language texts.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "common/platform/win32/win32_api.h"
#include "vantrel/check_for_options.h"
#include "vantrel/win32ui/ui_handles.h"
#include "vantrel/window_texts.h"

namespace vantrel::win32ui {

class MainToolbar {
public:
  MainToolbar() = default;
  ~MainToolbar();
  MainToolbar(const MainToolbar&) = delete;
  MainToolbar& operator=(const MainToolbar&) = delete;

  // Creates the toolbar along the top of parent, with the glyphs of the
  // bitmap resource of resources (none when it has no such resource).
  bool Create(HWND parent, HINSTANCE instance, HMODULE resources, int id);
  HWND hwnd() const { return toolbar_; }
  int Height() const;
  // Follows the parent's new width.
  void Resize();

  void SetToolTips(const std::array<std::string, kToolTipCount>& tips);
  // Enables Stop, Delay and Run as the checked items allow.
  void ShowItemButtons(const ItemButtons& buttons);

  // The key ("Save", "Refresh", ...) of a button's command id.
  static std::optional<std::string_view> KeyOf(UINT commandId);
  // The command id of a button by its 1-based index (0 for a separator).
  static UINT CommandOf(int index);

  // Answers the tool tip's request for a button's text; false when the
  // notification is not one.
  bool OnNotify(NMHDR& header);

private:
  HWND toolbar_ = nullptr;
  UniqueImageList glyphs_;
  std::array<std::string, kToolTipCount> tips_;
  std::array<wchar_t, 160> wideTip_{};
};

} // namespace vantrel::win32ui
