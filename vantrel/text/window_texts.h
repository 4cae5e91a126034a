// The main window's texts as data: the menu captions, the toolbar's tool
// tips, the status bar's text and the Language menu. They start as the
// window's designed texts; LoadWindowTexts puts the current language's
// texts in place, keeping the designed text wherever the language has none.
// The item tree's captions are not among them: they are fixed English text.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "common/platform/platform.h"
#include "vantrel/text/text_tables.h"

namespace vantrel {

// The toolbar buttons that have a tool tip: 1, 3, 5, 6, 7 and 8.
constexpr std::size_t kToolTipCount = 6;

struct LanguageMenuItem {
  std::string caption;
  bool checked = false;
};

struct MainWindowTexts {
  // By Menus index (text_tables.h, namespace menu).
  std::array<std::string, kMenuCount> menuCaptions;
  // By Toolbar index 0-5 (namespace toolbar).
  std::array<std::string, kToolTipCount> toolTips;
  // Panel 2 of the status bar.
  std::string statusText;
  // The Language menu, one item per language. Item 0 exists from the start;
  // items are added as languages need them and never removed.
  std::vector<LanguageMenuItem> languages{LanguageMenuItem{}};
};

// The texts the window is designed with.
MainWindowTexts DesignedWindowTexts();

// Fills the Language menu from the offered languages (checking the one whose
// code is current) and sets the captions, tool tips and status text from the
// Menus and Toolbar tables. An empty table entry (a language file that is
// missing or shorter) leaves the text as it was. Loading twice adds no items.
void LoadWindowTexts(const TextTables& tables, const std::string& language, MainWindowTexts& texts);

} // namespace vantrel
