/* The Windows side of bench/window_bench.sh, built by it with MinGW-w64.
 *
 *   window_start_probe.exe machine <program folder> <items per location>
 *     lays out the machine: that many items in each of the eight startup
 *     locations (both Startup folders, both Run keys, Vantrel's two items
 *     folders and two stored-value keys, each store half delayed and half
 *     stopped) and the user's proggroup.c that records them.
 *
 *   window_start_probe.exe time <runs> <tray.exe> <Vantrel.exe> <nodes>
 *     starts tray.exe and Vantrel.exe by turns, after one warm-up start of
 *     each, and prints one line per start:
 *       tray <ms>
 *       vantrel <ms to painted> <ms to window shown> <ms to tree filled>
 *     tray.exe is timed until it ends. Vantrel.exe is timed until its main
 *     window is visible, its tree holds <nodes> nodes and neither the window
 *     nor any of its children has anything left to paint; then it is ended.
 *
 * Vantrel is watched from outside, as a user would see it: it has no
 * switch or message of its own for this. */
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <stdio.h>
#include <string.h>

static double Now(void) {
  static LARGE_INTEGER frequency;
  LARGE_INTEGER counter;
  if (frequency.QuadPart == 0)
    QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return (double)counter.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

static int Fail(const char* what) {
  fprintf(stderr, "window_start_probe: %s (error %lu)\n", what, GetLastError());
  return 1;
}

/* ---- machine ---- */

static void EmptyFolder(const char* folder) {
  char pattern[MAX_PATH], path[MAX_PATH];
  WIN32_FIND_DATAA found;
  snprintf(pattern, sizeof pattern, "%s\\*", folder);
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE)
    return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      snprintf(path, sizeof path, "%s\\%s", folder, found.cFileName);
      DeleteFileA(path);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

static int MakeFile(const char* folder, const char* name) {
  char path[MAX_PATH];
  snprintf(path, sizeof path, "%s\\%s", folder, name);
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  if (file == INVALID_HANDLE_VALUE)
    return 0;
  DWORD written;
  WriteFile(file, "lnk", 3, &written, NULL);
  CloseHandle(file);
  return 1;
}

/* A key of its own values only: emptied, then created again. */
static HKEY FreshKey(HKEY root, const char* path) {
  HKEY key = NULL;
  RegDeleteTreeA(root, path);
  if (RegCreateKeyExA(root, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS)
    return NULL;
  return key;
}

static void SetText(HKEY key, const char* name, const char* data) {
  RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)data, (DWORD)strlen(data) + 1);
}

