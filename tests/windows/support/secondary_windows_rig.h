// What the in-process tests of the secondary windows share: a Vantrel
// process context over the real Win32 layer whose program folder is a
// scratch folder with caption files, message boxes and shell calls that
// are recorded instead of shown, the dialog resources of Vantrel.exe, and
// a way to act on a modal dialog while it runs.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_platform.h"
#include "vantrel/app/app_context.h"
#include "windows/support/recording_platform.h"

namespace vantrel::testing {

class SecondaryWindowsRig {
public:
  SecondaryWindowsRig();
  ~SecondaryWindowsRig();

  // Writes a file below the program folder (a relative path), CR LF lines.
  void WriteFile(const std::string& relative, const std::vector<std::string>& lines);
  std::string ReadFile(const std::string& path) const;
  // Writes the caption files of a language: every entry of a kind is
  // "<kind><index>-<code>", as many as counts says.
  void WriteLanguage(const std::string& code, const std::map<std::string, int>& counts);
  // The current user's proggroup.c.
  std::string ProgGroupPath() const;

  const std::string& folder() const { return folder_; }
  HMODULE resources() const { return resources_; }

  std::string folder_;
  RecordingPlatform platform;
  std::unique_ptr<AppContext> context;

private:
  HMODULE resources_ = nullptr;
};

// Shows a modal dialog through show, and runs act on it once it is up (the
// first dialog of this thread that has a control with id marker). Whatever
// act leaves open is cancelled. False when no such dialog came up.
bool WithModalDialog(int marker, const std::function<void()>& show,
                     const std::function<void(HWND dialog)>& act);

// The first shown top-level dialog of this thread with a control of that id.
HWND FindDialog(int marker);

// Lets the dialog handle a button press as a click would.
void Press(HWND dialog, int id);
// Types one character into a control, with the caret at the end.
void TypeCharacter(HWND dialog, int id, int code);
std::string Text(HWND dialog, int id);
std::string WindowTitle(HWND window);

} // namespace vantrel::testing
