// Where the main window opens Vantrel's other windows: the program-group
// editor, the options, the about window and the tip of the day, each built
// from the dialog resources of the resources module. The main window and
// its item commands call these and nothing else.
#pragma once

#include <string>

#include "common/platform/win32/win32_api.h"
#include "vantrel/app/app_context.h"

namespace vantrel::win32ui {

// Program Groups > Modify, the toolbar's and the popup's Properties: the
// editor, modal, owned by owner. With a delayed item's text it opens on that
// item's program.
void ShowProgramGroupsEditor(AppContext& context, HMODULE resources, HWND owner,
                             const std::string& itemText = {});
// Tools > Options: modeless, without an owner.
void ShowOptionsWindow(AppContext& context, HMODULE resources);
// Help > About: modal, owned by owner.
void ShowAboutWindow(AppContext& context, HMODULE resources, HWND owner);
// The tip of the day: modal after a windowed start, modeless from Help >
// Tips; owned by owner.
void ShowTipWindow(AppContext& context, HMODULE resources, HWND owner, bool modal);

} // namespace vantrel::win32ui
