// The real program under Wine and Xvfb, as a user takes it. What Save and
// Clear write is checked by the native tests; here, that the journeys work.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/dialog_driver.h"
#include "tests/win32/test_bitmap_win32.h"

using namespace testreg;
const char *P = PROGRAM_KEY, *DK = DESKTOP_KEY, *Original = "C:\\windows\\original.bmp";

// The dialog through its real controls, a logon start while it is open, the
// logon run from the Run value that Save wrote (passing over an entry that
// became a folder), then Cancel and Clear.
TEST(Journeys, AddSelectSaveLogonCancelClear) {
  char temp[MAX_PATH];
  std::string dir(temp, GetTempPathA(MAX_PATH, temp)), dawn = dir + "sw_dawn.bmp",
                                                       noon = dir + "sw_noon.bmp";
  std::string dusk = dir + "sw_dusk.bmp";
  for (const std::string* file : {&dawn, &noon, &dusk})
    ASSERT_TRUE((RemoveDirectoryA(file->c_str()), WriteTestBitmap(file->c_str(), 64, 48)));
  RegDeleteKeyA(HKEY_CURRENT_USER, P);
  SetText(DK, "Wallpaper", Original);
  e2e::App app, logon, run;
  ASSERT_TRUE(app.Open());
  app.Click(IDC_MODE_DAILY);
  for (const std::string& file : {dawn, noon, dusk})
    EXPECT_TRUE(app.Answer(IDC_ADD, "Open a bitmap file", IDOK, file));
  EXPECT_EQ(app.List(), dawn + "|" + noon + "|" + dusk + "|");
  ValueMap before = Values(P);
  ASSERT_TRUE(logon.Run(e2e::Beside("scenewheel.exe") + " A"));
  HWND box = logon.Window();
  EXPECT_TRUE(
      FindWindowExA(box, nullptr, "Static", "Only one instance of this program can run at a time"));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(logon.Wait(), 0);
  EXPECT_EQ(Values(P), before);
  app.ClickEntry(1), app.Click(IDC_SELECT);
  EXPECT_EQ(app.Text(IDC_CURRENT), noon);
  app.Click(IDOK);
  EXPECT_EQ(app.Wait(), 1);
  EXPECT_TRUE(e2e::ShowsWallpaper(noon));
  DeleteFileA(dusk.c_str()),
      CreateDirectoryA(dusk.c_str(), nullptr);  // the next entry is a folder now

  SetNumber(P, "LastChange", 0x07D30C11);  // 2003-12-17: a change is due
  ASSERT_TRUE(run.Run(Text(RUN_KEY, RUN_VALUE_NAME)));
  int windows = 0;
  EXPECT_TRUE(run.Wait(&windows) == 0 && windows == 0);  // ends with 0 and shows nothing
  EXPECT_TRUE(e2e::ShowsWallpaper(dawn));                // past the folder, back to the first

  ASSERT_TRUE(app.Open());
  EXPECT_EQ(app.List() + app.Text(IDC_CURRENT), dawn + "|" + noon + "|" + dusk + "|" + dawn);
  before = Values(P);
  app.ClickEntry(0), app.Click(IDC_REMOVE), app.Click(IDC_MODE_NONE), app.Click(IDCANCEL);
  EXPECT_EQ(app.Wait(), 0);
  EXPECT_EQ(Values(P), before);

  ASSERT_TRUE(app.Open());
  ASSERT_TRUE(app.Answer(IDC_CLEAR, "Question", IDNO));
  EXPECT_EQ(app.Wait(), 0);
  EXPECT_TRUE(Values(P).empty() && Text(RUN_KEY, RUN_VALUE_NAME) == "<missing>");
  EXPECT_EQ(Text(DK, "Wallpaper"),
            Original);  // shown again where Windows reads the desktop values (Wine does not)
  DeleteFileA(dawn.c_str()), DeleteFileA(noon.c_str()), RemoveDirectoryA(dusk.c_str());
}
