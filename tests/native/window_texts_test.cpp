// The main window's texts from the language tables, the Language menu and
// its switch, and the Help menu's links.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "native/startup_items_machine.h"
#include "vantrel/text/language_switch.h"
#include "vantrel/text/window_texts.h"
#include "vantrel/window/web_links.h"

namespace vantrel::startup_test {
namespace {

class WindowTextsTest : public ::testing::Test, public StartupItemsMachine {
protected:
  WindowTextsTest() {
    context.Text.Languages = {{"English", "en"}, {"Deutsch", "de"}, {"Nederlands", "nl"}};
    world.AddFile(kFolder + "\\lang\\de\\menus.de", "&Datei\r\n");
    world.AddFile(kFolder + "\\lang\\de\\messages.de", "Vantrel läuft schon.\r\n");
  }

  std::vector<std::string> Checked(const MainWindowTexts& texts) const {
    std::vector<std::string> checked;
    for (const auto& item : texts.languages) {
      if (item.checked)
        checked.push_back(item.caption);
    }
    return checked;
  }
};

TEST_F(WindowTextsTest, TablesReplaceTheDesignedTextsAndTheMenuChecksTheLanguage) {
  MainWindowTexts texts = DesignedWindowTexts();
  EXPECT_EQ(texts.menuCaptions[menu::kHelpOnlineMainPage], "&Main Page");
  context.Text.Menus[menu::kFile] = "&Datei";
  context.Text.Menus[menu::kTVSearchOnline] = "Online &suchen";
  context.Text.Toolbar[toolbar::kRunTip] = "Normal starten";
  context.Text.Toolbar[toolbar::kStatusPanel] = "Bereit";
  LoadWindowTexts(context.Text, "de", texts);
  EXPECT_EQ(texts.menuCaptions[menu::kFile], "&Datei");
  EXPECT_EQ(texts.menuCaptions[menu::kTVSearchOnline], "Online &suchen");
  EXPECT_EQ(texts.menuCaptions[menu::kFileExit], "E&xit"); // not filled: as designed
  EXPECT_EQ(texts.toolTips[toolbar::kRunTip], "Normal starten");
  EXPECT_EQ(texts.statusText, "Bereit");
  EXPECT_EQ(Checked(texts), std::vector<std::string>{"Deutsch"});
  LoadWindowTexts(context.Text, "nl", texts); // a second load adds nothing
  EXPECT_EQ(texts.languages.size(), 3u);
  EXPECT_EQ(Checked(texts), std::vector<std::string>{"Nederlands"});

  // Without a language list the one designed item stays, unchecked.
  MainWindowTexts bare = DesignedWindowTexts();
  LoadWindowTexts(TextTables{}, "en", bare);
  ASSERT_EQ(bare.languages.size(), 1u);
  EXPECT_TRUE(Checked(bare).empty());
}

TEST_F(WindowTextsTest, SwitchingLanguageLoadsItsTablesAndSavesTheFile) {
  WriteProgramGroups({}, {});
  MainWindowTexts texts = DesignedWindowTexts();
  LoadWindowTexts(context.Text, "en", texts);
  const std::string path = store.FilePath();

  // The checked language: nothing changes, nothing is written.
  world.AddFile(path, "sentinel");
  EXPECT_FALSE(SwitchLanguage(context, store, 0, texts));
  EXPECT_EQ(world.ReadFile(path), "sentinel");
  EXPECT_FALSE(SwitchLanguage(context, store, 7, texts));

  EXPECT_TRUE(SwitchLanguage(context, store, 1, texts));
  EXPECT_EQ(Checked(texts), std::vector<std::string>{"Deutsch"});
  EXPECT_EQ(context.Store.Language, "de");
  EXPECT_EQ(context.Text.Menus[menu::kFile], "&Datei");
  EXPECT_EQ(context.Text.Messages[message::kAlreadyRunning], "Vantrel läuft schon.");
  EXPECT_NE(world.ReadFile(path)->find("const Language = Deutsch;\r\n"), std::string::npos);
  // The captions on screen are not reapplied.
  EXPECT_EQ(texts.menuCaptions[menu::kFile], "&File");
}

TEST_F(WindowTextsTest, HelpFileOpensOnlyWhenPresentAndWebLinksUseTheDefaultAction) {
  EXPECT_FALSE(ShowHelp(platform, kFolder, 42));
  EXPECT_TRUE(platform.shellExecutes().empty());
  world.AddFile(kFolder + "\\Vantrel.chm", "help");
  ShowHelp(platform, kFolder, 42);
  OpenWebLink(platform, 7, web_links::kForumPage);
  ASSERT_EQ(platform.shellExecutes().size(), 2u);
  const auto& help = platform.shellExecutes()[0];
  EXPECT_EQ(help.file + "|" + std::to_string(help.hwnd) + "|" + std::to_string(help.show),
            kFolder + "\\Vantrel.chm|42|" + std::to_string(kSwShowNormal));
  const auto& link = platform.shellExecutes()[1];
  EXPECT_EQ(link.verb + "|" + link.file + "|" + std::to_string(link.hwnd),
            "|https://forum.korvane.example/vantrel|7");
  EXPECT_EQ(SupportMailLink(), "mailto:support@korvane.example?subject=Vantrel%202%20Support");
}

} // namespace
} // namespace vantrel::startup_test
