// Deleting the program file at the next start of Windows: where Wininit.ini
// is the fallback (its edit is fuzzed against a model of the rule).
#include "dialog/self_removal.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/fakes/fake_dialog.h"

// Wininit.ini is the fallback only where the system refused the delayed
// deletion and Windows reads that file at its start: the 95, 98 and Me
// family, whatever its version, not the NT family, whatever its version.
TEST(ScheduleSelfRemoval, WininitOnlyWhereTheSystemRefusesOffTheNtFamily) {
  const std::string restart = "restart C:\\Apps\\sw.exe", wininit = "wininit C:\\Apps\\sw.exe";
  // The family, whether the system takes the delayed deletion; the result and the steps.
  const std::tuple<bool, bool, int, std::vector<std::string>> cases[] = {
      {true, true, 1, {restart}},
      {true, false, 0, {restart}},
      {false, false, 1, {restart, wininit}},
  };
  for (const auto& [nt, restartAgrees, result, steps] : cases) {
    ResetFakes();
    strcpy(SettingsState.ProgramPath, "C:\\Apps\\sw.exe");
    View.ntFamily = nt;
    View.restartAgrees = restartAgrees;
    EXPECT_EQ(result, ScheduleSelfRemoval()) << nt;
    EXPECT_EQ(steps, View.removals) << nt;
  }
}
