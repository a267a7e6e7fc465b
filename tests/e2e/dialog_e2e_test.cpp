// The real program under Wine and Xvfb, as a user takes it: the dialog
// through its real controls, a logon start while it is open, the logon run
// from the Run value that Save wrote, Cancel and Clear. The tests run in
// order, each from what the one before left.
#include <gtest/gtest.h>
#include "res/resource.h"
#include "tests/e2e/dialog_driver.h"
#include "tests/win32/test_bitmap_win32.h"

namespace {

using namespace testreg;
const char *P = PROGRAM_KEY, *DK = DESKTOP_KEY, *Original = "C:\\windows\\original.bmp";

std::string Folder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + "sw_e2e\\";
}
const std::string Dawn = Folder() + "dawn.bmp", Dusk = Folder() + "dusk.bmp";
std::string Upper(std::string s) { return CharUpperA(&s[0]); }

TEST(Dialog, FirstStartAddSelectDailySave) {
  RegDeleteKeyA(HKEY_CURRENT_USER, P);
  SetText(DK, "Wallpaper", Original);
  SetText(DK, "TileWallpaper", "0");
  CreateDirectoryA(Folder().c_str(), nullptr);
  WriteTestBitmap(Dawn.c_str(), 64, 48), WriteTestBitmap(Dusk.c_str(), 64, 48);
  e2e::App app;
  ASSERT_TRUE(app.Open());
  EXPECT_TRUE(app.Checked(IDC_MODE_DEFAULT));
  for (int id : {IDC_ADD, IDC_LIST, IDC_REMOVE, IDC_SELECT}) EXPECT_FALSE(app.Enabled(id)) << id;
  app.Click(IDC_MODE_DAILY);
  EXPECT_TRUE(app.Enabled(IDC_ADD));
  for (const std::string& file : {Dawn, Upper(Dawn), Dusk}) EXPECT_TRUE(app.Answer(IDC_ADD, "Open a bitmap file", IDOK, file));
  EXPECT_EQ(app.List(), Dawn + "|" + Dusk + "|");  // the same file in capitals is refused

  // A logon start while the dialog is open is refused and writes nothing.
  ValueMap before = Values(P);
  e2e::App logon;
  ASSERT_TRUE(logon.Run(e2e::ProgramFile() + " A"));
  HWND box = logon.Window();
  EXPECT_TRUE(FindWindowExA(box, nullptr, "Static", "Only one instance of this program can run at a time"));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(logon.Wait(), 0);
  EXPECT_EQ(Values(P), before);

  app.ClickEntry(1);
  EXPECT_TRUE(app.Enabled(IDC_SELECT));
  app.Click(IDC_SELECT);
  EXPECT_EQ(app.Text(IDC_CURRENT), Dusk);
  app.Click(IDOK);
  EXPECT_EQ(app.Wait(), 1);
  ValueMap v = Values(P);
  EXPECT_EQ(v.size(), 9u);
  EXPECT_EQ(v["ChangeMode"], std::string("D", 2));
  EXPECT_EQ(v["Path"].c_str() + std::string("|") + v["Bitmap00"].c_str() + "|" + v["Bitmap01"].c_str(),
            Folder() + "|" + Dawn + "|" + Dusk);
  EXPECT_EQ(Number(P, "BmpCount") * 10 + Number(P, "SelectedBmp"), 21u);
  EXPECT_EQ(Text(P, "WindowsWallpaper") + Text(P, "WinTileWallpaper"), Original + std::string("0"));
  EXPECT_EQ(Number(P, "LastChange"), e2e::Today());
  std::string exe = e2e::ProgramFile();
  EXPECT_EQ(Text(RUN_KEY, RUN_VALUE_NAME), exe.find(' ') == std::string::npos ? exe + " A" : '"' + exe + "\" A");
  EXPECT_EQ(Text(DK, "Wallpaper"), Dusk);
  EXPECT_TRUE(e2e::ShowsWallpaper(Dusk));
}

TEST(Dialog, TheLogonRunFromTheRunValueChangesAndShowsNothing) {
  SetNumber(P, "LastChange", 0x07D30C11);  // 2003-12-17: a change is due
  e2e::App logon;
  ASSERT_TRUE(logon.Run(Text(RUN_KEY, RUN_VALUE_NAME)));
  int windows = 0;
  EXPECT_EQ(logon.Wait(&windows), 0);
  EXPECT_EQ(windows, 0);
  EXPECT_EQ(Number(P, "SelectedBmp"), 0u);  // after the last entry, the first
  EXPECT_EQ(Number(P, "LastChange"), e2e::Today());
  EXPECT_EQ(Text(DK, "Wallpaper"), Dawn);
  EXPECT_TRUE(e2e::ShowsWallpaper(Dawn));
}

TEST(Dialog, ReopenCancelThenClear) {
  ValueMap program = Values(P), desktop = Values(DK);
  e2e::App app;
  ASSERT_TRUE(app.Open());
  EXPECT_TRUE(app.Checked(IDC_MODE_DAILY));
  EXPECT_EQ(app.List(), Dawn + "|" + Dusk + "|");
  EXPECT_EQ(app.Text(IDC_CURRENT), Dawn);
  app.ClickEntry(0);
  app.Click(IDC_REMOVE);
  app.Click(IDC_MODE_NONE);
  EXPECT_EQ(app.List(), Dusk + "|");
  EXPECT_FALSE(app.Enabled(IDC_LIST));
  app.Click(IDCANCEL);
  EXPECT_EQ(app.Wait(), 0);
  EXPECT_EQ(Values(P), program);
  EXPECT_EQ(Values(DK), desktop);

  ASSERT_TRUE(app.Open());
  ASSERT_TRUE(app.Answer(IDC_CLEAR, "Question", IDCANCEL));
  EXPECT_TRUE(IsWindow(app.dialog) && !Values(P).empty());
  ASSERT_TRUE(app.Answer(IDC_CLEAR, "Question", IDNO));
  EXPECT_EQ(app.Wait(), 0);
  HKEY parent;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\OrvanDale", 0, KEY_READ, &parent), 0);
  RegCloseKey(parent);
  EXPECT_TRUE(Values(P).empty());
  EXPECT_EQ(Text(RUN_KEY, RUN_VALUE_NAME), "<missing>");
  // The action is asked with no path, to show what the desktop values name
  // (which Wine does not do: it keeps what it showed).
  EXPECT_EQ(Text(DK, "Wallpaper") + Text(DK, "TileWallpaper"), Original + std::string("0"));
  DeleteFileA(Dawn.c_str()), DeleteFileA(Dusk.c_str()), RemoveDirectoryA(Folder().c_str());
}

}  // namespace
