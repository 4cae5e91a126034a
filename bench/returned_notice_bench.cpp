// How long the login run takes to notice an item that came back: a
// delayed Run value reappears in the current user's Run key while the run
// waits, and the time from the write to the end of the run's look at the
// startup locations (the item found and logged) is measured. The write
// comes from a second thread at a random moment of the wait, as another
// program's would. Prints the median and the slowest of the rounds.
//
//   wine build/windows/returned_notice_bench.exe [rounds]      (default 50)
//
// Runs in its own folder's log.txt and a value name of its own; leaves the
// registry as it found it.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "common/platform/win32/win32_platform.h"
#include "common/run_keys.h"
#include "vantrel/app/app_context.h"
#include "vantrel/login/returned_at_login.h"

namespace {

constexpr const char* kName = "VantrelNoticeBench";
constexpr const char* kCommand = "C:\\Bench\\bench.exe";

double NowMs() {
  LARGE_INTEGER count{}, frequency{};
  ::QueryPerformanceCounter(&count);
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void SetRunValue(const char* key, bool present) {
  HKEY handle = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
    return;
  if (present)
    ::RegSetValueExA(handle, kName, 0, REG_SZ, reinterpret_cast<const BYTE*>(kCommand),
                     static_cast<DWORD>(std::strlen(kCommand) + 1));
  else
    ::RegDeleteValueA(handle, kName);
  ::RegCloseKey(handle);
}

} // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  vantrel::win32::Win32Platform platform;
  vantrel::AppContext context(platform);
  // Delayed, and stored as the store holds it.
  vantrel::SetDefaultTables(context.Store);
  vantrel::ProgramEntry entry;
  entry.Command = "ExecuteReg";
  entry.Path = kCommand;
  entry.RegistryName = kName;
  context.Store.ProgramGroups[0].Programs.push_back(entry);
  context.Store.StartupGroupIndex = 0;
  SetRunValue(vantrel::kCurrentUserRunStore, true);
  SetRunValue(vantrel::kRunKeyPath, false);

  std::vector<double> latencies;
  {
    vantrel::ReturnedItemsWatch watch(context);
    for (int round = 0; round < rounds; ++round) {
      std::atomic<double> writtenAt{0};
      std::thread writer([&writtenAt, round] {
        ::Sleep(20 + static_cast<DWORD>((round * 37) % 80));
        writtenAt = NowMs();
        SetRunValue(vantrel::kRunKeyPath, true);
      });
      // One wait of the run as the engine makes it; it ends at the change
      // and has looked at the locations when it returns.
      double noticedAt = 0;
      for (int slice = 0; slice < 10 && noticedAt == 0; ++slice) {
        context.WaitForMessagesHook(2000);
        if (writtenAt.load() != 0)
          noticedAt = NowMs();
      }
      writer.join();
      latencies.push_back(noticedAt - writtenAt.load());
      // Gone again, and the watch told of it, before the next round.
      SetRunValue(vantrel::kRunKeyPath, false);
      context.WaitForMessagesHook(200);
    }
  }
  SetRunValue(vantrel::kRunKeyPath, false);
  HKEY store = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, vantrel::kCurrentUserRunStore, 0, KEY_ALL_ACCESS,
                      &store) == ERROR_SUCCESS) {
    ::RegDeleteValueA(store, kName);
    ::RegCloseKey(store);
  }

  std::sort(latencies.begin(), latencies.end());
  std::printf("returned item noticed after: median %.2f ms, slowest %.2f ms (%d rounds; goal "
              "under 100 ms)\n",
              latencies[latencies.size() / 2], latencies.back(), rounds);
  return 0;
}
