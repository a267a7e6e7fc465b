// The real program under Wine and Xvfb, driven through its real controls.
// The tests run in order: each starts from what the previous one saved.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "res/resource.h"
#include "tests/e2e/dialog_driver.h"

namespace {

const char* kKey = "Software\\OrvanDale\\Scenewheel";
const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* kDesktop = "Control Panel\\Desktop";
const char* kRunName = "OrvanDale Scenewheel";
const char* kOriginal = "C:\\windows\\original.bmp";

std::string Folder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "sw_e2e\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::vector<std::string> Bitmaps() {
  std::string f = Folder();
  return {f + "dawn.bmp", f + "noon.bmp", f + "dusk.bmp"};
}

class DialogE2E : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    driver::DeleteValue(kRun, kRunName);
    driver::SetText(kDesktop, "Wallpaper", kOriginal);
    driver::SetText(kDesktop, "TileWallpaper", "0");
    std::vector<std::string> b = Bitmaps();
    WriteTestBitmap(b[0].c_str(), 64, 48, RGB(255, 170, 60), RGB(80, 40, 160));
    WriteTestBitmap(b[1].c_str(), 64, 48, RGB(60, 170, 255), RGB(250, 250, 200));
    WriteTestBitmap(b[2].c_str(), 64, 48, RGB(200, 60, 60), RGB(20, 20, 60));
  }
  driver::Program app;
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
  std::map<std::string, std::string> v = driver::Values(kKey, &exists);
  ASSERT_TRUE(exists);
  std::vector<std::string> names;
  for (auto& kv : v) names.push_back(kv.first);
  EXPECT_EQ(names, (std::vector<std::string>{"Bitmap00", "Bitmap01", "Bitmap02", "BmpCount",
                                             "ChangeMode", "LastChange", "Path", "SelectedBmp",
                                             "WinTileWallpaper", "WindowsWallpaper"}));
  EXPECT_EQ(v["ChangeMode"], std::string("D\0", 2));
  EXPECT_EQ(driver::Text(v["Path"]), Folder());
  EXPECT_EQ(driver::Text(v["WindowsWallpaper"]), kOriginal);
  EXPECT_EQ(driver::Text(v["WinTileWallpaper"]), "0");
  EXPECT_EQ(driver::Number(v["BmpCount"]), 3u);
  EXPECT_EQ(driver::Number(v["SelectedBmp"]), 1u);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(driver::Text(v["Bitmap0" + std::to_string(i)]), b[i]);
  SYSTEMTIME t;
  GetLocalTime(&t);
  EXPECT_EQ(driver::Number(v["LastChange"]),
            (DWORD)t.wDay | (DWORD)t.wMonth << 8 | (DWORD)t.wYear << 16);

  std::string program = driver::ProgramPath();
  std::string command = program.find(' ') == std::string::npos
                            ? program + " A"
                            : "\"" + program + "\" A";
  EXPECT_EQ(driver::Text(driver::Values(kRun)[kRunName]), command);
  EXPECT_EQ(driver::Text(driver::Values(kDesktop)["Wallpaper"]), b[1]);
}

TEST_F(DialogE2E, ReopenShowsTheSavedStateAndCancelWritesNothing) {
  std::map<std::string, std::string> before = driver::Values(kKey);
  std::map<std::string, std::string> desktopBefore = driver::Values(kDesktop);
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
  EXPECT_EQ(driver::Values(kKey), before);
  EXPECT_EQ(driver::Values(kDesktop), desktopBefore);
  EXPECT_EQ(driver::Values(kRun).count(kRunName), 1u);

  // Closing the window is Cancel too.
  ASSERT_TRUE(app.Start());
  PostMessageA(app.dialog, WM_CLOSE, 0, 0);
  EXPECT_EQ(app.Wait(), 0);
  EXPECT_EQ(driver::Values(kKey), before);
}

TEST_F(DialogE2E, RemovingAheadOfTheCurrentEntryThenSaveAppliesWhatIsShown) {
  ASSERT_TRUE(app.Start());
  std::vector<std::string> b = Bitmaps();
  app.ClickEntry(IDC_LIST, 0);
  app.Click(IDC_REMOVE);
  EXPECT_EQ(app.Text(IDC_CURRENT), b[1]);
  app.Click(IDOK);
  EXPECT_EQ(app.Wait(), 1);
  std::map<std::string, std::string> v = driver::Values(kKey);
  EXPECT_EQ(driver::Number(v["SelectedBmp"]), 0u);
  EXPECT_EQ(driver::Text(v["Bitmap00"]), b[1]);
  EXPECT_EQ(v.count("Bitmap02"), 0u);
  EXPECT_EQ(driver::Text(driver::Values(kDesktop)["Wallpaper"]), b[1]);
}

TEST_F(DialogE2E, ClearAnsweredCancelStaysThenNoClears) {
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.Clear(IDCANCEL));
  EXPECT_TRUE(IsWindow(app.dialog));
  bool exists = false;
  driver::Values(kKey, &exists);
  EXPECT_TRUE(exists);

  ASSERT_TRUE(app.Clear(IDNO));
  EXPECT_EQ(app.Wait(), 0);
  driver::Values(kKey, &exists);
  EXPECT_FALSE(exists);
  bool parent = false;
  driver::Values("Software\\OrvanDale", &parent);
  EXPECT_TRUE(parent);
  EXPECT_EQ(driver::Values(kRun).count(kRunName), 0u);
  EXPECT_EQ(driver::Text(driver::Values(kDesktop)["Wallpaper"]), kOriginal);
  for (const std::string& f : Bitmaps()) DeleteFileA(f.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
