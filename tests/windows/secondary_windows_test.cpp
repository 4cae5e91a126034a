// The program-group editor, options, tip of the day and about windows,
// created for real in this process (Wine's null display driver needs no X
// server) from Vantrel.exe's dialog resources, and driven through their
// controls: what they show, their key filter, and what OK, the Add button,
// closing and a link click do.
#include <gtest/gtest.h>

#include "common/platform/win32/win32_api.h"
#include <commctrl.h>

#include <string>
#include <vector>

#include "vantrel/resources/dialog_ids.h"
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

// proggroup.c holds "before" until something is saved. (Which caption
// goes where, and the logic behind the controls, are the native tests'.)
class SecondaryWindows : public ::testing::Test, public WindowRig {
protected:
  void SetUp() override {
    ASSERT_NE(resources(), nullptr) << "Vantrel.exe beside the test binary";
    WriteFile("lang\\en\\tipofday.en", {"Tip one", "Tip two", "Tip three"});
    context().Store.Language = "en";
    WriteFile(ProgGroupFile(), {"before"});
  }
  std::string ProgGroup() { return ReadFile(ProgGroupFile()); }
};

TEST_F(SecondaryWindows, TheEditorAddsAProgramFromItsFields) {
  WriteFile(ProgGroupFile(),
            {"void Startup()", "{",
             "     ExecuteReg (\"C:\\Tools\\agent.exe\", \"-q\", 5, \"Agent\");", "}",
             "void Tools()", "{", "     Execute (\"C:\\Apps\\a.exe\", \"-x\", 5, \"\");", "}"});
  WriteFile("Apps\\new.exe", {"MZ"});
  const std::string program = folder() + "\\Apps\\new.exe";
  const bool shown = WithModalDialog(
      IDC_PG_TREE, [&] { ProgramGroupsWindow::ShowProgramGroups(context(), resources(), nullptr); },
      [&](HWND dialog) {
        // Clicking the group "Tools" (the second item below the root).
        HWND tree = ::GetDlgItem(dialog, IDC_PG_TREE);
        HTREEITEM item = TreeView_GetChild(tree, TreeView_GetRoot(tree));
        TreeView_SelectItem(tree, TreeView_GetNextSibling(tree, item));
        EXPECT_EQ(Text(dialog, IDC_PG_GROUP), "Tools");
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_PG_ADD))) << "no path yet";
        ::SetDlgItemTextA(dialog, IDC_PG_PATH, program.c_str());
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_PG_ADD)));
        ::SetDlgItemTextA(dialog, IDC_PG_DELAY, "");
        for (const int code : {'1', 'a', '-', '2', '.', '5', '\b', '5'})
          TypeCharacter(dialog, IDC_PG_DELAY, code);
        EXPECT_EQ(Text(dialog, IDC_PG_DELAY), "12.5") << "letters and the minus are discarded";
        Press(dialog, IDC_PG_ADD);
        EXPECT_EQ(Text(dialog, IDC_PG_PATH), "");
        EXPECT_EQ(Text(dialog, IDC_PG_DELAY), "0");
        EXPECT_EQ(TreeView_GetCount(tree), 12u) << "the tree shows the file";
        Press(dialog, IDOK);
      });
  EXPECT_TRUE(shown);
  EXPECT_NE(ProgGroup().find("     Execute (\"" + program + "\", \"\", 12.5, \"\");\r\n"),
            std::string::npos)
      << ProgGroup();
  EXPECT_TRUE(platform().boxes.empty());
}

