// The unattended change as Windows starts it at logon: the real program,
// started with "A" against a prepared registry.
#include <windows.h>
#include <gtest/gtest.h>
#include "settings/settings_state.h"
#include "tests/e2e/e2e_process.h"
#include "tests/win32/test_registry_win32.h"

using namespace testreg;

namespace {

DWORD Today() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return PackDate(t.wYear, t.wMonth, t.wDay);
}

class LogonChange : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
    SetText(DESKTOP_KEY, "Wallpaper", "C:\\before.bmp");
    // The Run value as a Save leaves it: the unquoted path and " A".
    run = e2e::ProgramFile() + " A";
  }
  void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY); }

  void StoreDaily(DWORD selected, DWORD last) {
    SetText(PROGRAM_KEY, "ChangeMode", "D");
    SetNumber(PROGRAM_KEY, "SelectedBmp", selected);
    SetNumber(PROGRAM_KEY, "BmpCount", 3);
    SetNumber(PROGRAM_KEY, "LastChange", last);
    SetText(PROGRAM_KEY, "Bitmap00", "C:\\walls\\zero.bmp");
    SetText(PROGRAM_KEY, "Bitmap01", "C:\\walls\\one.bmp");
    SetText(PROGRAM_KEY, "Bitmap02", "C:\\walls\\two.bmp");
  }
  std::string run;
};

TEST_F(LogonChange, ADueDailyStartRotatesAndShowsNoWindow) {
  StoreDaily(1, PackDate(2003, 12, 17));
  e2e::Started s = e2e::Start(run);
  ASSERT_TRUE(s.ok);
  int windows = -1;
  EXPECT_EQ(e2e::WaitWatching(s, 20000, &windows), 0);
  EXPECT_EQ(windows, 0);
  EXPECT_EQ(Number(PROGRAM_KEY, "SelectedBmp"), 2u);
  EXPECT_EQ(Number(PROGRAM_KEY, "LastChange"), Today());
  EXPECT_EQ(Text(DESKTOP_KEY, "Wallpaper"), "C:\\walls\\two.bmp");
  char shown[MAX_PATH] = "";
  SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof shown, shown, 0);
  EXPECT_STREQ(shown, "C:\\walls\\two.bmp");

  // A second start the same day applies the same entry again.
  s = e2e::Start(run);
  EXPECT_EQ(e2e::WaitWatching(s, 20000, nullptr), 0);
  EXPECT_EQ(Number(PROGRAM_KEY, "SelectedBmp"), 2u);
}

TEST_F(LogonChange, QuotedNameAndLeadingTabStillSelectTheChange) {
  StoreDaily(2, 0);
  e2e::Started s = e2e::Start("\"" + e2e::ProgramFile() + "\"\tA");
  // The quoted form with a tab: the tail is "\tA", which selects the change.
  EXPECT_EQ(e2e::WaitWatching(s, 20000, nullptr), 0);
  EXPECT_EQ(Number(PROGRAM_KEY, "SelectedBmp"), 0u);
}

TEST_F(LogonChange, ManualModeChangesNothing) {
  StoreDaily(1, 0);
  SetText(PROGRAM_KEY, "ChangeMode", "M");
  e2e::Started s = e2e::Start(run);
  EXPECT_EQ(e2e::WaitWatching(s, 20000, nullptr), 0);
  EXPECT_EQ(Number(PROGRAM_KEY, "SelectedBmp"), 1u);
  EXPECT_EQ(Number(PROGRAM_KEY, "LastChange"), 0u);
  EXPECT_EQ(Text(DESKTOP_KEY, "Wallpaper"), "C:\\before.bmp");
}

TEST_F(LogonChange, ASecondInstanceIsRefusedAndWritesNothing) {
  StoreDaily(1, 0);
  // This test holds the single-instance mutex, as a running first instance would.
  HANDLE held = CreateMutexA(nullptr, FALSE, "Orvandale Scenewheel");
  ASSERT_NE(held, nullptr);
  e2e::Started s = e2e::Start(run);
  ASSERT_TRUE(s.ok);
  HWND box = e2e::WaitForWindow(s, 20000);
  ASSERT_NE(box, nullptr);
  EXPECT_NE(e2e::TextsOf(box).find("Only one instance of this program can run at a time"),
            std::string::npos)
      << e2e::TextsOf(box);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(e2e::WaitWatching(s, 20000, nullptr), 0);
  CloseHandle(held);
  EXPECT_EQ(Number(PROGRAM_KEY, "SelectedBmp"), 1u);
  EXPECT_EQ(Number(PROGRAM_KEY, "LastChange"), 0u);
  EXPECT_EQ(Text(DESKTOP_KEY, "Wallpaper"), "C:\\before.bmp");
}

}  // namespace
