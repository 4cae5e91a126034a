// A stand-in for a program that puts itself back into Windows' startup
// whenever it runs, as chat clients and cloud drives do: started with a
// value name, it appends one line to recorder.txt beside itself (the time
// it started, in milliseconds since 1601, and its arguments) and then
// writes its own value of that name into the current user's Run key,
// holding its quoted path and the name. Windowless (GUI subsystem).
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

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

std::string OwnPath() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

void Record(const std::string& arguments) {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  const unsigned long long ms =
      ((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10000;
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%llu ", ms);
  const std::string line = stamp + arguments + "\r\n";
  const std::string own = OwnPath();
  const std::string log = own.substr(0, own.find_last_of('\\')) + "\\recorder.txt";
  for (int attempt = 0; attempt < 200; ++attempt) {
    const HANDLE file = ::CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
      ::CloseHandle(file);
      return;
    }
    ::Sleep(10);
  }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string name = Arguments();
  Record(name);
  if (name.empty())
    return 1;
  const std::string data = "\"" + OwnPath() + "\" " + name;
  HKEY key = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
                        nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return 1;
  ::RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
  ::RegCloseKey(key);
  return 0;
}
