// The unattended change against the real registry and wallpaper action of a
// throwaway Wine prefix.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include "settings/automatic_change.h"
#include "settings/registry.h"
#include "settings/settings_state.h"
#include "tests/win32/test_registry_win32.h"

namespace {

uint32_t FixedToday;
uint32_t FixedTodayFn() { return FixedToday; }

using namespace testreg;

class AutomaticChangeWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
    saved = Desktop;
    Desktop.Today = FixedTodayFn;
    SettingsState = InitialSettingsState();
  }
  void TearDown() override {
    Desktop = saved;
    RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
  }
  DesktopApi saved;
};

TEST_F(AutomaticChangeWin32, DueWeeklyRunRotatesStoresAndApplies) {
  StoreRotation("W", 1, PackDate(2003, 3, 10),
                {"C:\\walls\\a.bmp", "C:\\walls\\b.bmp", "C:\\walls\\c.bmp"});

  FixedToday = PackDate(2003, 3, 14);  // four days: not due
  EXPECT_EQ(RunAutomaticChange(), 1);
  EXPECT_EQ(Number(PROGRAM_KEY, "SelectedBmp"), 1u);
  EXPECT_EQ(Number(PROGRAM_KEY, "LastChange"), PackDate(2003, 3, 10));

  FixedToday = PackDate(2003, 3, 20);  // ten days: due
  EXPECT_EQ(RunAutomaticChange(), 1);
  EXPECT_EQ(Number(PROGRAM_KEY, "SelectedBmp"), 2u);
  EXPECT_EQ(Number(PROGRAM_KEY, "LastChange"), PackDate(2003, 3, 20));

  DWORD type = 0;
  std::string raw;
  ASSERT_TRUE(Query(DESKTOP_KEY, "Wallpaper", &type, &raw));
  EXPECT_EQ(type, (DWORD)REG_SZ);
  EXPECT_EQ(raw, std::string("C:\\walls\\c.bmp", 15));  // with its terminator
  char shown[MAX_PATH] = "";
  SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof shown, shown, 0);
  EXPECT_STREQ(shown, "C:\\walls\\c.bmp");
}

}  // namespace
