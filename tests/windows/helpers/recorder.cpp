// A stand-in for a program started at login: it appends one line to
// recorder.txt beside itself, holding the time it started (milliseconds
// since 1601, from the system clock) and its command-line arguments, then
// ends. Windowless (GUI subsystem), so that no console appears.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// The command line without the program's own name.
std::string Arguments() {
  const char* line = ::GetCommandLineA();
  if (*line == '"') {
    ++line;
    while (*line != '\0' && *line != '"')
      ++line;
    if (*line == '"')
      ++line;
  } else {
    while (*line != '\0' && *line != ' ' && *line != '\t')
      ++line;
  }
  while (*line == ' ' || *line == '\t')
    ++line;
  return line;
}

std::string LogPath() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\')) + "\\recorder.txt";
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  const unsigned long long ms =
      ((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10000;
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%llu ", ms);
  const std::string line = stamp + Arguments() + "\r\n";

  // Several recorders may start at once: append in one write, and wait
  // for a writer that holds the file.
  for (int attempt = 0; attempt < 200; ++attempt) {
    const HANDLE file = ::CreateFileA(LogPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
      ::CloseHandle(file);
      return 0;
    }
    ::Sleep(10);
  }
  return 1;
}
