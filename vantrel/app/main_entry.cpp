#include "vantrel/app/main_entry.h"

#include "common/event_log.h"
#include "common/program_folder.h"
#include "common/text.h"
#include "common/unpassed_names.h"
#include "vantrel/login/start_delay.h"
#include "vantrel/login/wait.h"
#include "vantrel/text/language_files.h"

namespace vantrel {

namespace {

void SetGlobalPaths(AppContext& context) {
  const std::string& folder = context.ProgramFolder;
  context.OwnRunCommand = "\"" + folder + "\\Vantrel.exe\" -nogui";
  context.StartupFoldersPending = true;
  context.Store.CurrentUserItemsFolder = folder + "\\Vantrel Items\\Current User\\";
  context.Store.AllUsersItemsFolder = folder + "\\Vantrel Items\\All Users\\";
}

// At login a proggroup.c held open by another program is waited for: the
// items it holds must start once it is free, not never.
constexpr std::int32_t kHeldFileWaitMs = 120000;

LoadProblem LoadProgramGroups(AppContext& context) {
  CDelayLoad store = context.NewDelayLoad();
  LoadProblem problem = store.LoadItemsQuietly();
  if (problem == LoadProblem::kHeldOpen && !context.GuiMode) {
    WriteLog(context.platform, "proggroup.c is held open by another program; waiting for it.",
             LogWarning);
    const std::uint32_t start = context.platform.GetTickCount();
    while (problem == LoadProblem::kHeldOpen && !context.AbortWait &&
           context.platform.GetTickCount() - start < static_cast<std::uint32_t>(kHeldFileWaitMs)) {
      WaitMilliseconds(context, kWaitSliceMs);
      problem = store.LoadItemsQuietly();
    }
  }
  store.ReportLoadProblem(problem);
  return problem;
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
  const bool loginStart =
      ToLowerAscii(platform.GetCommandLine()).find(kNoGuiSwitch) != std::string::npos;

  if (anotherInstance) {
    // Nobody sits in front of a login start: a box there would only stay
    // on the screen. The running instance starts the delayed items.
    if (loginStart) {
      WriteLog(platform, "Vantrel is already running; this login start ends.", LogInfo);
      return MainOutcome::kEnded;
    }
    platform.ActivateWindowByTitle(kMainWindowTitle);
    platform.MessageBox(0, context.Message(message::kAlreadyRunning), kProgramTitle,
                        kMbOk | kMbIconInformation);
    return MainOutcome::kEnded;
  }

  // The items folders first: the reader shortens the records in them.
  SetGlobalPaths(context);
  context.GuiMode = !loginStart;
  LoadProgramGroups(context);
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
  // An entry (common/exception_policy.h): memory that ran out ends the
  // start-up with the critical-stop box.
  try {
    return RunCourses(context, window);
  } catch (...) {
    context.platform.MessageBox(0, context.Message(message::kUnexpectedError),
                                "Vantrel Critical Stop", kMbOk | kMbIconStop);
  }
  return window.IsLoaded() ? MainOutcome::kWindowLives : MainOutcome::kEnded;
}

} // namespace vantrel
