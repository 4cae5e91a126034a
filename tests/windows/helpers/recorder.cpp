// A stand-in for a program started at login: it appends one line to
// recorder.txt beside itself, holding the time it started (milliseconds
// since 1601, from the system clock) and its command-line arguments, then
// ends. Windowless (GUI subsystem), so that no console appears.
//
// Copied as comeback.exe it stands for a program that puts itself back
// into Windows' startup whenever it runs, as chat clients and cloud drives
// do: its arguments are a value name, and it then writes its own value of
// that name into the current user's Run key (its quoted path and the name).
#include <windows.h>

#include <cstdio>
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

  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%llu ",
                ((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime) /
                    10000);
  const std::string record = stamp + arguments + "\r\n";
  // Several recorders may start at once: append in one write, and wait
  // for a writer that holds the file.
  bool written = false;
  for (int attempt = 0; attempt < 200 && !written; ++attempt, ::Sleep(10)) {
    const HANDLE file =
        ::CreateFileA((folder + "\\recorder.txt").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD size = 0;
      written = ::WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &size, nullptr);
      ::CloseHandle(file);
    }
  }
  if (self.substr(folder.size() + 1) != "comeback.exe" || arguments.empty())
    return written ? 0 : 1;
  const std::string data = "\"" + self + "\" " + arguments;
  HKEY key = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
                        nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return 1;
  ::RegSetValueExA(key, arguments.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
  ::RegCloseKey(key);
  return 0;
}
