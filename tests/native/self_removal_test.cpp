// Deleting the program file at the next start of Windows: where Wininit.ini
// is the fallback (its edit is fuzzed against a model of the rule).
#include "dialog/self_removal.h"

#include <gtest/gtest.h>

#include "app/platform_probe.h"
#include "app/startup.h"
#include "tests/fakes/fake_dialog.h"

// Wininit.ini is the fallback only where the system refused the delayed
// deletion and Windows reads that file at its start: the 95, 98 and Me
// family, or a version that was not recognised.
TEST(ScheduleSelfRemoval, WininitOnlyWhereTheSystemRefusesOffTheNtFamily) {
  struct Case {
    uint32_t platform;
    bool restartAgrees;
    int result;
    std::vector<std::string> steps;
  };
  const std::string restart = "restart C:\\Apps\\sw.exe", wininit = "wininit C:\\Apps\\sw.exe";
  const Case cases[] = {
      {PC_NT51, true, 1, {restart}},
      {PC_NT4, false, 0, {restart}},
      {PC_WIN98, false, 1, {restart, wininit}},
      {PC_UNKNOWN, false, 1, {restart, wininit}},
  };
  for (const Case& c : cases) {
    ResetFakes();
    strcpy(SettingsState.ProgramPath, "C:\\Apps\\sw.exe");
    PlatformClass = c.platform;
    View.restartAgrees = c.restartAgrees;
    EXPECT_EQ(c.result, ScheduleSelfRemoval()) << c.platform;
    EXPECT_EQ(c.steps, View.removals) << c.platform;
  }
  PlatformClass = PC_UNKNOWN;
}
