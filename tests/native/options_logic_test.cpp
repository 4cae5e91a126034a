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
// registers a new login type before the file is written. An unreadable
// delay changes nothing at all; a failed save is reported.
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
  const std::string file = rig.File();
  EXPECT_NE(file.find("const StartupType = 3;"), std::string::npos);

  rig.world.RegSetString(kHkeyCurrentUser, kRunKey, "Tarrow", "old");
  form.RunAtLogin = 1;
  form.CloseMethod = 1;
  for (const char* text : {"", "1..5"}) {
    form.StartupDelay = text;
    EXPECT_EQ(ConfirmOptions(context, form), OptionsOkResult::kInvalidDelay);
    EXPECT_EQ(rig.world.RegGetString(kHkeyCurrentUser, kRunKey, "Tarrow"), "old");
    EXPECT_TRUE(rig.File() == file && context.Store.StartupType == 3 &&
                context.Store.CloseType == 0);
    EXPECT_NE(rig.LogLines().back().find("Set Startup Delay error: "), std::string::npos);
  }
  rig.failing = {sim::SimOp::kFileWrite, sim::SimOp::kFileReplace};
  form.StartupDelay = "2.5";
  EXPECT_EQ(ConfirmOptions(context, form, 77, registration), OptionsOkResult::kSaveFailed);
  ASSERT_EQ(rig.platform.messageBoxes().size(), 1u);
  const auto& box = rig.platform.messageBoxes()[0];
  EXPECT_EQ(box.caption + "|" + box.text + "|" + std::to_string(box.owner), "Vantrel|M8|77");
  EXPECT_NE(rig.LogLines().back().find("Options error: "), std::string::npos);
}

} // namespace
} // namespace vantrel