static int LayOutMachine(const char* programFolder, int perLocation) {
  char userStartup[MAX_PATH], commonStartup[MAX_PATH];
  if (SHGetFolderPathA(NULL, CSIDL_STARTUP | CSIDL_FLAG_CREATE, NULL, 0, userStartup) != S_OK ||
      SHGetFolderPathA(NULL, CSIDL_COMMON_STARTUP | CSIDL_FLAG_CREATE, NULL, 0, commonStartup) !=
          S_OK)
    return Fail("no Startup folders");
  char userItems[MAX_PATH], commonItems[MAX_PATH], userFolder[MAX_PATH], user[256];
  DWORD userLength = sizeof user;
  if (!GetUserNameA(user, &userLength))
    return Fail("no user name");
  snprintf(userItems, sizeof userItems, "%s\\Vantrel Items\\Current User", programFolder);
  snprintf(commonItems, sizeof commonItems, "%s\\Vantrel Items\\All Users", programFolder);
  snprintf(userFolder, sizeof userFolder, "%s\\%s", programFolder, user);
  SHCreateDirectoryExA(NULL, userItems, NULL);
  SHCreateDirectoryExA(NULL, commonItems, NULL);
  SHCreateDirectoryExA(NULL, userFolder, NULL);
  EmptyFolder(userStartup);
  EmptyFolder(commonStartup);
  EmptyFolder(userItems);
  EmptyFolder(commonItems);

  const char* run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  HKEY userRun = FreshKey(HKEY_CURRENT_USER, run);
  HKEY machineRun = FreshKey(HKEY_LOCAL_MACHINE, run);
  HKEY userStore = FreshKey(HKEY_CURRENT_USER, "Software\\Korvane\\Vantrel\\HKCU");
  HKEY machineStore = FreshKey(HKEY_LOCAL_MACHINE, "Software\\Korvane\\Vantrel\\HKLM");
  if (!userRun || !machineRun || !userStore || !machineStore)
    return Fail("cannot write the registry");

  char path[MAX_PATH];
  snprintf(path, sizeof path, "%s\\proggroup.c", userFolder);
  FILE* groups = fopen(path, "wb");
  if (groups == NULL)
    return Fail("cannot write proggroup.c");
  char name[128], data[256];
  fputs("char StoppedPrograms[256][4]=\r\n{\r\n", groups);
  int first = 1;
  for (int i = 1; i < perLocation; i += 2) {
    fprintf(groups,
            "%s     \"_STPCU_Moved user %d.lnk\", \r\n     \"_STPAU_Moved common %d.lnk\", \r\n"
            "     \"_REGCU_C:\\Stored\\u%d.exe\", \r\n     \"_REGAU_C:\\Stored\\m%d.exe\"",
            first ? "" : ", \r\n", i, i, i, i);
    first = 0;
  }
  fputs("\r\n}\r\nconst MainStartupDelay = 30;\r\nconst StartupType = 1;\r\n"
        "const CloseType = 1;\r\nconst Language = en;\r\nconst ShowTipsAtStartup = 0;\r\n\r\n"
        "void Startup()\r\n{\r\n",
        groups);
  for (int i = 0; i < perLocation; ++i) {
    snprintf(name, sizeof name, "User item %d.lnk", i);
    MakeFile(userStartup, name);
    snprintf(name, sizeof name, "Common item %d.lnk", i);
    MakeFile(commonStartup, name);
    snprintf(name, sizeof name, "User%d", i);
    snprintf(data, sizeof data, "\"C:\\Programs\\User %d\\user.exe\" -tray", i);
    SetText(userRun, name, data);
    snprintf(name, sizeof name, "Machine%d", i);
    snprintf(data, sizeof data, "C:\\Programs\\machine%d.exe", i);
    SetText(machineRun, name, data);

    snprintf(name, sizeof name, "Moved user %d.lnk", i);
    MakeFile(userItems, name);
    snprintf(name, sizeof name, "Moved common %d.lnk", i);
    MakeFile(commonItems, name);
    snprintf(name, sizeof name, "StoredUser%d", i);
    snprintf(data, sizeof data, "C:\\Stored\\u%d.exe -q", i);
    SetText(userStore, name, data);
    snprintf(name, sizeof name, "StoredMachine%d", i);
    snprintf(data, sizeof data, "C:\\Stored\\m%d.exe", i);
    SetText(machineStore, name, data);
    if (i % 2 == 0)
      fprintf(groups,
              "     Execute (\"Moved user %d.lnk\", \"\", 0, \"\");\r\n"
              "     ExecuteAU (\"Moved common %d.lnk\", \"\", 0, \"\");\r\n"
              "     ExecuteReg (\"C:\\Stored\\u%d.exe\", \"-q\", 0, \"StoredUser%d\");\r\n"
              "     ExecuteRegAU (\"C:\\Stored\\m%d.exe\", \"\", 0, \"StoredMachine%d\");\r\n",
              i, i, i, i, i, i);
  }
  fputs("}\r\n\r\n", groups);
  fclose(groups);
  RegCloseKey(userRun);
  RegCloseKey(machineRun);
  RegCloseKey(userStore);
  RegCloseKey(machineStore);
  return 0;
}

/* ---- timing ---- */

