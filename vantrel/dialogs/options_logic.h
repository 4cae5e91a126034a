// The options window without its window: what it shows for the current
// options, its key filter, and what OK does. OK checks the delay first,
// then writes only when something differs from the current options; a
// changed login type re-registers Vantrel before the file is saved.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "vantrel/app/app_context.h"

namespace vantrel {

// Indexes into the options window's caption table (options.<code>).
namespace options_caption {
constexpr std::size_t kStartupPage = 0;
constexpr std::size_t kRunAtLoginFirst = 1;  // 1-4: login types 0-3
constexpr std::size_t kCloseMethodFirst = 5; // 5-6: close types 0-1
constexpr std::size_t kTitle = 7;
constexpr std::size_t kExample = 8;
constexpr std::size_t kStartupDelay = 9;
constexpr std::size_t kSeconds = 10;
constexpr std::size_t kRunAtStartup = 11;
constexpr std::size_t kProgramClosing = 12;
constexpr std::size_t kShowTips = 13;
constexpr std::size_t kTakeBack = 14;
} // namespace options_caption

constexpr int kRunAtLoginChoices = 4;
constexpr int kCloseMethodChoices = 2;

// The window's controls as data.
struct OptionsForm {
  std::string StartupDelay; // the delay box's text
  int RunAtLogin = 0;       // position in the login list: the StartupType
  int CloseMethod = 0;      // position in the close list: the CloseType
  bool ShowTipsAtStartup = false;
  // The login run takes back items that came back to Windows' startup.
  bool TakeBackReturnedItems = false;
};

// What the window shows when it loads.
OptionsForm OptionsFormFor(const StoreTables& options);

// The delay box's key filter: only the digits and "." pass; every other
// character, Backspace included, is discarded.
bool IsOptionsDelayKey(int characterCode);

// The check box as the options store it: -1 ticked, 0 not.
std::int16_t ShowTipsValue(bool ticked);

// Whether OK has anything to save. The delay is compared as text, so 30.0
// typed over a stored 30 counts as a change, and a ticked box (-1) differs
// from a stored 1.
bool OptionsChanged(const OptionsForm& form, const StoreTables& options);

enum class OptionsOkResult {
  kUnchanged,   // nothing differed: the window closes
  kSaved,       // the options changed and the file was written: it closes
  kSaveFailed,  // the options changed but the file was not written: it closes
  kInvalidDelay // the delay box holds no number: logged, the window stays
};

// OK. The delay text is checked before anything else: an unreadable one is
// logged as "Set Startup Delay error: <reason>" and changes nothing. Then,
// when something changed: setRunAtLogin with the new login type if that
// changed, the options, and the file. setRunAtLogin defaults to
// SetRunAtLogin.
OptionsOkResult ConfirmOptions(AppContext& context, const OptionsForm& form, WindowHandle owner = 0,
                               const std::function<void(std::int32_t)>& setRunAtLogin = {});

} // namespace vantrel
