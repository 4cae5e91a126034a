// The main window's menu bar: File, Program Groups, Tools, Language, and
// Help with its Online submenu. Every captioned entry is known by its Menus
// index, so that the language texts can be put in place; the Language menu
// gets one entry per language. (The item tree's popup is item_popup's.)
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "common/platform/win32/win32_api.h"
#include "vantrel/text_tables.h"
#include "vantrel/win32ui/ui_handles.h"
#include "vantrel/window_texts.h"

namespace vantrel::win32ui {

// Command ids of the menu entries.
namespace menu_id {
constexpr UINT kFileSave = 1001;
constexpr UINT kFileMinimizeToTray = 1002;
constexpr UINT kFileExit = 1003;
constexpr UINT kProgramGroupsModify = 1004;
constexpr UINT kToolsOptions = 1005;
constexpr UINT kHelpHelp = 1006;
constexpr UINT kHelpAbout = 1007;
constexpr UINT kHelpTips = 1008;
constexpr UINT kHelpOnlineForums = 1009;
constexpr UINT kHelpOnlineSupportEmail = 1010;
constexpr UINT kHelpOnlineMainPage = 1011;
// Language k has the id kLanguageFirst + k.
constexpr UINT kLanguageFirst = 1100;
constexpr UINT kLanguageLast = 1199;
} // namespace menu_id

class MainMenu {
public:
  // Builds the menu bar with its designed captions.
  MainMenu();
  MainMenu(const MainMenu&) = delete;
  MainMenu& operator=(const MainMenu&) = delete;

  HMENU bar() const { return bar_; }
  HMENU languageMenu() const { return language_; }
  // The bar now belongs to a window, which destroys it.
  void GiveBarAway() { barOwner_.release(); }

  // The captions of the menu bar's entries (the Menus indexes below the
  // popup's) and the Language menu's items (created as needed, captions and
  // check marks set).
  void ApplyTexts(const MainWindowTexts& texts);
  // The check marks of the Language menu only.
  void ShowLanguageChecks(const std::vector<LanguageMenuItem>& languages);

  // The language a command id stands for.
  static std::optional<std::size_t> LanguageOf(UINT id);

private:
  // Where the entry of a Menus index sits.
  struct Slot {
    HMENU menu = nullptr;
    UINT position = 0;
  };
  HMENU AddSubmenu(HMENU parent, std::size_t textIndex);
  void AddItem(HMENU parent, std::size_t textIndex, UINT id);
  static void AddSeparator(HMENU parent);

  HMENU bar_ = nullptr;
  HMENU language_ = nullptr;
  // Destroys the bar unless a window has taken it.
  UniqueMenu barOwner_;
  std::array<Slot, menu::kTVDelay> slots_{};
  std::size_t languageItems_ = 0;
};

} // namespace vantrel::win32ui
