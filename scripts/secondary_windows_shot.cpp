// The screenshot entry of the Windows test binary, for people rather than a
// test: scripts/secondary-windows-screenshots.sh runs windows_tests.exe with
// --gtest_also_run_disabled_tests --gtest_filter=SecondaryWindowsScreenshot.*
// to show one of Vantrel's secondary windows over a real program folder for
// a while, and takes its picture. Built into windows_tests
// (cmake/windows.cmake) for the test binary's window helpers.
#include <gtest/gtest.h>

#include "common/platform/win32/win32_api.h"

#include <cstdlib>
#include <string>

#include "vantrel/resources/dialog_ids.h"
#include "vantrel/text/language_files.h"
#include "vantrel/win32ui/about_window.h"
#include "vantrel/win32ui/dialog_window.h"
#include "vantrel/win32ui/options_window.h"
#include "vantrel/win32ui/program_groups_window.h"
#include "vantrel/win32ui/tip_window.h"
#include "windows/support/window_rig.h"

namespace vantrel::testing {
namespace {

using win32ui::AboutWindow;
using win32ui::OptionsWindow;
using win32ui::ProgramGroupsWindow;
using win32ui::TipShow;
using win32ui::TipWindow;

// Run with VANTREL_SHOT=program-groups|options|tip|about,
// VANTREL_SHOT_FOLDER=<a program folder with lang\>, VANTREL_SHOT_SECONDS=<how
// long it stays up> and, for the editor, VANTREL_SHOT_ITEM=<the item it opens on>.
TEST(SecondaryWindowsScreenshot, DISABLED_Show) {
  const char* folder = std::getenv("VANTREL_SHOT_FOLDER");
  const std::string which = std::getenv("VANTREL_SHOT") ? std::getenv("VANTREL_SHOT") : "";
  const char* seconds = std::getenv("VANTREL_SHOT_SECONDS");
  const char* item = std::getenv("VANTREL_SHOT_ITEM");
  ASSERT_TRUE(folder != nullptr && !which.empty());
  moves::ScratchProgramPlatform platform(folder);
  AppContext context(platform);
  context.Store.Language = "en";
  LoadGlobalData(platform, folder, context.Store.Language, context.Text);
  context.NewDelayLoad().LoadItems();
  HMODULE resources = ::LoadLibraryExA((ThisExeFolder() + "\\Vantrel.exe").c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(resources, nullptr);
  static int marker = which == "program-groups" ? IDC_PG_TREE
                      : which == "options"      ? IDC_OPT_PAGES
                      : which == "tip"          ? IDC_TIP_TEXT
                                                : IDC_ABOUT_FORUM;
  // Closes whatever is up when the time has passed.
  ::SetTimer(nullptr, 0, 1000 * std::atoi(seconds != nullptr ? seconds : "5"),
             [](HWND, UINT, UINT_PTR timer, DWORD) {
               ::KillTimer(nullptr, timer);
               if (HWND shown = FindDialog(marker))
                 ::PostMessageA(shown, WM_COMMAND, IDCANCEL, 0);
               ::PostQuitMessage(0);
             });
  if (which == "program-groups")
    ProgramGroupsWindow::ShowProgramGroups(context, resources, nullptr, item ? item : "");
  else if (which == "tip")
    TipWindow::ShowTipOfTheDay(context, resources, nullptr, TipShow::kModal);
  else if (which == "about")
    AboutWindow::ShowAbout(context, resources, nullptr);
  else
    OptionsWindow::ShowOptions(context, resources);
  for (MSG message; which == "options" && ::GetMessageA(&message, nullptr, 0, 0) > 0;) {
    if (!win32ui::IsSecondaryDialogMessage(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  ::FreeLibrary(resources);
}

} // namespace
} // namespace vantrel::testing
