#include "windows/support/secondary_windows_rig.h"

#include <fstream>

#include "vantrel/text/language_files.h"
#include "windows/support/scratch.h"

namespace vantrel::testing {

namespace {

struct ModalRun {
  int marker = 0;
  std::function<void(HWND)> act;
  bool ran = false;
  UINT_PTR timer = 0;
};
ModalRun* currentRun = nullptr;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (currentRun == nullptr || currentRun->ran)
    return;
  HWND dialog = FindDialog(currentRun->marker);
  if (dialog == nullptr)
    return;
  currentRun->ran = true;
  ::KillTimer(nullptr, currentRun->timer);
  currentRun->act(dialog);
  if (::IsWindow(dialog))
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

} // namespace

SecondaryWindowsRig::SecondaryWindowsRig()
    : folder_(NewScratchFolder()), platform(folder_),
      context(std::make_unique<AppContext>(platform)) {
  resources_ = ::LoadLibraryExA((ThisExeFolder() + "\\Vantrel.exe").c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE);
  context->Store.CurrentUserItemsFolder = folder_ + "\\Vantrel Items\\Current User\\";
  context->Store.AllUsersItemsFolder = folder_ + "\\Vantrel Items\\All Users\\";
  context->OwnRunCommand = "\"" + folder_ + "\\Vantrel.exe\" -nogui";
}

SecondaryWindowsRig::~SecondaryWindowsRig() {
  if (resources_ != nullptr)
    ::FreeLibrary(resources_);
  context.reset();
  RemoveTree(folder_);
}

void SecondaryWindowsRig::WriteFile(const std::string& relative,
                                    const std::vector<std::string>& lines) {
  const std::string path = folder_ + "\\" + relative;
  for (std::size_t at = path.find('\\', folder_.size() + 1); at != std::string::npos;
       at = path.find('\\', at + 1))
    ::CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  std::ofstream(path, std::ios::binary) << text;
}

std::string SecondaryWindowsRig::ReadFile(const std::string& path) const {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void SecondaryWindowsRig::WriteLanguage(const std::string& code,
                                        const std::map<std::string, int>& counts) {
  for (const auto& [kind, count] : counts) {
    std::vector<std::string> lines = {"// " + kind + " of " + code};
    for (int i = 0; i < count; ++i)
      lines.push_back(kind + std::to_string(i) + "-" + code);
    WriteFile("lang\\" + CaptionFileName(code, kind), lines);
  }
}

std::string SecondaryWindowsRig::ProgGroupPath() const {
  return context->NewDelayLoad().FilePath();
}

bool WithModalDialog(int marker, const std::function<void()>& show,
                     const std::function<void(HWND)>& act) {
  ModalRun run;
  run.marker = marker;
  run.act = act;
  currentRun = &run;
  run.timer = ::SetTimer(nullptr, 0, 10, &OnTimer);
  show();
  ::KillTimer(nullptr, run.timer);
  currentRun = nullptr;
  // A timer message may still wait in the queue; let it go harmlessly.
  MSG message;
  while (::PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
  }
  return run.ran;
}

HWND FindDialog(int marker) {
  struct Search {
    int marker;
    HWND found;
  } search{marker, nullptr};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        // Not before it is shown: a dialog's initialisation lets pending
        // messages (this timer's, too) run while it loads its captions.
        if (::GetDlgItem(window, s->marker) == nullptr || !::IsWindowVisible(window))
          return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void Press(HWND dialog, int id) {
  HWND button = ::GetDlgItem(dialog, id);
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void TypeCharacter(HWND dialog, int id, int code) {
  HWND control = ::GetDlgItem(dialog, id);
  const int end = ::GetWindowTextLengthA(control);
  ::SendMessageA(control, EM_SETSEL, static_cast<WPARAM>(end), end);
  ::SendMessageA(control, WM_CHAR, static_cast<WPARAM>(code), 1);
}

std::string Text(HWND dialog, int id) {
  char text[1024] = {};
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

std::string WindowTitle(HWND window) {
  char text[256] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

} // namespace vantrel::testing
