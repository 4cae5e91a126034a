// Reading the local time back from the platform's clock text, which names
// the registry backups' folders and files, in the forms Windows' locales
// give it.

#include <gtest/gtest.h>

#include "common/platform/sim/sim_platform.h"
#include "vantrel/login/local_time.h"
#include "vantrel/moves/registry_backup.h"

namespace vantrel::items {
namespace {

TEST(MovesLocalTime, ParsesTheUsualLocaleFormsAndNamesTheBackups) {
  const std::pair<const char*, std::optional<LocalTime>> cases[] = {
      {"06/12/2026 08:00:00", LocalTime{2026, 6, 12, 8, 0, 0}},
      {"6/12/2026 2:05:09 PM", LocalTime{2026, 6, 12, 14, 5, 9}},
      // Right-to-left marks around the separators reach Vantrel as "?".
      {"?06/?12/?2026 08:00:00", LocalTime{2026, 6, 12, 8, 0, 0}},
      {"6/12/2026 12:05:09 AM", LocalTime{2026, 6, 12, 0, 5, 9}},
      {"6/12/2026 12:05:09 PM", LocalTime{2026, 6, 12, 12, 5, 9}},
      {"12.06.2026 14:05:09", LocalTime{2026, 6, 12, 14, 5, 9}},
      {"2026-06-12 14:05:09", LocalTime{2026, 6, 12, 14, 5, 9}},
      {"", std::nullopt},
      {"06/12/2026", std::nullopt},
      {"13/13/2026 14:05:09", std::nullopt},
      {"06/12/2026 24:00:00", std::nullopt},
      {"06/12/20261 14:05:09", std::nullopt},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(ParseLocalDateTime(text), expected) << text;

  const LocalTime t{2026, 1, 2, 3, 4, 5};
  EXPECT_EQ(BackupDayFolderName(t), "2026-01-02");
  EXPECT_EQ(BackupFileStem(t), "03 04 05");
  sim::SimWorld world;
  world.clock().SetStartTimeOfDay(23, 59, 59);
  sim::SimPlatform platform(world);
  EXPECT_EQ(CurrentLocalTime(platform, {}), (LocalTime{2026, 6, 12, 23, 59, 59}));
}

} // namespace
} // namespace vantrel::items
