#include "vantrel/main_entry.h"

#include "common/program_folder.h"
#include "common/text.h"
#include "common/unpassed_names.h"
#include "vantrel/language_files.h"
#include "vantrel/start_delay.h"

namespace vantrel {

namespace {

void SetGlobalPaths(AppContext& context) {
  const std::string& folder = context.ProgramFolder;
  context.OwnRunCommand = "\"" + folder + "\\Vantrel.exe\" -nogui";
  context.StartupFoldersPending = true;
  context.Store.CurrentUserItemsFolder = folder + "\\Vantrel Items\\Current User\\";
  context.Store.AllUsersItemsFolder = folder + "\\Vantrel Items\\All Users\\";
}

MainOutcome RunCourses(AppContext& context, MainWindowPort& window) {
  Platform& platform = context.platform;
  // Without its folder or the user's own, Vantrel finds none of its files.
  if (const auto unpassed = UnpassedProgramPlaces(platform)) {
    platform.MessageBox(0, *unpassed, kProgramTitle, kMbOk | kMbIconExclamation);
    return MainOutcome::kEnded;
  }
  // The mutex is taken before anything else, so that of two instances
  // started together exactly one goes on.
  bool anotherInstance = false;
  platform.CreateNamedMutex(kSingleInstanceMutex, &anotherInstance);

  LoadGlobalData(platform, context.ProgramFolder, context.Store.Language, context.Text);
  context.NewDelayLoad().LoadItems();

  if (anotherInstance) {
    platform.ActivateWindowByTitle(kMainWindowTitle);
    platform.MessageBox(0, context.Message(message::kAlreadyRunning), kProgramTitle,
                        kMbOk | kMbIconInformation);
    return MainOutcome::kEnded;
  }

  SetGlobalPaths(context);
  context.GuiMode = ToLowerAscii(platform.GetCommandLine()).find(kNoGuiSwitch) == std::string::npos;
  if (!context.GuiMode && context.Store.StartupType < 1)
    return MainOutcome::kEnded;
  // A windowed start fills its tree at once; a login start may never show it.
  if (context.GuiMode)
    context.LookUpStartupFolders();

  window.Load();
  if (context.GuiMode) {
    if (context.Store.ShowTipsAtStartup != 0)
      window.ShowTipOfTheDay();
  } else {
    platform.PumpMessages();
    StartDelay(context, window);
  }
  return window.IsLoaded() ? MainOutcome::kWindowLives : MainOutcome::kEnded;
}

} // namespace

MainOutcome Main(AppContext& context, MainWindowPort& window) {
  // Nothing below throws by design; an exception here means memory ran out
  // or a library failed, and ends the start-up with the critical-stop box.
  try {
    return RunCourses(context, window);
  } catch (...) {
    context.platform.MessageBox(0, context.Message(message::kUnexpectedError),
                                "Vantrel Critical Stop", kMbOk | kMbIconStop);
  }
  return window.IsLoaded() ? MainOutcome::kWindowLives : MainOutcome::kEnded;
}

} // namespace vantrel
