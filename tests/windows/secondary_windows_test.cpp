// The program-group editor, options, tip of the day and about windows,
// created for real in this process (Wine's null display driver needs no X
// server): their captions in the current language, their key filters, and
// what OK, Cancel and closing save.
#include <gtest/gtest.h>

#include "common/platform/win32/win32_api.h"
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "vantrel/language_files.h"
#include "vantrel/resources/dialog_ids.h"
#include "vantrel/win32ui/about_window.h"
#include "vantrel/win32ui/dialog_window.h"
#include "vantrel/win32ui/options_window.h"
#include "vantrel/win32ui/program_groups_window.h"
#include "vantrel/win32ui/tip_window.h"
#include "windows/support/secondary_windows_rig.h"

namespace vantrel::testing {
namespace {

using win32ui::AboutWindow;
using win32ui::OptionsWindow;
using win32ui::ProgramGroupsWindow;
using win32ui::TipShow;
using win32ui::TipWindow;

const std::vector<std::string> kGroups = {
    "void Startup()",
    "{",
    "     ExecuteReg (\"C:\\Tools\\agent.exe\", \"-q\", 5, \"Agent\");",
    "}",
    "void Tools()",
    "{",
    "     Execute (\"C:\\Apps\\a.exe\", \"-x\", 5, \"\");",
    "}",
};

class SecondaryWindows : public ::testing::Test, public SecondaryWindowsRig {
protected:
  void SetUp() override {
    ASSERT_NE(resources(), nullptr) << "Vantrel.exe beside the test binary";
    for (const char* code : {"en", "de"}) {
      WriteLanguage(code, {{"buttons", 9},
                           {"menus", 22},
                           {"properties", 8},
                           {"options", 14},
                           {"tips", 4},
                           {"about", 6}});
    }
    UseLanguage("en");
  }

  void UseLanguage(const std::string& code) {
    context->Store.Language = code;
    LoadLanguageFiles(platform, folder(), code, context->Text);
  }