TEST_F(SecondaryWindows, OptionsOpenOnceRefuseAnUnreadableDelayAndSaveOnOk) {
  context().Store.MainStartupDelay = 30;
  context().Store.StartupType = 1;
  context().Store.CloseType = 1;
  context().Store.ShowTipsAtStartup = -1;
  HWND dialog = OptionsWindow::ShowOptions(context(), resources());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(OptionsWindow::ShowOptions(context(), resources()), dialog) << "at most once";
  EXPECT_EQ(::GetWindow(dialog, GW_OWNER), nullptr);
  EXPECT_EQ(Text(dialog, IDC_OPT_DELAY), "30");
  EXPECT_EQ(::SendDlgItemMessageA(dialog, IDC_OPT_RUN, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_OPT_SHOW_TIPS), BST_CHECKED);

  // An unreadable delay keeps the window open and saves nothing.
  ::SetDlgItemTextA(dialog, IDC_OPT_DELAY, "1..5");
  ::SendDlgItemMessageA(dialog, IDC_OPT_RUN, CB_SETCURSEL, 0, 0);
  Press(dialog, IDOK);
  EXPECT_TRUE(::IsWindow(dialog));
  EXPECT_EQ(context().Store.StartupType, 1);
  EXPECT_EQ(ProgGroup(), "before\r\n");
  EXPECT_NE(ReadFile("log.txt").find("Set Startup Delay error: "), std::string::npos);

  // A readable one: OK saves what changed and closes.
  ::SendDlgItemMessageA(dialog, IDC_OPT_RUN, CB_SETCURSEL, 1, 0);
  ::SendDlgItemMessageA(dialog, IDC_OPT_CLOSE, CB_SETCURSEL, 0, 0);
  ::SetDlgItemTextA(dialog, IDC_OPT_DELAY, "2.5");
  Press(dialog, IDOK);
  EXPECT_FALSE(::IsWindow(dialog));
  EXPECT_EQ(context().Store.CloseType, 0);
  EXPECT_EQ(context().Store.MainStartupDelay, 2.5f);
  EXPECT_NE(ProgGroup().find("const CloseType = 0;"), std::string::npos);
  EXPECT_NE(ProgGroup().find("const MainStartupDelay = 2.5;"), std::string::npos);
}

TEST_F(SecondaryWindows, TheTipShowsTipsSavesTheUntickedBoxAndTakesEscapeFromTheLoop) {
  context().Store.ShowTipsAtStartup = 1;
  const auto isTip = [](const std::string& text) {
    return text == "Tip one" || text == "Tip two" || text == "Tip three";
  };
  const bool shown = WithModalDialog(
      IDC_TIP_TEXT,
      [&] { TipWindow::ShowTipOfTheDay(context(), resources(), nullptr, TipShow::kModal); },
      [&](HWND dialog) {
        EXPECT_TRUE(isTip(Text(dialog, IDC_TIP_TEXT))) << Text(dialog, IDC_TIP_TEXT);
        Press(dialog, IDC_TIP_NEXT);
        EXPECT_TRUE(isTip(Text(dialog, IDC_TIP_TEXT))) << Text(dialog, IDC_TIP_TEXT);
        EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_TIP_SHOW), BST_CHECKED);
        ::CheckDlgButton(dialog, IDC_TIP_SHOW, BST_UNCHECKED);
        ::SendMessageA(dialog, WM_CLOSE, 0, 0); // the title bar's close button
      });
  EXPECT_TRUE(shown);
  EXPECT_EQ(context().Store.ShowTipsAtStartup, 0);
  EXPECT_NE(ProgGroup().find("const ShowTipsAtStartup = 0;"), std::string::npos);

  // The modeless window takes Escape from the message loop and closes.
  TipWindow::ShowTipOfTheDay(context(), resources(), nullptr, TipShow::kModeless);
  HWND dialog = FindDialog(IDC_TIP_TEXT);
  ASSERT_NE(dialog, nullptr);
  MSG escape{};
  escape.hwnd = ::GetDlgItem(dialog, IDC_TIP_NEXT);
  escape.message = WM_KEYDOWN;
  escape.wParam = VK_ESCAPE;
  EXPECT_TRUE(win32ui::IsSecondaryDialogMessage(escape));
  EXPECT_FALSE(::IsWindow(dialog));
  EXPECT_FALSE(win32ui::IsSecondaryDialogMessage(escape));
}

TEST_F(SecondaryWindows, AboutShowsTheVersionAndALinkClickClosesIt) {
  platform().shellResult = SE_ERR_NOASSOC; // no browser
  const bool shown = WithModalDialog(
      IDC_ABOUT_FORUM, [&] { AboutWindow::ShowAbout(context(), resources(), nullptr); },
      [&](HWND dialog) {
        EXPECT_TRUE(Text(dialog, IDC_ABOUT_VERSION).ends_with(" 2.0.4")) << "from Vantrel.exe";
        HWND link = ::GetDlgItem(dialog, IDC_ABOUT_UPDATES);
        ::SendMessageA(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649))) << "a hand";
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_UPDATES, STN_CLICKED),
                       reinterpret_cast<LPARAM>(link));
        EXPECT_FALSE(::IsWindowVisible(dialog)) << "closed although no browser opened";
      });
  EXPECT_TRUE(shown);
  EXPECT_EQ(platform().shellExecutes,
            std::vector<std::string>{"|https://www.korvane.example/vantrel"});
}

} // namespace
} // namespace vantrel::testing
