// The real program under Wine and Xvfb, driven through its real controls.
// The tests run in order: each starts from what the previous one saved.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "res/resource.h"
#include "settings/settings_state.h"
#include "tests/e2e/dialog_driver.h"
#include "tests/win32/test_bitmap_win32.h"

namespace {

using namespace testreg;
const char* kOriginal = "C:\\windows\\original.bmp";

std::string Folder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + "sw_e2e\\";
}

std::vector<std::string> Bitmaps() {
  return {Folder() + "dawn.bmp", Folder() + "noon.bmp", Folder() + "dusk.bmp"};
}

class DialogE2E : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
    DeleteValue(RUN_KEY, RUN_VALUE_NAME);
    SetText(DESKTOP_KEY, "Wallpaper", kOriginal);
    SetText(DESKTOP_KEY, "TileWallpaper", "0");
    CreateDirectoryA(Folder().c_str(), nullptr);
    for (const std::string& b : Bitmaps()) WriteTestBitmap(b.c_str(), 64, 48);
  }
  e2e::Program app;
};

TEST_F(DialogE2E, FirstStartAddSelectDailySave) {
  ASSERT_TRUE(app.Start());
  EXPECT_TRUE(app.Checked(IDC_MODE_DEFAULT));
  for (int id : {IDC_ADD, IDC_LIST, IDC_CURRENT, IDC_REMOVE, IDC_SELECT})
    EXPECT_FALSE(app.Enabled(id)) << id;
  EXPECT_TRUE(app.Enabled(IDOK));

  app.Click(IDC_MODE_DAILY);
  EXPECT_TRUE(app.Checked(IDC_MODE_DAILY));
  for (int id : {IDC_ADD, IDC_LIST, IDC_CURRENT}) EXPECT_TRUE(app.Enabled(id)) << id;
  EXPECT_FALSE(app.Enabled(IDC_REMOVE));

  std::vector<std::string> b = Bitmaps();
  for (size_t i = 0; i < b.size(); ++i) {
    ASSERT_TRUE(app.AddFile(b[i])) << b[i];
    EXPECT_EQ(app.Count(IDC_LIST), (int)i + 1);
    EXPECT_EQ(app.Entry(IDC_LIST, (int)i), b[i]);
  }
  ASSERT_TRUE(app.AddFile(b[1]));  // already listed: refused
  EXPECT_EQ(app.Count(IDC_LIST), 3);

  app.ClickEntry(IDC_LIST, 1);
  EXPECT_TRUE(app.Enabled(IDC_REMOVE));
  EXPECT_TRUE(app.Enabled(IDC_SELECT));
  app.Click(IDC_SELECT);
  EXPECT_EQ(app.Text(IDC_CURRENT), b[1]);

  app.Click(IDOK);
  EXPECT_EQ(app.Wait(), 1);

  bool exists = false;
  ValueMap v = Values(PROGRAM_KEY, &exists);
  ASSERT_TRUE(exists);
  std::vector<std::string> names;
  for (auto& kv : v) names.push_back(kv.first);
  EXPECT_EQ(names, (std::vector<std::string>{"Bitmap00", "Bitmap01", "Bitmap02", "BmpCount",
                                             "ChangeMode", "LastChange", "Path", "SelectedBmp",
                                             "WinTileWallpaper", "WindowsWallpaper"}));
  EXPECT_EQ(v["ChangeMode"], std::string("D\0", 2));
  EXPECT_EQ(TextOf(v["Path"]), Folder());
  EXPECT_EQ(TextOf(v["WindowsWallpaper"]), kOriginal);
  EXPECT_EQ(TextOf(v["WinTileWallpaper"]), "0");
  EXPECT_EQ(NumberOf(v["BmpCount"]), 3u);
  EXPECT_EQ(NumberOf(v["SelectedBmp"]), 1u);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(TextOf(v["Bitmap0" + std::to_string(i)]), b[i]);
  SYSTEMTIME t;
  GetLocalTime(&t);
  EXPECT_EQ(NumberOf(v["LastChange"]), PackDate(t.wYear, t.wMonth, t.wDay));

  std::string program = e2e::ProgramFile();
  std::string command = program.find(' ') == std::string::npos
                            ? program + " A"
                            : "\"" + program + "\" A";
  EXPECT_EQ(TextOf(Values(RUN_KEY)[RUN_VALUE_NAME]), command);
  EXPECT_EQ(TextOf(Values(DESKTOP_KEY)["Wallpaper"]), b[1]);
}

TEST_F(DialogE2E, ReopenShowsTheSavedStateAndCancelWritesNothing) {
  ValueMap before = Values(PROGRAM_KEY);
  ValueMap desktopBefore = Values(DESKTOP_KEY);
  ASSERT_TRUE(app.Start());
  std::vector<std::string> b = Bitmaps();
  EXPECT_TRUE(app.Checked(IDC_MODE_DAILY));
  EXPECT_TRUE(app.Enabled(IDC_LIST));
  ASSERT_EQ(app.Count(IDC_LIST), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(app.Entry(IDC_LIST, i), b[i]);
  EXPECT_EQ(app.Text(IDC_CURRENT), b[1]);
  EXPECT_FALSE(app.Enabled(IDC_REMOVE));

  // Changes that Cancel throws away: remove the first entry, choose None.
  app.ClickEntry(IDC_LIST, 0);
  app.Click(IDC_REMOVE);
  EXPECT_EQ(app.Count(IDC_LIST), 2);
  EXPECT_EQ(app.Text(IDC_CURRENT), b[1]);
  app.Click(IDC_MODE_NONE);
  EXPECT_FALSE(app.Enabled(IDC_LIST));
  app.Click(IDCANCEL);
  EXPECT_EQ(app.Wait(), 0);
  EXPECT_EQ(Values(PROGRAM_KEY), before);
  EXPECT_EQ(Values(DESKTOP_KEY), desktopBefore);
  EXPECT_EQ(Values(RUN_KEY).count(RUN_VALUE_NAME), 1u);

  // Closing the window is Cancel too.
  ASSERT_TRUE(app.Start());
  PostMessageA(app.dialog, WM_CLOSE, 0, 0);
  EXPECT_EQ(app.Wait(), 0);
  EXPECT_EQ(Values(PROGRAM_KEY), before);
}

TEST_F(DialogE2E, ClearAnsweredCancelStaysThenNoClears) {
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.Clear(IDCANCEL));
  EXPECT_TRUE(IsWindow(app.dialog));
  bool exists = false;
  Values(PROGRAM_KEY, &exists);
  EXPECT_TRUE(exists);

  ASSERT_TRUE(app.Clear(IDNO));
  EXPECT_EQ(app.Wait(), 0);
  Values(PROGRAM_KEY, &exists);
  EXPECT_FALSE(exists);
  bool parent = false;
  Values("Software\\OrvanDale", &parent);
  EXPECT_TRUE(parent);
  EXPECT_EQ(Values(RUN_KEY).count(RUN_VALUE_NAME), 0u);
  EXPECT_EQ(TextOf(Values(DESKTOP_KEY)["Wallpaper"]), kOriginal);
  for (const std::string& f : Bitmaps()) DeleteFileA(f.c_str());
}

}  // namespace