static BOOL Start(const char* program, PROCESS_INFORMATION* process) {
  char commandLine[MAX_PATH + 2];
  char folder[MAX_PATH];
  snprintf(commandLine, sizeof commandLine, "\"%s\"", program);
  snprintf(folder, sizeof folder, "%s", program);
  char* slash = strrchr(folder, '\\');
  if (slash != NULL)
    *slash = '\0';
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  return CreateProcessA(program, commandLine, NULL, NULL, FALSE, 0, NULL,
                        slash != NULL ? folder : NULL, &startup, process);
}

static double TimeTray(const char* tray) {
  PROCESS_INFORMATION process;
  const double start = Now();
  if (!Start(tray, &process))
    return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  const double end = Now();
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return end - start;
}

static BOOL CALLBACK NothingToPaint(HWND child, LPARAM allClean) {
  if (IsWindowVisible(child) && GetUpdateRect(child, NULL, FALSE))
    *(BOOL*)allClean = FALSE;
  return TRUE;
}

struct WindowStart {
  double shown, filled, painted;
};

/* Polls every millisecond; a poll is a few calls to the Wine server. The
 * tree's count is asked by a sent message, which Vantrel answers only from
 * its message loop, that is, between its own steps. */
static int TimeVantrel(const char* vantrel, LRESULT nodes, struct WindowStart* result) {
  PROCESS_INFORMATION process;
  const double start = Now();
  if (!Start(vantrel, &process))
    return 0;
  result->shown = result->filled = result->painted = -1;
  const double deadline = start + 60000;
  int done = 0;
  while (!done && Now() < deadline) {
    if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0)
      break;
    HWND window = FindWindowA("VantrelStartupItems", "Vantrel Quorvel");
    if (window == NULL || !IsWindowVisible(window))
      continue;
    if (result->shown < 0)
      result->shown = Now() - start;
    HWND tree = FindWindowExA(window, NULL, "SysTreeView32", NULL);
    DWORD_PTR count = 0;
    if (tree == NULL ||
        !SendMessageTimeoutA(tree, TVM_GETCOUNT, 0, 0, SMTO_NORMAL, 5000, &count) ||
        (LRESULT)count < nodes || !IsWindowVisible(tree))
      continue;
    if (result->filled < 0)
      result->filled = Now() - start;
    BOOL allClean = !GetUpdateRect(window, NULL, FALSE);
    EnumChildWindows(window, NothingToPaint, (LPARAM)&allClean);
    if (allClean) {
      result->painted = Now() - start;
      done = 1;
    }
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return done;
}

static int TimeStarts(int runs, const char* tray, const char* vantrel, LRESULT nodes) {
  struct WindowStart start;
  /* Warm-up: file cache, DLLs, and Vantrel's first refresh, which brings
   * its own Run value in line once. */
  if (TimeTray(tray) < 0 || !TimeVantrel(vantrel, nodes, &start))
    return Fail("the warm-up start failed (is the tree short of nodes?)");
  for (int i = 0; i < runs; ++i) {
    const double trayMs = TimeTray(tray);
    Sleep(50);
    if (!TimeVantrel(vantrel, nodes, &start))
      return Fail("Vantrel's window was not filled and painted within 60 s");
    Sleep(50);
    printf("tray %.1f\n", trayMs);
    printf("vantrel %.1f %.1f %.1f\n", start.painted, start.shown, start.filled);
    fflush(stdout);
  }
  return 0;
}

int main(int argc, char** argv) {
  if (argc == 4 && strcmp(argv[1], "machine") == 0)
    return LayOutMachine(argv[2], atoi(argv[3]));
  if (argc == 6 && strcmp(argv[1], "time") == 0)
    return TimeStarts(atoi(argv[2]), argv[3], argv[4], (LRESULT)atol(argv[5]));
  fprintf(stderr, "usage: window_start_probe machine <program folder> <items per location>\n"
                  "       window_start_probe time <runs> <tray.exe> <Vantrel.exe> <nodes>\n");
  return 2;
}
