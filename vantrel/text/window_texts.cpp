#include "vantrel/text/window_texts.h"

namespace vantrel {

namespace {

constexpr std::array<const char*, kMenuCount> kDesignedMenuCaptions = {
    "&File",  "&Save",    "&Minimize to Tray", "E&xit",           "&Program Groups", "&Modify",
    "&Tools", "&Options", "&Language",         "&Help",           "&Help",           "&About",
    "&Tips",  "&Online",  "&Forums",           "&Support E-Mail", "&Main Page",      "Delay",
    "Stop",   "Run",      "Properties",        "&Search Online",  "Take &Back",
};

constexpr std::array<const char*, kToolTipCount> kDesignedToolTips = {
    "Save Changes",      "Refresh",        "Don't run at all",
    "Delay the startup", "Run at startup", "Properties",
};

void SetUnlessEmpty(std::string& text, const std::string& replacement) {
  if (!replacement.empty())
    text = replacement;
}

} // namespace

MainWindowTexts DesignedWindowTexts() {
  MainWindowTexts texts;
  for (std::size_t i = 0; i < kMenuCount; ++i)
    texts.menuCaptions[i] = kDesignedMenuCaptions[i];
  for (std::size_t i = 0; i < kToolTipCount; ++i)
    texts.toolTips[i] = kDesignedToolTips[i];
  return texts;
}

void LoadWindowTexts(const TextTables& tables, const std::string& language,
                     MainWindowTexts& texts) {
  if (texts.languages.size() < tables.Languages.size())
    texts.languages.resize(tables.Languages.size());
  for (std::size_t i = 0; i < tables.Languages.size(); ++i) {
    texts.languages[i].caption = tables.Languages[i].DisplayName;
    texts.languages[i].checked = tables.Languages[i].Code == language;
  }
  for (std::size_t i = 0; i < kMenuCount; ++i)
    SetUnlessEmpty(texts.menuCaptions[i], tables.Menus[i]);
  for (std::size_t i = 0; i < kToolTipCount; ++i)
    SetUnlessEmpty(texts.toolTips[i], tables.Toolbar[i]);
  SetUnlessEmpty(texts.statusText, tables.Toolbar[toolbar::kStatusPanel]);
}

} // namespace vantrel
