// The options window's logic on a simulated machine: what it shows, its
// key filter, its change test, and the order of what OK does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "native/secondary_windows_test_support.h"
#include "vantrel/dialogs/options_logic.h"
#include "vantrel/tree/delay_text.h"

namespace vantrel {
namespace {

using namespace secondary_test;

class OptionsTest : public ::testing::Test, public SecondaryRig {
protected:
  void SetUp() override {
    // One delayed item of the current user, so that login type 1 registers.
    context.Store.ProgramGroups = {
        ProgramGroup{"Startup", {ProgramEntry{"Tool.lnk", "", "Execute", 0, "", 0}}}};
    context.Store.StartupGroupIndex = 0;
    world.AddFile(kFile, "before");
  }

  OptionsForm Form() const { return OptionsFormFor(context.Store); }
  std::optional<std::string> RunValue(RegKey root) const {
    return world.RegGetString(root, kRunKey, "Tarrow");
  }
};

TEST(OptionsDelayText, ShownReadBackAndTyped) {
  for (const auto& [stored, shown] :
       {std::pair{30.0f, "30"}, {2.5f, "2.5"}, {0.1f, "0.1"}, {0.0f, "0"}}) {
    StoreTables options;
    options.MainStartupDelay = stored;
    EXPECT_EQ(OptionsFormFor(options).StartupDelay, shown);
    EXPECT_EQ(ParseDelayText(shown), stored);
  }
  const std::string large(40, '9');
  for (const auto& [text, reason] :
       {std::pair<std::string, std::string>{"   ", "the delay is empty"},
        {"1.2.3", "\"1.2.3\" is not a number of seconds"},
        {"-5", "\"-5\" is not a number of seconds"},
        {large, "\"" + large + "\" is too large"}}) {
    std::string why;
    EXPECT_FALSE(ParseDelayText(text, &why));
    EXPECT_EQ(why, reason);
  }
  // The delay box takes digits and the point only (Backspace too is
  // discarded here; Delete and the arrows are no characters).
  for (int code : {'0', '9', '.', '\b', 'a', '-', ',', ' ', '/', ':'})
    EXPECT_EQ(code == '.' || (code >= '0' && code <= '9'), IsOptionsDelayKey(code)) << code;
}

TEST_F(OptionsTest, TheChangeTestComparesTextsAndTheStoredTipFlag) {
  struct Case {
    const char* name;
    std::int16_t storedTips;
    void (*edit)(OptionsForm&);
    bool changed;
  };
  const Case cases[] = {
      {"30.0 over 30 is a change", -1, [](OptionsForm& f) { f.StartupDelay = "30.0"; }, true},
      {"a ticked box over a stored 1", 1, [](OptionsForm&) {}, true},
      {"unticking", -1, [](OptionsForm& f) { f.ShowTipsAtStartup = false; }, true},
      {"close method", -1, [](OptionsForm& f) { f.CloseMethod = 0; }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    context.Store.ShowTipsAtStartup = c.storedTips;
    OptionsForm form = Form();
    c.edit(form);
    EXPECT_EQ(OptionsChanged(form, context.Store), c.changed);
  }
}

TEST_F(OptionsTest, OkSavesWhatChangedAndRegistersANewLoginTypeFirst) {
  EXPECT_EQ(ConfirmOptions(context, Form()), OptionsOkResult::kUnchanged);
  EXPECT_TRUE(changes.empty()) << changes.front();
  EXPECT_EQ(File(), "before");

  // The login type's registration is not called while the type stays.
  int calls = 0;
  std::string fileAtCall;
  const auto registration = [&](std::int32_t type) {
    ++calls;
    EXPECT_EQ(type, 3);
    fileAtCall = File();
  };
  OptionsForm form = Form();
  form.CloseMethod = 0;
  form.StartupDelay = "2.5";
  form.ShowTipsAtStartup = false;
  EXPECT_EQ(ConfirmOptions(context, form, 0, registration), OptionsOkResult::kSaved);
  EXPECT_EQ(calls, 0);
  EXPECT_TRUE(ChangesTo("Run").empty());
  for (const char* line : {"\r\nconst CloseType = 0;\r\n", "\r\nconst MainStartupDelay = 2.5;\r\n",
                           "\r\nconst ShowTipsAtStartup = 0;\r\n"})
    EXPECT_NE(File().find(line), std::string::npos) << line;

  // A ticked box is stored as -1, also over a 1 that the tip window wrote.
  const std::string saved = File();
  context.Store.ShowTipsAtStartup = 1;
  form.ShowTipsAtStartup = true;
  form.RunAtLogin = 3;
  EXPECT_EQ(ConfirmOptions(context, form, 0, registration), OptionsOkResult::kSaved);
  EXPECT_EQ(context.Store.ShowTipsAtStartup, -1);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(fileAtCall, saved);
  EXPECT_NE(File().find("const StartupType = 3;"), std::string::npos);
}

TEST_F(OptionsTest, AnUnreadableDelayChangesNothingAtAll) {
  world.RegSetString(kHkeyCurrentUser, kRunKey, "Tarrow", "old");
  for (const char* text : {"", "1..5"}) {
    SCOPED_TRACE(text);
    OptionsForm form = Form();
    form.StartupDelay = text;
    form.RunAtLogin = 0;
    form.CloseMethod = 0;
    EXPECT_EQ(ConfirmOptions(context, form), OptionsOkResult::kInvalidDelay);
    EXPECT_EQ(RunValue(kHkeyCurrentUser), "old"); // the registration is not reached
    EXPECT_EQ(context.Store.StartupType + context.Store.CloseType, 2);
    EXPECT_EQ(File(), "before");
    EXPECT_NE(LogLines().at(LogLines().size() - 1).find("Set Startup Delay error: "),
              std::string::npos);
  }
}

TEST_F(OptionsTest, AFailedSaveIsReported) {
  failing = {sim::SimOp::kFileWrite, sim::SimOp::kFileReplace};
  OptionsForm form = Form();
  form.CloseMethod = 0;
  EXPECT_EQ(ConfirmOptions(context, form, 77), OptionsOkResult::kSaveFailed);
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"Vantrel|M8"}));
  EXPECT_EQ(platform.messageBoxes().back().owner, 77u);
  EXPECT_NE(LogLines().back().find("Options error: "), std::string::npos);
}

} // namespace
} // namespace vantrel