  AppContext& Context() { return *context; }
  std::string ProgGroup() { return ReadFile(ProgGroupPath()); }
};

// --- Program-group editor.

TEST_F(SecondaryWindows, TheEditorShowsTheGroupsWithItsCaptions) {
  for (const std::string code : {"en", "de"}) {
    SCOPED_TRACE(code);
    UseLanguage(code);
    WriteFile(ProgGroupPath().substr(folder().size() + 1), kGroups);
    const bool shown = WithModalDialog(
        IDC_PG_TREE,
        [&] { ProgramGroupsWindow::ShowProgramGroups(Context(), resources(), nullptr); },
        [&](HWND dialog) {
          EXPECT_EQ(WindowTitle(dialog), "menus4-" + code);
          EXPECT_EQ(Text(dialog, IDC_PG_ADD_NEW), "properties0-" + code);
          EXPECT_EQ(Text(dialog, IDC_PG_EDIT_GROUP), "buttons8-" + code);
          EXPECT_EQ(Text(dialog, IDCANCEL), "Cancel") << "design caption";
          // Root, two groups, two programs with two nodes each.
          HWND tree = ::GetDlgItem(dialog, IDC_PG_TREE);
          EXPECT_EQ(::SendMessageA(tree, TVM_GETCOUNT, 0, 0), 9);
          EXPECT_EQ(::SendDlgItemMessageA(dialog, IDC_PG_GROUP, CB_GETCOUNT, 0, 0), 2);
        });
    EXPECT_TRUE(shown);
  }
}

TEST_F(SecondaryWindows, TheEditorAddsAProgramFromItsFields) {
  WriteFile(ProgGroupPath().substr(folder().size() + 1), kGroups);
  WriteFile("Apps\\new.exe", {"MZ"});
  const std::string program = folder() + "\\Apps\\new.exe";
  const bool shown = WithModalDialog(
      IDC_PG_TREE, [&] { ProgramGroupsWindow::ShowProgramGroups(Context(), resources(), nullptr); },
      [&](HWND dialog) {
        // Clicking the group "Tools" (the second item below the root).
        HWND tree = ::GetDlgItem(dialog, IDC_PG_TREE);
        auto root =
            reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        auto startup = reinterpret_cast<HTREEITEM>(
            ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
        auto tools = reinterpret_cast<HTREEITEM>(
            ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(startup)));
        ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(tools));
        EXPECT_EQ(Text(dialog, IDC_PG_GROUP), "Tools");
        EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_PG_ADD_NEW), BST_CHECKED);
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_PG_ADD))) << "no path yet";

        ::SetDlgItemTextA(dialog, IDC_PG_PATH, program.c_str());
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_PG_ADD)));
        ::SetDlgItemTextA(dialog, IDC_PG_DELAY, "");
        for (const int code : std::initializer_list<int>{'1', 'a', '-', '2', '.', '5', 8, '5'})
          TypeCharacter(dialog, IDC_PG_DELAY, code);
        EXPECT_EQ(Text(dialog, IDC_PG_DELAY), "12.5") << "letters and the minus are discarded";
        Press(dialog, IDC_PG_ADD);
        EXPECT_EQ(Text(dialog, IDC_PG_PATH), "");
        EXPECT_EQ(Text(dialog, IDC_PG_DELAY), "0");
        EXPECT_EQ(::SendMessageA(tree, TVM_GETCOUNT, 0, 0), 12) << "the tree shows the file";
        Press(dialog, IDOK);
      });
  EXPECT_TRUE(shown);
  EXPECT_NE(ProgGroup().find("     Execute (\"" + program + "\", \"\", 12.5, \"\");\r\n"),
            std::string::npos)
      << ProgGroup();
  EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(SecondaryWindows, PropertiesOpensTheEditorOnTheItem) {
  WriteFile(ProgGroupPath().substr(folder().size() + 1), kGroups);
  const bool shown = WithModalDialog(
      IDC_PG_TREE,
      [&] {
        ProgramGroupsWindow::ShowProgramGroups(Context(), resources(), nullptr,
                                               "Agent=C:\\Tools\\agent.exe -q");
      },
      [&](HWND dialog) {
        EXPECT_EQ(Text(dialog, IDC_PG_PATH), "C:\\Tools\\agent.exe");
        EXPECT_EQ(Text(dialog, IDC_PG_PARAMETERS), "-q");
        EXPECT_EQ(Text(dialog, IDC_PG_DELAY), "5");
        EXPECT_EQ(Text(dialog, IDC_PG_GROUP), "Startup");
        EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_PG_EDIT), BST_CHECKED);
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_PG_REMOVE)));

        // Only the delay changes; Cancel after the change keeps it saved.
        ::SetDlgItemTextA(dialog, IDC_PG_DELAY, "12");
        Press(dialog, IDC_PG_ADD);
        Press(dialog, IDCANCEL);
      });
  EXPECT_TRUE(shown);
  EXPECT_NE(ProgGroup().find("     ExecuteReg (\"C:\\Tools\\agent.exe\", \"-q\", 12, \"Agent\");"),
            std::string::npos)
      << ProgGroup();
}

// --- Options.

class OptionsWindowTest : public SecondaryWindows {
protected:
  void SetUp() override {
    SecondaryWindows::SetUp();
    Context().Store.MainStartupDelay = 30;
    Context().Store.StartupType = 1;
    Context().Store.CloseType = 1;
    Context().Store.ShowTipsAtStartup = -1;
    WriteFile(ProgGroupPath().substr(folder().size() + 1), {"before"});
  }
  void TearDown() override {
    if (HWND open = FindDialog(IDC_OPT_PAGES))
      ::DestroyWindow(open);
  }
};

