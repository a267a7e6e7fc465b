// The real program on a Western Windows of the NT family: CTest runs this
// test with the Unix locale C.UTF-8, which gives every Wine process of it the
// ANSI code page 1252, and file names outside it. The program's folder and
// the user's own wallpaper have Cyrillic names, which the code page makes
// "????"; a Polish file is picked beside its look-alike, the name that the
// code page makes of it (łódź.bmp and lódz.bmp).
#include <gtest/gtest.h>

#include "tests/e2e/dialog_driver.h"
#include "tests/win32/test_bitmap_win32.h"

using testreg::Text;

// The file that a path names, by its long name; empty when none.
static std::wstring Names(const std::wstring& path) {
  wchar_t name[MAX_PATH];
  return std::wstring(name, GetLongPathNameW(path.c_str(), name, MAX_PATH));
}

static std::wstring DesktopWallpaper() {
  wchar_t path[MAX_PATH] = L"";
  DWORD size = sizeof path;
  RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"Wallpaper", RRF_RT_REG_SZ, nullptr,
               path, &size);
  return path;
}

// Saved in Daily, the entry and the desktop name the file picked, not its
// look-alike; the Run value starts the program, whose logon run then stores
// its date. In the next dialog a name alone is found in the folder last
// used; Save in Default then gives the user's own wallpaper back.
TEST(Journeys, NamesOutsideTheCodePage) {
  ASSERT_EQ(1252u, GetACP());
  wchar_t temp[MAX_PATH];
  const std::wstring dir(temp, GetTempPathW(MAX_PATH, temp));
  const std::wstring summer = dir + L"\u043b\u0435\u0442\u043e";      // "summer"
  const std::wstring winter = dir + L"\u0437\u0438\u043c\u0430.bmp";  // "winter"
  const std::wstring exe = summer + L"\\scenewheel.exe", pics = dir + L"pics\\";
  const std::wstring lodz = pics + L"\u0142\u00f3d\u017a.bmp", lookAlike = pics + L"l\u00f3dz.bmp";
  CreateDirectoryW(summer.c_str(), nullptr);
  CreateDirectoryW(pics.c_str(), nullptr);
  for (const std::wstring& file : {winter, lodz, lookAlike}) {
    ASSERT_TRUE(WriteTestBitmap("C:\\sw_names.bmp", 32, 24));
    ASSERT_TRUE(MoveFileExW(L"C:\\sw_names.bmp", file.c_str(), MOVEFILE_REPLACE_EXISTING));
  }
  ASSERT_TRUE(CopyFileW(e2e::Wide(e2e::Beside("scenewheel.exe")).c_str(), exe.c_str(), FALSE));
  RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"Wallpaper", REG_SZ,
                  winter.c_str(), DWORD(2 * winter.size() + 2));

  // Nothing stored: the dialog opens in Default, where Add is of no use.
  e2e::App app;
  ASSERT_TRUE(app.Open(exe));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(app.dialog, IDC_ADD)));
  app.Click(IDC_MODE_DAILY);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(app.dialog, IDC_ADD)));
  ASSERT_TRUE(app.Answer(IDC_ADD, "Open a bitmap file", IDOK, lodz));
  app.Send(IDC_LIST, LB_SETCARETINDEX, 0);
  app.Click(IDC_SELECT);
  app.Click(IDOK);
  EXPECT_EQ(1, app.Wait());
  EXPECT_EQ(lodz, Names(e2e::Wide(Text(PROGRAM_KEY, "Bitmap00"))));
  EXPECT_EQ(lodz, Names(DesktopWallpaper()));

  testreg::SetNumber(PROGRAM_KEY, "LastChange", 0x07D30C11);  // 2003-12-17: a change is due
  e2e::App run;
  EXPECT_TRUE(run.Run(Text(RUN_KEY, RUN_VALUE_NAME)));
  EXPECT_EQ(0, run.Wait());
  EXPECT_NE("\x11\x0c\xd3\x07", testreg::Values(PROGRAM_KEY)["LastChange"]);

  // The folder must come from the program, not from the dialog's own memory.
  RegDeleteKeyA(HKEY_CURRENT_USER,
                "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\LastVisitedMRU");
  ASSERT_TRUE(app.Open(exe));
  EXPECT_TRUE(app.Answer(IDC_ADD, "Open a bitmap file", IDOK, L"l\u00f3dz.bmp"));
  app.Click(IDC_MODE_DEFAULT);
  app.Click(IDOK);
  EXPECT_EQ(1, app.Wait());
  EXPECT_EQ(lookAlike, Names(e2e::Wide(Text(PROGRAM_KEY, "Bitmap01"))));
  EXPECT_EQ(winter, Names(DesktopWallpaper()));
  RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
  testreg::DeleteValue(RUN_KEY, RUN_VALUE_NAME);
}
