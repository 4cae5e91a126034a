// Entry of Vantrel.exe: the process context over the real platform, the
// main window with its item commands, Main, and then the window's message
// loop for as long as the window lives.
#include <memory>
#include <string>

#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_platform.h"
#include "vantrel/app/app_context.h"
#include "vantrel/app/main_entry.h"
#include "vantrel/moves/item_commands.h"
#include "vantrel/win32ui/dialog_window.h"
#include "vantrel/win32ui/item_command_services.h"
#include "vantrel/win32ui/secondary_windows.h"
#include "vantrel/win32ui/startup_items_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  vantrel::win32::Win32Platform platform;
  vantrel::AppContext context(platform);
  vantrel::win32ui::StartupItemsWindow window(context, instance);

  vantrel::items::ItemCommandServices services = vantrel::win32ui::Win32ItemCommandServices();
  services.showProgramGroups = [&context, &window, instance](const std::string& itemText) {
    vantrel::win32ui::ShowProgramGroupsEditor(context, instance, window.hwnd(), itemText);
  };
  services.clearItemTip = [&window] { window.ClearItemTip(); };
  window.SetCommands(std::make_unique<vantrel::items::ItemCommands>(window, std::move(services)));

  if (vantrel::Main(context, window) == vantrel::MainOutcome::kWindowLives) {
    // The window posts the quit when it is destroyed.
    MSG message{};
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (vantrel::win32ui::IsSecondaryDialogMessage(message))
        continue;
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  return 0;
}
