// A hand-made registry of the kind other programs or people leave behind:
// the logon run must end with 0, show nothing and write nothing it cannot
// read; the dialog must open with what can be loaded, and Save must leave a
// registry that the next start loads back and saves unchanged.
#include <gtest/gtest.h>
#include "res/resource.h"
#include "tests/e2e/dialog_driver.h"

using namespace testreg;

TEST(HostileRegistry, NothingCrashesAndASaveSettles) {
  const char *P = PROGRAM_KEY, *DK = DESKTOP_KEY;
  RegDeleteKeyA(HKEY_CURRENT_USER, P);
  SetText(DK, "Wallpaper", "C:\\windows\\orig.bmp");
  std::string list;
  for (int i = 0; i < 40; ++i) {
    char name[ENTRY_NAME_SIZE];
    FormatEntryName(name, i);
    SetText(P, name, "C:\\w\\" + std::to_string(i) + ".bmp");
    if (i < 32) list += "C:\\w\\" + std::to_string(i) + ".bmp|";
  }
  SetText(P, "ChangeMode", "B");
  SetText(P, "SelectedBmp", "1");                        // a text, not a number
  SetRaw(P, "LastChange", REG_BINARY, "\x01\x02");       // two bytes
  SetText(P, "BitmapX", "C:\\w\\x.bmp");                 // enumerated after the 32
  SetText(P, ("Bitmap00" + std::string(24, 'z')).c_str(), "C:\\long.bmp");  // name of 32 characters
  SetText(P, "Path", std::string(300, 'p'));             // does not fit
  SetText(P, "WinTileWallpaper", std::string(20, '1'));  // longer than the field
  ValueMap stored = Values(P), desktop = Values(DK);

  e2e::App logon;
  ASSERT_TRUE(logon.Run(e2e::ProgramFile() + " A"));
  int windows = 0;
  EXPECT_EQ(logon.Wait(&windows), 0);
  EXPECT_EQ(windows, 0);
  EXPECT_EQ(Values(P), stored);
  EXPECT_EQ(Values(DK), desktop);

  ValueMap saved;
  for (int start = 0; start < 2; ++start) {
    e2e::App app;
    ASSERT_TRUE(app.Open());
    EXPECT_TRUE(app.Checked(IDC_MODE_BOOT));
    EXPECT_EQ(app.List(), list);
    EXPECT_EQ(app.Text(IDC_CURRENT), "C:\\w\\0.bmp");
    app.Click(IDOK);
    EXPECT_EQ(app.Wait(), 1);
    ValueMap now = Values(P);
    now.erase("LastChange");
    EXPECT_EQ(now.count("BitmapX") + now.count("Bitmap32") + now.count("Bitmap31"), 1u);
    EXPECT_EQ(now.size(), 32u + 6u);  // the entries, mode, path, index, count and the two captured
    if (start == 1) EXPECT_EQ(now, saved);
    saved = now;
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, P);
  DeleteValue(RUN_KEY, RUN_VALUE_NAME);
}
