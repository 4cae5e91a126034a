// The main window's texts from the language tables, the Language menu and
// its switch.
#include <gtest/gtest.h>

#include "native/startup_items_machine.h"
#include "vantrel/text/language_switch.h"
#include "vantrel/text/window_texts.h"

namespace vantrel::startup_test {
namespace {

std::string Checked(const MainWindowTexts& texts) {
  std::string checked;
  for (const auto& item : texts.languages)
    checked += item.checked ? item.caption + ";" : "";
  return checked;
}

// Filled table entries replace the designed texts and the menu checks the
// language; a switch loads its tables and saves the file, but leaves the
// captions on screen.
TEST(WindowTexts, TablesReplaceTheDesignedTextsAndTheSwitchSavesTheLanguage) {
  StartupItemsMachine m;
  MainWindowTexts bare = DesignedWindowTexts(); // no language list: the one designed item
  LoadWindowTexts(TextTables{}, "en", bare);
  EXPECT_EQ(bare.languages.size(), 1u);
  EXPECT_EQ(Checked(bare), "");

  m.context.Text.Languages = {{"English", "en"}, {"Deutsch", "de"}, {"Nederlands", "nl"}};
  m.context.Text.Menus[menu::kTVSearchOnline] = "Online &suchen";
  m.context.Text.Toolbar[toolbar::kRunTip] = "Normal starten";
  m.context.Text.Toolbar[toolbar::kStatusPanel] = "Bereit";
  MainWindowTexts texts = DesignedWindowTexts();
  LoadWindowTexts(m.context.Text, "nl", texts);
  LoadWindowTexts(m.context.Text, "en", texts); // a second load adds nothing
  EXPECT_EQ(texts.menuCaptions[menu::kTVSearchOnline] + "|" + texts.menuCaptions[menu::kFileExit] +
                "|" + texts.toolTips[toolbar::kRunTip] + "|" + texts.statusText + "|" +
                Checked(texts) + std::to_string(texts.languages.size()),
            "Online &suchen|E&xit|Normal starten|Bereit|English;3");

  m.WriteProgramGroups({}, {});
  m.world.AddFile(m.store.FilePath(), "sentinel");
  EXPECT_FALSE(SwitchLanguage(m.context, m.store, 0, texts)); // the checked one
  EXPECT_FALSE(SwitchLanguage(m.context, m.store, 7, texts));
  EXPECT_EQ(m.world.ReadFile(m.store.FilePath()), "sentinel");
  m.world.AddFile(kFolder + "\\lang\\de\\menus.de", "&Datei\r\n");
  m.world.AddFile(kFolder + "\\lang\\de\\messages.de", "Vantrel läuft schon.\r\n");
  EXPECT_TRUE(SwitchLanguage(m.context, m.store, 1, texts));
  EXPECT_EQ(Checked(texts) + m.context.Text.Menus[menu::kFile] + "|" +
                m.context.Text.Messages[message::kAlreadyRunning] + "|" +
                texts.menuCaptions[menu::kFile],
            "Deutsch;&Datei|Vantrel läuft schon.|&File");
  EXPECT_NE(m.world.ReadFile(m.store.FilePath())->find("const Language = Deutsch;\r\n"),
            std::string::npos);
}

} // namespace
} // namespace vantrel::startup_test
