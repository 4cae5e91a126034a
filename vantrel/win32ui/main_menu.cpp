#include "vantrel/win32ui/main_menu.h"

namespace vantrel::win32ui {

namespace {

void SetCaption(HMENU menu, UINT position, const std::string& caption) {
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STRING;
  item.dwTypeData = const_cast<char*>(caption.c_str());
  ::SetMenuItemInfoA(menu, position, TRUE, &item);
}

} // namespace

MainMenu::MainMenu() {
  const MainWindowTexts designed = DesignedWindowTexts();
  bar_ = ::CreateMenu();
  barOwner_.reset(bar_);

  const HMENU file = AddSubmenu(bar_, menu::kFile);
  AddItem(file, menu::kFileSave, menu_id::kFileSave);
  AddSeparator(file);
  AddItem(file, menu::kFileMinimizeToTray, menu_id::kFileMinimizeToTray);
  AddItem(file, menu::kFileExit, menu_id::kFileExit);

  const HMENU groups = AddSubmenu(bar_, menu::kProgramGroups);
  AddItem(groups, menu::kProgramGroupsModify, menu_id::kProgramGroupsModify);

  const HMENU tools = AddSubmenu(bar_, menu::kTools);
  AddItem(tools, menu::kToolsOptions, menu_id::kToolsOptions);

  language_ = AddSubmenu(bar_, menu::kLanguage);
  // Item 0 exists from the start; the others come with the language list.
  ::AppendMenuA(language_, MF_STRING, menu_id::kLanguageFirst, "");
  languageItems_ = 1;

  const HMENU help = AddSubmenu(bar_, menu::kHelp);
  AddItem(help, menu::kHelpHelp, menu_id::kHelpHelp);
  AddSeparator(help);
  AddItem(help, menu::kHelpAbout, menu_id::kHelpAbout);
  AddSeparator(help);
  AddItem(help, menu::kHelpTips, menu_id::kHelpTips);
  AddSeparator(help);
  const HMENU online = AddSubmenu(help, menu::kHelpOnline);
  AddItem(online, menu::kHelpOnlineForums, menu_id::kHelpOnlineForums);
  AddItem(online, menu::kHelpOnlineSupportEmail, menu_id::kHelpOnlineSupportEmail);
  AddItem(online, menu::kHelpOnlineMainPage, menu_id::kHelpOnlineMainPage);

  ApplyTexts(designed);
}

HMENU MainMenu::AddSubmenu(HMENU parent, std::size_t textIndex) {
  const HMENU submenu = ::CreatePopupMenu();
  slots_[textIndex] = {parent, static_cast<UINT>(::GetMenuItemCount(parent))};
  ::AppendMenuA(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu), "");
  return submenu;
}

void MainMenu::AddItem(HMENU parent, std::size_t textIndex, UINT id) {
  slots_[textIndex] = {parent, static_cast<UINT>(::GetMenuItemCount(parent))};
  ::AppendMenuA(parent, MF_STRING, id, "");
}

void MainMenu::AddSeparator(HMENU parent) {
  ::AppendMenuA(parent, MF_SEPARATOR, 0, nullptr);
}

void MainMenu::ApplyTexts(const MainWindowTexts& texts) {
  for (std::size_t i = 0; i < slots_.size(); ++i)
    SetCaption(slots_[i].menu, slots_[i].position, texts.menuCaptions[i]);
  while (languageItems_ < texts.languages.size() &&
         menu_id::kLanguageFirst + languageItems_ <= menu_id::kLanguageLast) {
    ::AppendMenuA(language_, MF_STRING, menu_id::kLanguageFirst + languageItems_, "");
    ++languageItems_;
  }
  for (std::size_t i = 0; i < texts.languages.size() && i < languageItems_; ++i)
    SetCaption(language_, static_cast<UINT>(i), texts.languages[i].caption);
  ShowLanguageChecks(texts.languages);
}

void MainMenu::ShowLanguageChecks(const std::vector<LanguageMenuItem>& languages) {
  for (std::size_t i = 0; i < languageItems_; ++i) {
    const bool checked = i < languages.size() && languages[i].checked;
    ::CheckMenuItem(language_, static_cast<UINT>(i),
                    MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

std::optional<std::size_t> MainMenu::LanguageOf(UINT id) {
  if (id < menu_id::kLanguageFirst || id > menu_id::kLanguageLast)
    return std::nullopt;
  return id - menu_id::kLanguageFirst;
}

} // namespace vantrel::win32ui