TEST_F(OptionsWindowTest, OpensOnceWithItsCaptionsAndTheOptions) {
  HWND dialog = OptionsWindow::ShowOptions(Context(), resources());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(OptionsWindow::ShowOptions(Context(), resources()), dialog) << "at most once";
  EXPECT_EQ(::GetWindow(dialog, GW_OWNER), nullptr);
  EXPECT_EQ(WindowTitle(dialog), "Options");
  EXPECT_EQ(Text(dialog, IDC_OPT_SHOW_TIPS), "options13-en");
  EXPECT_EQ(Text(dialog, IDC_OPT_DELAY), "30");
  EXPECT_EQ(::SendDlgItemMessageA(dialog, IDC_OPT_RUN, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(::SendDlgItemMessageA(dialog, IDC_OPT_CLOSE, CB_GETCURSEL, 0, 0), 1);
  char item[64] = {};
  ::SendDlgItemMessageA(dialog, IDC_OPT_RUN, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(item));
  EXPECT_STREQ(item, "options4-en");
  EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_OPT_SHOW_TIPS), BST_CHECKED);
}

TEST_F(OptionsWindowTest, TheDelayBoxTakesDigitsAndThePointOnly) {
  HWND dialog = OptionsWindow::ShowOptions(Context(), resources());
  ASSERT_NE(dialog, nullptr);
  for (const int code : std::initializer_list<int>{'a', '-', 8, '2', '.', '5', ' '})
    TypeCharacter(dialog, IDC_OPT_DELAY, code);
  EXPECT_EQ(Text(dialog, IDC_OPT_DELAY), "302.5") << "Backspace too is discarded here";
}

TEST_F(OptionsWindowTest, OkSavesWhatChangedAndCloses) {
  HWND dialog = OptionsWindow::ShowOptions(Context(), resources());
  ASSERT_NE(dialog, nullptr);
  ::SendDlgItemMessageA(dialog, IDC_OPT_CLOSE, CB_SETCURSEL, 0, 0);
  ::SetDlgItemTextA(dialog, IDC_OPT_DELAY, "2.5");
  Press(dialog, IDOK);
  EXPECT_FALSE(::IsWindow(dialog));
  EXPECT_EQ(Context().Store.CloseType, 0);
  EXPECT_EQ(Context().Store.MainStartupDelay, 2.5f);
  EXPECT_NE(ProgGroup().find("const CloseType = 0;"), std::string::npos);
  EXPECT_NE(ProgGroup().find("const MainStartupDelay = 2.5;"), std::string::npos);
}

TEST_F(OptionsWindowTest, CancelAndAnUnchangedOkSaveNothing) {
  for (const int button : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(button);
    HWND dialog = OptionsWindow::ShowOptions(Context(), resources());
    ASSERT_NE(dialog, nullptr);
    if (button == IDCANCEL)
      ::SendDlgItemMessageA(dialog, IDC_OPT_CLOSE, CB_SETCURSEL, 0, 0);
    Press(dialog, button);
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_EQ(ProgGroup(), "before\r\n");
    EXPECT_EQ(Context().Store.CloseType, 1);
  }
}

TEST_F(OptionsWindowTest, AnUnreadableDelayKeepsTheWindowOpen) {
  HWND dialog = OptionsWindow::ShowOptions(Context(), resources());
  ASSERT_NE(dialog, nullptr);
  ::SetDlgItemTextA(dialog, IDC_OPT_DELAY, "1..5");
  ::SendDlgItemMessageA(dialog, IDC_OPT_RUN, CB_SETCURSEL, 0, 0);
  Press(dialog, IDOK);
  EXPECT_TRUE(::IsWindow(dialog));
  EXPECT_EQ(Context().Store.StartupType, 1);
  EXPECT_EQ(ProgGroup(), "before\r\n");
  EXPECT_NE(ReadFile(folder() + "\\log.txt").find("Set Startup Delay error: "), std::string::npos);
}

// --- Tip of the day.

