// The Language menu's switch: the chosen language becomes the current one,
// its caption and message tables are loaded, and proggroup.c is saved with
// it. The captions already shown are not changed; they follow at the next
// start.
#pragma once

#include <cstddef>

#include "common/store/delay_load.h"
#include "vantrel/app/app_context.h"
#include "vantrel/text/window_texts.h"

namespace vantrel {

// Item k of the Language menu was chosen. Nothing happens, and false is
// returned, when it is already checked or has no language behind it.
// Otherwise exactly item k is checked afterwards and true is returned.
bool SwitchLanguage(AppContext& context, CDelayLoad& store, std::size_t k, MainWindowTexts& texts);

} // namespace vantrel
