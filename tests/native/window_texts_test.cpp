// The main window's texts from the language tables, the Language menu and
// its switch.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "native/startup_items_machine.h"
#include "vantrel/text/language_switch.h"
#include "vantrel/text/window_texts.h"

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
  context.Text.Menus[menu::kTVSearchOnline] = "Online &suchen";
  context.Text.Toolbar[toolbar::kRunTip] = "Normal starten";
  context.Text.Toolbar[toolbar::kStatusPanel] = "Bereit";
  LoadWindowTexts(context.Text, "de", texts);
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
  EXPECT_EQ(context.Text.Menus[menu::kFile], "&Datei");
  EXPECT_EQ(context.Text.Messages[message::kAlreadyRunning], "Vantrel läuft schon.");
  EXPECT_NE(world.ReadFile(path)->find("const Language = Deutsch;\r\n"), std::string::npos);
  // The captions on screen are not reapplied.
  EXPECT_EQ(texts.menuCaptions[menu::kFile], "&File");
}

} // namespace
} // namespace vantrel::startup_test
