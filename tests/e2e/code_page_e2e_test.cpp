// The real program on a Japanese Windows: CTest runs this test with the Unix
// locale ja_JP.UTF-8, which gives every Wine process of it the ANSI code page
// 932. Paths are written here as the bytes of that code page.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/dialog_driver.h"
#include "tests/win32/test_bitmap_win32.h"

// Two file names whose second bytes are the letters H and h.
const std::string Autumn = "\x8f\x48.bmp";  // "autumn"
const std::string Inn = "\x8f\x68.bmp";     // "inn"
// A character whose second byte is a backslash, 70 times: 140 bytes.
const std::string Sheets = [] {
  std::string s;
  for (int i = 0; i < 70; ++i) s += "\x95\x5c";
  return s;
}();

// Adds two files whose names differ only in a second byte, selects the
// first, saves in Daily from a program folder whose path needs more than 259
// bytes, and starts the logon run from the Run value: it applies the second.
// A file whose path does not fit is not added.
TEST(CodePage932, AddSelectSaveAndTheLogonRunWithJapaneseNames) {
  ASSERT_EQ(GetACP(), 932u);
  char temp[MAX_PATH];
  const std::string dir(temp, GetTempPathA(MAX_PATH, temp));
  const std::string pictures = dir + "\x95\xc7\x8e\x86";  // "wallpaper"
  const std::string autumn = pictures + "\\" + Autumn;
  const std::string inn = pictures + "\\" + Inn;
  const std::string deep = dir + Sheets + "\\" + Sheets;
  const std::string exe = deep + "\\scenewheel.exe";
  const std::string tooLong = deep + "\\x.bmp";
  ASSERT_GT(exe.size(), 259u);
  CreateDirectoryA(pictures.c_str(), nullptr);
  CreateDirectoryA((dir + Sheets).c_str(), nullptr);
  CreateDirectoryA(deep.c_str(), nullptr);
  ASSERT_TRUE(WriteTestBitmap(autumn.c_str(), 64, 48));
  ASSERT_TRUE(WriteTestBitmap(inn.c_str(), 64, 48));
  ASSERT_TRUE(WriteTestBitmap(tooLong.c_str(), 64, 48));
  std::string program = e2e::Beside("scenewheel.exe");
  ASSERT_TRUE(CopyFileA(program.substr(1, program.size() - 2).c_str(), exe.c_str(), FALSE));
  char shortExe[MAX_PATH];
  ASSERT_GT(GetShortPathNameA(exe.c_str(), shortExe, MAX_PATH), 0u);
  RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);

  e2e::App app;
  ASSERT_TRUE(app.Open("\"" + exe + "\""));
  app.Click(IDC_MODE_DAILY);
  for (const std::string& file : {autumn, inn, tooLong}) {
    EXPECT_TRUE(app.Answer(IDC_ADD, "Open a bitmap file", IDOK, file)) << file;
  }
  EXPECT_EQ(app.List(), autumn + "|" + inn + "|");
  app.ClickEntry(0);
  app.Click(IDC_SELECT);
  EXPECT_EQ(app.Text(IDC_CURRENT), autumn);
  app.Click(IDOK);
  EXPECT_EQ(app.Wait(), 1);
  EXPECT_TRUE(e2e::ShowsWallpaper(autumn));
  const std::string command = testreg::Text(RUN_KEY, RUN_VALUE_NAME);
  EXPECT_EQ(command, std::string(shortExe) + " A");

  testreg::SetNumber(PROGRAM_KEY, "LastChange", 0x07D30C11);  // 2003-12-17: a change is due
  e2e::App run;
  ASSERT_TRUE(run.Run(command));
  EXPECT_EQ(run.Wait(), 0);
  EXPECT_TRUE(e2e::ShowsWallpaper(inn));

  RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
  testreg::DeleteValue(RUN_KEY, RUN_VALUE_NAME);
  for (const std::string& file : {autumn, inn, tooLong, exe}) DeleteFileA(file.c_str());
  for (const std::string& folder : {deep, dir + Sheets, pictures}) RemoveDirectoryA(folder.c_str());
}
