// The unattended change as Windows starts it at logon: the real program,
// started with "A" against a prepared registry.
#include <windows.h>
#include <gtest/gtest.h>
#include "settings/settings_state.h"
#include "tests/e2e/dialog_driver.h"

using namespace testreg;

namespace {

DWORD Today() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return PackDate(t.wYear, t.wMonth, t.wDay);
}

class LogonChange : public ::testing::Test {
 protected:
  // A Daily rotation of three entries, as a Save leaves it.
  void SetUp() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
    SetText(DESKTOP_KEY, "Wallpaper", "C:\\before.bmp");
    StoreRotation("D", 1, PackDate(2003, 12, 17),
                  {"C:\\walls\\zero.bmp", "C:\\walls\\one.bmp", "C:\\walls\\two.bmp"});
  }
  void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY); }
  // The Run value as a Save leaves it: the unquoted path and " A".
  std::string run = e2e::ProgramFile() + " A";
};

TEST_F(LogonChange, ADueDailyStartRotatesAndShowsNoWindow) {
  e2e::Started s = e2e::Start(run);
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
  EXPECT_EQ(e2e::WaitWatching(s, 20000), 0);
  EXPECT_EQ(Number(PROGRAM_KEY, "SelectedBmp"), 2u);
}

TEST_F(LogonChange, ASecondInstanceIsRefusedAndWritesNothing) {
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
  EXPECT_EQ(e2e::WaitWatching(s, 20000), 0);
  CloseHandle(held);
  EXPECT_EQ(Number(PROGRAM_KEY, "SelectedBmp"), 1u);
  EXPECT_EQ(Number(PROGRAM_KEY, "LastChange"), PackDate(2003, 12, 17));
  EXPECT_EQ(Text(DESKTOP_KEY, "Wallpaper"), "C:\\before.bmp");
}

}  // namespace
