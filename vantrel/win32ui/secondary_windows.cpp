#include "vantrel/win32ui/secondary_windows.h"

#include "vantrel/win32ui/about_window.h"
#include "vantrel/win32ui/options_window.h"
#include "vantrel/win32ui/program_groups_window.h"
#include "vantrel/win32ui/tip_window.h"

namespace vantrel::win32ui {

void ShowProgramGroupsEditor(AppContext& context, HMODULE resources, HWND owner,
                             const std::string& itemText) {
  ProgramGroupsWindow::ShowProgramGroups(context, resources, owner, itemText);
}

void ShowOptionsWindow(AppContext& context, HMODULE resources) {
  OptionsWindow::ShowOptions(context, resources);
}

void ShowAboutWindow(AppContext& context, HMODULE resources, HWND owner) {
  AboutWindow::ShowAbout(context, resources, owner);
}

void ShowTipWindow(AppContext& context, HMODULE resources, HWND owner, bool modal) {
  TipWindow::ShowTipOfTheDay(context, resources, owner,
                             modal ? TipShow::kModal : TipShow::kModeless);
}

} // namespace vantrel::win32ui
