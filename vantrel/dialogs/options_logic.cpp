#include "vantrel/dialogs/options_logic.h"

#include "common/event_log.h"
#include "vantrel/editor/save_program_groups.h"
#include "vantrel/login/run_at_login.h"
#include "vantrel/tree/delay_text.h"

namespace vantrel {

OptionsForm OptionsFormFor(const StoreTables& options) {
  OptionsForm form;
  form.StartupDelay = DelayText(options.MainStartupDelay);
  form.RunAtLogin = options.StartupType;
  form.CloseMethod = options.CloseType;
  form.ShowTipsAtStartup = options.ShowTipsAtStartup != 0;
  form.TakeBackReturnedItems = options.TakeBackReturnedItems;
  return form;
}

bool IsOptionsDelayKey(int characterCode) {
  return (characterCode >= '0' && characterCode <= '9') || characterCode == '.';
}

std::int16_t ShowTipsValue(bool ticked) {
  return ticked ? -1 : 0;
}

bool OptionsChanged(const OptionsForm& form, const StoreTables& options) {
  return form.StartupDelay != DelayText(options.MainStartupDelay) ||
         ShowTipsValue(form.ShowTipsAtStartup) != options.ShowTipsAtStartup ||
         form.CloseMethod != options.CloseType || form.RunAtLogin != options.StartupType ||
         form.TakeBackReturnedItems != options.TakeBackReturnedItems;
}

OptionsOkResult ConfirmOptions(AppContext& context, const OptionsForm& form, WindowHandle owner,
                               const std::function<void(std::int32_t)>& setRunAtLogin) {
  std::string reason;
  const std::optional<float> delay = ParseDelayText(form.StartupDelay, &reason);
  if (!delay) {
    WriteLog(context.platform, "Set Startup Delay error: " + reason, LogError);
    return OptionsOkResult::kInvalidDelay;
  }
  StoreTables& options = context.Store;
  if (!OptionsChanged(form, options))
    return OptionsOkResult::kUnchanged;

  if (form.RunAtLogin != options.StartupType) {
    if (setRunAtLogin)
      setRunAtLogin(form.RunAtLogin);
    else
      SetRunAtLogin(context, form.RunAtLogin);
  }
  options.MainStartupDelay = *delay;
  options.StartupType = form.RunAtLogin;
  options.CloseType = form.CloseMethod;
  options.ShowTipsAtStartup = ShowTipsValue(form.ShowTipsAtStartup);
  options.TakeBackReturnedItems = form.TakeBackReturnedItems;
  return SaveProgramGroups(context, owner, "Options") ? OptionsOkResult::kSaved
                                                      : OptionsOkResult::kSaveFailed;
}

} // namespace vantrel
