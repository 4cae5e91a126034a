// VantrelSync.exe end to end: a real program folder, real registry stores
// and item folders, the real Start Menu, and the program started as its own
// process. Its final message box is read and answered like a user would.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_handles.h"
#include "native/sync_test_support.h"
#include "windows/support/scratch.h"

namespace vantrel::testing {
namespace {

using sync_test::CrLf;
using sync_test::SyncFileHead;
using sync_test::Visible;

constexpr const char* kCurrentUserStore = "Software\\Korvane\\Vantrel\\HKCU";
constexpr const char* kAllUsersStore = "Software\\Korvane\\Vantrel\\HKLM";
constexpr DWORD kProcessTimeoutMs = 60000;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool Exists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Names in a folder, sorted, "." and ".." left out.
std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  win32::UniqueFind search(::FindFirstFileA((folder + "\\*").c_str(), &found));
  if (!search.valid())
    return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..")
      names.push_back(name);
  } while (::FindNextFileA(search.get(), &found));
  std::sort(names.begin(), names.end());
  return names;
}

// One of Vantrel's real registry stores, emptied for a test and given back
// afterwards as it was: the same values, and no keys that were not there.
class StoreGuard {
public:
  StoreGuard(HKEY root, std::string path) : root_(root), path_(std::move(path)) {
    for (std::size_t at = path_.find('\\', path_.find('\\') + 1);; at = path_.find('\\', at + 1)) {
      const std::string level = path_.substr(0, at);
      HKEY key = nullptr;
      if (::RegOpenKeyExA(root_, level.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS)
        ::RegCloseKey(key);
      else
        created_.insert(created_.begin(), level); // deepest first
      if (at == std::string::npos)
        break;
    }
    HKEY key = nullptr;
    writable_ = ::RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr) == ERROR_SUCCESS;
    if (!writable_)
      return;
    win32::UniqueHkey owner(key);
    saved_ = ReadValues(key);
    Clear(key);
  }
  ~StoreGuard() {
    if (!writable_)
      return;
    {
      HKEY key = nullptr;
      if (::RegOpenKeyExA(root_, path_.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        win32::UniqueHkey owner(key);
        Clear(key);
        for (const Value& value : saved_)
          ::RegSetValueExA(key, value.name.c_str(), 0, value.type,
                           reinterpret_cast<const BYTE*>(value.data.data()),
                           static_cast<DWORD>(value.data.size()));
      }
    }
    for (const std::string& level : created_)
      ::RegDeleteKeyA(root_, level.c_str()); // refused while it holds others' keys
  }
  StoreGuard(const StoreGuard&) = delete;
  StoreGuard& operator=(const StoreGuard&) = delete;

  // HKEY_LOCAL_MACHINE takes writes only from an administrator (under
  // Wine, the prefix's user is one).
  bool writable() const { return writable_; }

  void SetText(const std::string& name, const std::string& text) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(root_, path_.c_str(), 0, KEY_ALL_ACCESS, &key));
    win32::UniqueHkey owner(key);
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                                              reinterpret_cast<const BYTE*>(text.c_str()),
                                              static_cast<DWORD>(text.size() + 1)));
  }

private:
  struct Value {
    std::string name;
    DWORD type = REG_NONE;
    std::string data;
  };

  static std::vector<Value> ReadValues(HKEY key) {
    std::vector<Value> values;
    for (DWORD index = 0;; ++index) {
      char name[16384] = {};
      DWORD nameChars = sizeof name;
      DWORD type = 0;
      DWORD size = 0;
      if (::RegEnumValueA(key, index, name, &nameChars, nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS)
        break;
      Value value{std::string(name, nameChars), type, std::string(size, '\0')};
      DWORD readSize = size;
      ::RegQueryValueExA(key, value.name.c_str(), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(value.data.data()), &readSize);
      values.push_back(std::move(value));
    }
    return values;
  }

  static void Clear(HKEY key) {
    for (const Value& value : ReadValues(key))
      ::RegDeleteValueA(key, value.name.c_str());
  }

  HKEY root_;
  std::string path_;
  std::vector<std::string> created_;
  std::vector<Value> saved_;
  bool writable_ = false;
};

// What one run of VantrelSync.exe showed and how it ended.
struct SyncRun {
  bool started = false;
  bool boxShown = false;
  std::string boxCaption;
  std::vector<std::string> boxTexts; // of the box's controls
  bool endedByItself = false;
  DWORD exitCode = 0;
};

struct WindowSearch {
  DWORD processId = 0;
  HWND found = nullptr;
};

BOOL CALLBACK FindDialogOfProcess(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  char className[64] = {};
  ::GetClassNameA(window, className, sizeof className);
  if (owner == search->processId && std::string(className) == "#32770") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectText(HWND control, LPARAM param) {
  char text[512] = {};
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, &copied);
  if (text[0] != '\0')
    reinterpret_cast<std::vector<std::string>*>(param)->push_back(text);
  return TRUE;
}

