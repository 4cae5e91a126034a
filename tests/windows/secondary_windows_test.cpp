// The program-group editor and the tip of the day,
// created for real in this process (Wine's null display driver needs no X
// server) from Vantrel.exe's dialog resources, and driven through their
// controls: their key filter, what OK, the Add button, closing and Escape
// in the message loop do. (Which caption goes where, and
// the logic behind the controls, the options' too, are the native tests'.)
#include <gtest/gtest.h>

#include "common/platform/win32/win32_api.h"
#include <commctrl.h>

#include <string>
#include <vector>

#include "vantrel/resources/dialog_ids.h"
#include "vantrel/win32ui/dialog_window.h"
#include "vantrel/win32ui/program_groups_window.h"
#include "vantrel/win32ui/tip_window.h"
#include "windows/support/window_rig.h"

namespace vantrel::testing {
namespace {

using namespace win32ui;

// proggroup.c holds "before" until something is saved.
class SecondaryWindows : public ::testing::Test, public WindowRig {
protected:
  void SetUp() override {
    ASSERT_NE(resources(), nullptr) << "Vantrel.exe beside the test binary";
    Write(ProgGroupFile(), "before\r\n");
  }
  void Write(const std::string& relative, const std::string& bytes) {
    const std::string path = folder() + "\\" + relative;
    ::SHCreateDirectoryExA(nullptr, path.substr(0, path.rfind('\\')).c_str(), nullptr);
    moves::WriteFileBytes(path, bytes);
  }
  std::string ProgGroup() { return ReadFile(ProgGroupFile()); }
};

TEST_F(SecondaryWindows, TheEditorFiltersTheDelayAndAddsAProgramFromItsFields) {
  Write(ProgGroupFile(), "void Startup()\r\n{\r\n}\r\nvoid Tools()\r\n{\r\n}\r\n");
  const std::string program = folder() + "\\new.exe";
  Write("new.exe", "MZ");
  EXPECT_TRUE(WithModalDialog(
      IDC_PG_TREE, [&] { ProgramGroupsWindow::ShowProgramGroups(context(), resources(), nullptr); },
      [&](HWND dialog) {
        // Clicking the group "Tools" (the second item below the root).
        HWND tree = ::GetDlgItem(dialog, IDC_PG_TREE);
        TreeView_SelectItem(
            tree, TreeView_GetNextSibling(tree, TreeView_GetChild(tree, TreeView_GetRoot(tree))));
        EXPECT_EQ(Text(dialog, IDC_PG_GROUP), "Tools");
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_PG_ADD))) << "no path yet";
        ::SetDlgItemTextA(dialog, IDC_PG_PATH, program.c_str());
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_PG_ADD)));
        ::SetDlgItemTextA(dialog, IDC_PG_DELAY, "");
        for (const int code : {'1', 'a', '-', '2', '.', '5', '\b', '5'})
          TypeCharacter(dialog, IDC_PG_DELAY, code);
        EXPECT_EQ(Text(dialog, IDC_PG_DELAY), "12.5") << "letters and the minus are discarded";
        const auto before = TreeView_GetCount(tree);
        Press(dialog, IDC_PG_ADD);
        EXPECT_EQ(Text(dialog, IDC_PG_PATH), "");
        EXPECT_GT(TreeView_GetCount(tree), before) << "the tree shows the file";
        Press(dialog, IDOK);
      }));
  EXPECT_NE(ProgGroup().find("     Execute (\"" + program + "\", \"\", 12.5, \"\");\r\n"),
            std::string::npos)
      << ProgGroup();
  EXPECT_TRUE(platform().boxes.empty());
}

TEST_F(SecondaryWindows, TheTipSavesTheUntickedBoxAndTakesEscapeFromTheLoop) {
  Write("lang\\en\\tipofday.en", "Tip one\r\n");
  context().Store.Language = "en";
  context().Store.ShowTipsAtStartup = 1;
  EXPECT_TRUE(WithModalDialog(
      IDC_TIP_TEXT,
      [&] { TipWindow::ShowTipOfTheDay(context(), resources(), nullptr, TipShow::kModal); },
      [&](HWND dialog) {
        Press(dialog, IDC_TIP_NEXT);
        EXPECT_EQ(Text(dialog, IDC_TIP_TEXT), "Tip one");
        ::CheckDlgButton(dialog, IDC_TIP_SHOW, BST_UNCHECKED);
        ::SendMessageA(dialog, WM_CLOSE, 0, 0); // the title bar's close button
      }));
  EXPECT_NE(ProgGroup().find("const ShowTipsAtStartup = 0;"), std::string::npos);

  TipWindow::ShowTipOfTheDay(context(), resources(), nullptr, TipShow::kModeless);
  HWND dialog = FindDialog(IDC_TIP_TEXT);
  ASSERT_NE(dialog, nullptr);
  MSG escape{::GetDlgItem(dialog, IDC_TIP_NEXT), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  EXPECT_TRUE(IsSecondaryDialogMessage(escape));
  EXPECT_FALSE(::IsWindow(dialog));
  EXPECT_FALSE(IsSecondaryDialogMessage(escape));
}

} // namespace
} // namespace vantrel::testing
