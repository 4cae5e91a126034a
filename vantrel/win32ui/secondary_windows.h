// Where the main window opens Vantrel's other windows: the program-group
// editor, the options, the about window and the tip of the day. The main
// window calls these and nothing else, so that each window is reached from
// one place.
#pragma once

#include <string>

#include "common/platform/win32/win32_api.h"
#include "vantrel/app_context.h"

namespace vantrel::win32ui {

// Program Groups > Modify and the toolbar's Properties: the editor, modal,
// owned by owner. With a delayed item's text it opens on that program.
void ShowProgramGroupsEditor(AppContext& context, HWND owner, const std::string& itemText = {});
// Tools > Options: modeless, without an owner.
void ShowOptionsWindow(AppContext& context);
// Help > About: modal, owned by owner.
void ShowAboutWindow(AppContext& context, HWND owner);
// The tip of the day: modal after a windowed start, modeless from Help >
// Tips; owned by owner.
void ShowTipWindow(AppContext& context, HWND owner, bool modal);

} // namespace vantrel::win32ui