// Starts the exe in its folder, waits for its message box, reads it and
// presses OK. A run that shows no box in time is ended.
SyncRun RunVantrelSync(const std::string& exe, const std::string& arguments) {
  SyncRun run;
  std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
  const std::string folder = exe.substr(0, exe.find_last_of('\\'));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
    return run;
  run.started = true;
  win32::UniqueKernelHandle processHandle(process.hProcess);
  win32::UniqueKernelHandle threadHandle(process.hThread);

  for (DWORD waited = 0; waited < kProcessTimeoutMs && !run.boxShown; waited += 100) {
    if (::WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0)
      break;
    WindowSearch search{process.dwProcessId, nullptr};
    ::EnumWindows(FindDialogOfProcess, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr)
      continue;
    ::Sleep(200); // let the box finish setting itself up
    char caption[256] = {};
    ::GetWindowTextA(search.found, caption, sizeof caption);
    run.boxShown = true;
    run.boxCaption = caption;
    ::EnumChildWindows(search.found, CollectText, reinterpret_cast<LPARAM>(&run.boxTexts));
    ::PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
  run.endedByItself = ::WaitForSingleObject(process.hProcess, kProcessTimeoutMs) == WAIT_OBJECT_0;
  if (!run.endedByItself) {
    ::TerminateProcess(process.hProcess, 99);
    ::WaitForSingleObject(process.hProcess, kProcessTimeoutMs);
  }
  ::GetExitCodeProcess(process.hProcess, &run.exitCode);
  return run;
}

bool Shows(const SyncRun& run, const std::string& text) {
  return std::find(run.boxTexts.begin(), run.boxTexts.end(), text) != run.boxTexts.end();
}

// A fresh program folder holding a copy of the VantrelSync.exe that was
// built with this test binary, and both registry stores held empty.
class SyncEndToEnd : public ::testing::Test {
protected:
  void SetUp() override {
    const std::string built = ThisExeFolder() + "\\VantrelSync.exe";
    ASSERT_TRUE(Exists(built)) << built << " is built with the test binary";
    folder_ = NewScratchFolder();
    exe_ = folder_ + "\\VantrelSync.exe";
    ASSERT_TRUE(::CopyFileA(built.c_str(), exe_.c_str(), FALSE));
    user_ = UserName();
    ASSERT_FALSE(user_.empty());
  }
  void TearDown() override { RemoveTree(folder_); }

  std::string ProgGroup() const { return folder_ + "\\" + user_ + "\\proggroup.c"; }
  std::string Items(const char* who) const { return folder_ + "\\Vantrel Items\\" + who; }
  std::string Log() const { return ReadAll(folder_ + "\\log.txt"); }

  StoreGuard currentUserStore_{HKEY_CURRENT_USER, kCurrentUserStore};
  StoreGuard allUsersStore_{HKEY_LOCAL_MACHINE, kAllUsersStore};
  std::string folder_;
  std::string exe_;
  std::string user_;
};

const std::string kGoodLog =
    CrLf({"Warning: Starting Synchronization....", "Info: Finishing Synchronization...."});

TEST_F(SyncEndToEnd, SyncRebuildsTheFileFromTheRealStores) {
  ASSERT_TRUE(::CreateDirectoryA((folder_ + "\\Vantrel Items").c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryA(Items("Current User").c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryA(Items("All Users").c_str(), nullptr));
  WriteAll(Items("Current User") + "\\Notes.lnk", "shortcut");
  WriteAll(Items("All Users") + "\\Backup.lnk", "shortcut");
  currentUserStore_.SetText("Agent", "\"C:\\Program Files\\Agent\\agent.exe\" -q");
  currentUserStore_.SetText("Empty", "");
  currentUserStore_.SetText("", "C:\\Tools\\nameless.exe");
  std::string allUsersLine;
  if (allUsersStore_.writable()) {
    allUsersStore_.SetText("Updater", "C:\\Tools\\update.bat /silent");
    allUsersLine = "     ExecuteRegAU (\"C:\\Tools\\update.bat /silent\", \"\", 0, \"Updater\");";
  }
  ASSERT_TRUE(::CreateDirectoryA((folder_ + "\\" + user_).c_str(), nullptr));
  WriteAll(ProgGroup(), "// the user's own file\r\n");

  const SyncRun run = RunVantrelSync(exe_, "SYNC");
  ASSERT_TRUE(run.started);
  EXPECT_TRUE(run.boxShown);
  EXPECT_EQ("VantrelSync", run.boxCaption);
  EXPECT_TRUE(Shows(run, "Synchronization complete!")) << ::testing::PrintToString(run.boxTexts);
  EXPECT_TRUE(run.endedByItself);
  EXPECT_EQ(0u, run.exitCode);

  std::vector<std::string_view> lines = {
      "     Execute (\"Notes.lnk\", \"\", 0, \"\");",
      "     ExecuteAU (\"Backup.lnk\", \"\", 0, \"\");",
      "     ExecuteReg (\"<&22>C:\\Program Files\\Agent\\agent.exe<&22>\", \"-q\", 0, \"Agent\");",
  };
  std::string expected = SyncFileHead() + CrLf({"void Startup()", "{"});
  for (std::string_view line : lines)
    expected += CrLf({line});
  if (!allUsersLine.empty())
    expected += CrLf({allUsersLine});
  expected += CrLf({"}", ""});
  EXPECT_EQ(Visible(expected), Visible(ReadAll(ProgGroup())));
  EXPECT_EQ(expected, ReadAll(ProgGroup()));
  EXPECT_EQ("// the user's own file\r\n", ReadAll(ProgGroup() + ".bak"));
  EXPECT_EQ((std::vector<std::string>{"proggroup.c", "proggroup.c.bak"}),
            Names(folder_ + "\\" + user_));
  EXPECT_EQ(kGoodLog, Log());
}

} // namespace
} // namespace vantrel::testing
