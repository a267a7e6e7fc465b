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

// The file that an ANSI path names, by its long name; empty when none.
static std::wstring Names(const std::string& path) {
  wchar_t name[MAX_PATH];
  return std::wstring(name, GetLongPathNameW(e2e::Wide(path).c_str(), name, MAX_PATH));
}

// Saved in Daily, the entry and the desktop name the file picked, not its
// look-alike, and the Run value names the program. The next dialog finds a
// name alone in the folder last used; Clear Registry and Exit gives the
// user's own wallpaper back.
TEST(Journeys, NamesOutsideTheCodePage) {
  ASSERT_EQ(1252u, GetACP());
  wchar_t temp[MAX_PATH];
  const std::wstring dir(temp, GetTempPathW(MAX_PATH, temp));
  // "Summer", a full-width quotation mark (a plain one in the code page) and A.
  const std::wstring summer = dir + L"\u043b\u0435\u0442\u043e\uff02A";
  const std::wstring winter = dir + L"\u0437\u0438\u043c\u0430.bmp";  // "winter"
  const std::wstring exe = summer + L"\\scenewheel.exe", pics = dir + L"pics\\";
  const std::wstring lodz = pics + L"\u0142\u00f3d\u017a.bmp";
  for (const std::wstring& folder : {summer, pics}) CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(WriteTestBitmap("C:\\sw_names.bmp", 32, 24));
  for (const std::wstring& file : {winter, lodz, pics + L"l\u00f3dz.bmp"})
    ASSERT_TRUE(CopyFileW(L"C:\\sw_names.bmp", file.c_str(), FALSE));
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
  app.Click(IDC_SELECT);
  app.Click(IDOK);
  EXPECT_EQ(1, app.Wait());
  EXPECT_EQ(lodz, Names(Text(PROGRAM_KEY, "Bitmap00")));
  EXPECT_EQ(lodz, Names(Text(DESKTOP_KEY, "Wallpaper")));

  const std::string command = Text(RUN_KEY, RUN_VALUE_NAME);
  EXPECT_EQ(exe, Names(command.substr(0, command.size() - 2)));  // before " A"

  // The folder must come from the program, not from the dialog's own memory.
  RegDeleteKeyA(HKEY_CURRENT_USER,
                "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\LastVisitedMRU");
  ASSERT_TRUE(app.Open(exe));
  EXPECT_TRUE(app.Answer(IDC_ADD, "Open a bitmap file", IDOK, L"l\u00f3dz.bmp"));
  EXPECT_EQ(2, app.Send(IDC_LIST, LB_GETCOUNT));
  ASSERT_TRUE(app.Answer(IDC_CLEAR, "Question", IDNO));
  EXPECT_EQ(0, app.Wait());
  EXPECT_EQ(winter, Names(Text(DESKTOP_KEY, "Wallpaper")));
}
