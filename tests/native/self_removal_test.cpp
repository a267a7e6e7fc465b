// Deleting the program file at the next start of Windows: where Wininit.ini
// is the fallback (its edit is fuzzed against a model of the rule).
#include "dialog/self_removal.h"

#include <gtest/gtest.h>

#include <tuple>

#include "app/platform_probe.h"
#include "app/startup.h"
#include "tests/fakes/fake_dialog.h"

// Wininit.ini is the fallback only where the system refused the delayed
// deletion and Windows reads that file at its start: the 95, 98 and Me
// family, or a version that was not recognised.
TEST(ScheduleSelfRemoval, WininitOnlyWhereTheSystemRefusesOffTheNtFamily) {
  const std::string restart = "restart C:\\Apps\\sw.exe", wininit = "wininit C:\\Apps\\sw.exe";
  // The class, whether the system takes the delayed deletion; the result and the steps.
  const std::tuple<uint32_t, bool, int, std::vector<std::string>> cases[] = {
      {PC_NT51, true, 1, {restart}},
      {PC_NT3, false, 0, {restart}},
      {PC_WIN98, false, 1, {restart, wininit}},
      {PC_UNKNOWN, false, 1, {restart, wininit}},
  };
  for (const auto& [platform, restartAgrees, result, steps] : cases) {
    ResetFakes();
    strcpy(SettingsState.ProgramPath, "C:\\Apps\\sw.exe");
    PlatformClass = platform;
    View.restartAgrees = restartAgrees;
    EXPECT_EQ(result, ScheduleSelfRemoval()) << platform;
    EXPECT_EQ(steps, View.removals) << platform;
  }
  PlatformClass = PC_UNKNOWN;
}
