// A stand-in for a program started at login: it appends one line to
// recorder.txt beside itself, holding the time it started (milliseconds
// since 1970, from the system clock) and its command-line arguments, then
// ends. Windowless (GUI subsystem), so that no console appears.
//
// Copied as comeback.exe it stands for a program that puts itself back
// into Windows' startup whenever it runs, as chat clients and cloud drives
// do: its arguments are a value name, and it then writes its own value of
// that name into the current user's Run key (its quoted path and the name).
#include <windows.h>

#include <chrono>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The command line without the program's own name.
  const char* line = ::GetCommandLineA();
  const char end = *line == '"' ? '"' : ' ';
  for (line += *line == '"' ? 1 : 0; *line != '\0' && *line != end && *line != '\t'; ++line) {
  }
  for (line += *line == '"' ? 1 : 0; *line == ' ' || *line == '\t'; ++line) {
  }
  const std::string arguments = line;
  char path[MAX_PATH] = {};
  const std::string self(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
  const std::string folder = self.substr(0, self.find_last_of('\\'));

  using namespace std::chrono;
  const auto now = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  // Several recorders may start at once: each appends in one write.
  const std::string record = std::to_string(now) + " " + arguments + "\r\n";
  const HANDLE file = ::CreateFileA((folder + "\\recorder.txt").c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD size = 0;
  const bool written =
      ::WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &size, nullptr);
  ::CloseHandle(file);
  if (self.substr(folder.size() + 1) != "comeback.exe" || arguments.empty())
    return written ? 0 : 1;
  const std::string data = "\"" + self + "\" " + arguments;
  return ::RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                           arguments.c_str(), REG_SZ, data.c_str(),
                           static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS
             ? 0
             : 1;
}