class TipWindowTest : public SecondaryWindows {
protected:
  void SetUp() override {
    SecondaryWindows::SetUp();
    WriteFile("lang\\en\\tipofday.en", {"Tip one", "Tip two", "Tip three"});
    WriteFile(ProgGroupPath().substr(folder().size() + 1), {"before"});
    Context().Store.ShowTipsAtStartup = 1;
  }
};

TEST_F(TipWindowTest, ModalShowsATipAndSavesTheUntickedBoxOnClose) {
  const std::vector<std::string> tips = {"Tip one", "Tip two", "Tip three"};
  const auto isTip = [&](const std::string& text) {
    return std::find(tips.begin(), tips.end(), text) != tips.end();
  };
  const bool shown = WithModalDialog(
      IDC_TIP_TEXT,
      [&] { TipWindow::ShowTipOfTheDay(Context(), resources(), nullptr, TipShow::kModal); },
      [&](HWND dialog) {
        EXPECT_EQ(WindowTitle(dialog), "Tip of the Day");
        EXPECT_EQ(Text(dialog, IDC_TIP_HEADING), "tips2-en");
        EXPECT_TRUE(isTip(Text(dialog, IDC_TIP_TEXT))) << Text(dialog, IDC_TIP_TEXT);
        Press(dialog, IDC_TIP_NEXT);
        EXPECT_TRUE(isTip(Text(dialog, IDC_TIP_TEXT))) << Text(dialog, IDC_TIP_TEXT);
        EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_TIP_SHOW), BST_CHECKED);
        ::CheckDlgButton(dialog, IDC_TIP_SHOW, BST_UNCHECKED);
        // The title bar's close button.
        ::SendMessageA(dialog, WM_CLOSE, 0, 0);
      });
  EXPECT_TRUE(shown);
  EXPECT_EQ(Context().Store.ShowTipsAtStartup, 0);
  EXPECT_NE(ProgGroup().find("const ShowTipsAtStartup = 0;"), std::string::npos);
}

TEST_F(TipWindowTest, ModelessOpensOnceAndAnUnchangedBoxSavesNothing) {
  WriteFile("lang\\en\\tipofday.en", {});
  ::DeleteFileA((folder() + "\\lang\\en\\tipofday.en").c_str());
  TipWindow::ShowTipOfTheDay(Context(), resources(), nullptr, TipShow::kModeless);
  HWND dialog = FindDialog(IDC_TIP_TEXT);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(::IsWindowVisible(dialog));
  TipWindow::ShowTipOfTheDay(Context(), resources(), nullptr, TipShow::kModeless);
  EXPECT_EQ(FindDialog(IDC_TIP_TEXT), dialog) << "at most once";
  EXPECT_EQ(Text(dialog, IDC_TIP_TEXT), "tips1-en") << "no tips file";
  Press(dialog, IDC_TIP_NEXT);
  EXPECT_EQ(Text(dialog, IDC_TIP_TEXT), "tips1-en");
  Press(dialog, IDOK);
  EXPECT_FALSE(::IsWindow(dialog));
  EXPECT_EQ(ProgGroup(), "before\r\n");
  EXPECT_EQ(Context().Store.ShowTipsAtStartup, 1);
}

TEST_F(TipWindowTest, TheModelessWindowTakesTabAndEscapeFromTheLoop) {
  TipWindow::ShowTipOfTheDay(Context(), resources(), nullptr, TipShow::kModeless);
  HWND dialog = FindDialog(IDC_TIP_TEXT);
  ASSERT_NE(dialog, nullptr);
  MSG escape{};
  escape.hwnd = ::GetDlgItem(dialog, IDC_TIP_NEXT);
  escape.message = WM_KEYDOWN;
  escape.wParam = VK_ESCAPE;
  EXPECT_TRUE(win32ui::IsSecondaryDialogMessage(escape));
  EXPECT_FALSE(::IsWindow(dialog)) << "Escape closes it";
  EXPECT_FALSE(win32ui::IsSecondaryDialogMessage(escape));
}

