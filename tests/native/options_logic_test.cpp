// The options window's logic on a simulated machine: the delay as shown and
// typed, the change test, and the order of what OK does.
#include <gtest/gtest.h>

#include "native/secondary_windows_test_support.h"
#include "vantrel/dialogs/options_logic.h"
#include "vantrel/tree/delay_text.h"

namespace vantrel {
namespace {

using namespace secondary_test;

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
  // The delay box takes digits and the point only.
  for (int code : {'0', '9', '.', '\b', 'a', '-', ',', ' ', '/', ':'})
    EXPECT_EQ(code == '.' || (code >= '0' && code <= '9'), IsOptionsDelayKey(code)) << code;
}

// "30.0" over 30 is a change, and so is a ticked box over the 1 the tip
// window stores (a ticked box is stored as -1); OK saves what changed and
// registers a new login type before the file is written.
TEST(OptionsOk, SavesWhatChangedAndRegistersANewLoginTypeFirst) {
  SecondaryRig rig;
  AppContext& context = rig.context;
  rig.world.AddFile(kFile, "before");
  EXPECT_EQ(ConfirmOptions(context, OptionsFormFor(context.Store)), OptionsOkResult::kUnchanged);
  EXPECT_TRUE(rig.changes.empty()) << rig.changes.front();
  OptionsForm form = OptionsFormFor(context.Store);
  form.StartupDelay = "30.0";
  EXPECT_TRUE(OptionsChanged(form, context.Store));

  std::vector<std::string> calls; // the file as each registration found it
  const auto registration = [&](std::int32_t type) {
    calls.push_back(std::to_string(type) + ":" + rig.File());
  };
  form.CloseMethod = 0;
  form.StartupDelay = "2.5";
  form.ShowTipsAtStartup = false;
  EXPECT_EQ(ConfirmOptions(context, form, 0, registration), OptionsOkResult::kSaved);
  for (const char* line : {"\r\nconst CloseType = 0;\r\n", "\r\nconst MainStartupDelay = 2.5;\r\n",
                           "\r\nconst ShowTipsAtStartup = 0;\r\n"})
    EXPECT_NE(rig.File().find(line), std::string::npos) << line;
  const std::string saved = rig.File();
  context.Store.ShowTipsAtStartup = 1;
  form.ShowTipsAtStartup = true;
  EXPECT_TRUE(OptionsChanged(form, context.Store));
  form.RunAtLogin = 3;
  EXPECT_EQ(ConfirmOptions(context, form, 0, registration), OptionsOkResult::kSaved);
  EXPECT_EQ(context.Store.ShowTipsAtStartup, -1);
  EXPECT_EQ(calls, std::vector<std::string>{"3:" + saved}); // not while the type stayed
  EXPECT_NE(rig.File().find("const StartupType = 3;"), std::string::npos);
}

// An unreadable delay changes nothing at all (the login type is not
// registered); a failed save is reported.
TEST(OptionsOk, AnUnreadableDelayOrAFailedSave) {
  SecondaryRig rig;
  rig.world.AddFile(kFile, "before");
  rig.world.RegSetString(kHkeyCurrentUser, kRunKey, "Tarrow", "old");
  OptionsForm form = OptionsFormFor(rig.context.Store);
  form.RunAtLogin = 0;
  form.CloseMethod = 0;
  for (const char* text : {"", "1..5"}) {
    form.StartupDelay = text;
    EXPECT_EQ(ConfirmOptions(rig.context, form), OptionsOkResult::kInvalidDelay);
    EXPECT_EQ(rig.world.RegGetString(kHkeyCurrentUser, kRunKey, "Tarrow"), "old");
    EXPECT_EQ(rig.File() + std::to_string(rig.context.Store.StartupType) +
                  std::to_string(rig.context.Store.CloseType),
              "before11");
    EXPECT_NE(rig.LogLines().back().find("Set Startup Delay error: "), std::string::npos);
  }
  rig.failing = {sim::SimOp::kFileWrite, sim::SimOp::kFileReplace};
  form = OptionsFormFor(rig.context.Store);
  form.CloseMethod = 0;
  EXPECT_EQ(ConfirmOptions(rig.context, form, 77), OptionsOkResult::kSaveFailed);
  EXPECT_EQ(rig.Boxes(), (std::vector<std::string>{"Vantrel|M8"}));
  EXPECT_EQ(rig.platform.messageBoxes().back().owner, 77u);
  EXPECT_NE(rig.LogLines().back().find("Options error: "), std::string::npos);
}

} // namespace
} // namespace vantrel