// --- About.

TEST_F(SecondaryWindows, AboutShowsTheVersionAndALinkClickClosesIt) {
  const bool shown = WithModalDialog(
      IDC_ABOUT_FORUM, [&] { AboutWindow::ShowAbout(Context(), resources(), nullptr); },
      [&](HWND dialog) {
        EXPECT_EQ(WindowTitle(dialog), "about0-en");
        EXPECT_EQ(Text(dialog, IDC_ABOUT_VERSION), "about1-en 2.0.4");
        HWND link = ::GetDlgItem(dialog, IDC_ABOUT_UPDATES);
        ::SendMessageA(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649))) << "a hand";
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_UPDATES, STN_CLICKED),
                       reinterpret_cast<LPARAM>(link));
        EXPECT_FALSE(::IsWindowVisible(dialog)) << "closed although no browser opened";
      });
  EXPECT_TRUE(shown);
  ASSERT_EQ(platform.shellExecutes.size(), 1u);
  EXPECT_EQ(platform.shellExecutes[0], "|https://www.korvane.example/vantrel");
}

// --- Screenshots for people: not a test. Run with
//   --gtest_also_run_disabled_tests --gtest_filter=SecondaryWindowsScreenshot.*
// and VANTREL_SHOT=program-groups|options|tip|about, VANTREL_SHOT_FOLDER=<a
// program folder with lang\>, VANTREL_SHOT_SECONDS=<how long it stays up> and,
// for the editor, VANTREL_SHOT_ITEM=<the item it opens on>.

TEST(SecondaryWindowsScreenshot, DISABLED_Show) {
  const char* which = std::getenv("VANTREL_SHOT");
  const char* folder = std::getenv("VANTREL_SHOT_FOLDER");
  const char* seconds = std::getenv("VANTREL_SHOT_SECONDS");
  ASSERT_TRUE(which != nullptr && folder != nullptr);
  RecordingPlatform platform(folder);
  AppContext context(platform);
  context.Store.Language = "en";
  LoadGlobalData(platform, folder, context.Store.Language, context.Text);
  context.NewDelayLoad().LoadItems();
  char self[MAX_PATH] = {};
  std::string beside(self, ::GetModuleFileNameA(nullptr, self, MAX_PATH));
  beside.resize(beside.find_last_of('\\') + 1);
  HMODULE resources =
      ::LoadLibraryExA((beside + "Vantrel.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(resources, nullptr);

  const UINT wait = static_cast<UINT>(1000 * std::atoi(seconds != nullptr ? seconds : "5"));
  static HWND shown = nullptr;
  static int marker = 0;
  const std::string name = which;
  marker = name == "program-groups" ? IDC_PG_TREE
           : name == "options"      ? IDC_OPT_PAGES
           : name == "tip"          ? IDC_TIP_TEXT
                                    : IDC_ABOUT_FORUM;
  // Closes whatever is up when the time has passed.
  ::SetTimer(nullptr, 0, wait, [](HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    shown = FindDialog(marker);
    if (shown != nullptr)
      ::PostMessageA(shown, WM_COMMAND, IDCANCEL, 0);
    ::PostQuitMessage(0);
  });
  if (name == "program-groups") {
    const char* item = std::getenv("VANTREL_SHOT_ITEM");
    ProgramGroupsWindow::ShowProgramGroups(context, resources, nullptr,
                                           item != nullptr ? item : "");
  } else if (name == "tip") {
    TipWindow::ShowTipOfTheDay(context, resources, nullptr, TipShow::kModal);
  } else if (name == "about") {
    AboutWindow::ShowAbout(context, resources, nullptr);
  } else {
    OptionsWindow::ShowOptions(context, resources);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (!win32ui::IsSecondaryDialogMessage(message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
      }
    }
  }
  ::FreeLibrary(resources);
}

} // namespace
} // namespace vantrel::testing
