// The real scenewheel.exe under an emulated Windows 98 (no registry
// security) and Windows XP (keys created with the access list) must do the
// same for the user: a logon run and a Save leave the same exit code, the
// same registry values and the same wallpaper.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include "settings/settings_state.h"
#include "tests/e2e/dialog_driver.h"

using namespace testreg;

namespace {

const char APP_DEFAULTS[] = "Software\\Wine\\AppDefaults\\scenewheel.exe";

struct Outcome {
  long exitCode;
  ValueMap values;
  std::string run, wallpaper, shown;
  bool operator==(const Outcome& o) const {
    return exitCode == o.exitCode && values == o.values && run == o.run &&
           wallpaper == o.wallpaper && shown == o.shown;
  }
};

class UnattendedVersions : public ::testing::Test {
 protected:
  void SetUp() override { saved = Text(DESKTOP_KEY, "Wallpaper"); }
  void TearDown() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, APP_DEFAULTS);
    RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
    DeleteValue(RUN_KEY, RUN_VALUE_NAME);
    if (saved[0] != '<') SetText(DESKTOP_KEY, "Wallpaper", saved);
  }

  // Under the given version: a Daily rotation of two bitmaps, last changed
  // long ago, or no key at all; then the command line's outcome. With
  // weekly, the dialog opens, Weekly is chosen and saved.
  Outcome Run(const char* version, bool withSettings, bool weekly = false) {
    SetText(APP_DEFAULTS, "Version", version);
    RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
    DeleteValue(RUN_KEY, RUN_VALUE_NAME);
    SetText(DESKTOP_KEY, "Wallpaper", "C:\\before.bmp");
    if (withSettings) {
      SetText(PROGRAM_KEY, "ChangeMode", "D");
      SetNumber(PROGRAM_KEY, "LastChange", 0x07D00101);
      SetNumber(PROGRAM_KEY, "SelectedBmp", 0);
      SetNumber(PROGRAM_KEY, "BmpCount", 2);
      SetText(PROGRAM_KEY, "Bitmap00", "C:\\first.bmp");
      SetText(PROGRAM_KEY, "Bitmap01", "C:\\second.bmp");
    }
    e2e::Started s = e2e::Start("\"" + e2e::ProgramFile() + "\"" + (weekly ? "" : " A"));
    HWND dialog = weekly ? e2e::WaitForWindow(s, 30000) : nullptr;
    if (dialog) {
      SendMessageA(GetDlgItem(dialog, 1430), BM_CLICK, 0, 0);
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
    Outcome o;
    o.exitCode = e2e::WaitWatching(s, 30000);
    o.values = Values(PROGRAM_KEY);
    o.run = Text(RUN_KEY, RUN_VALUE_NAME);
    o.wallpaper = Text(DESKTOP_KEY, "Wallpaper");
    // Wine keeps the wallpaper a process has asked for once, so only the
    // first answer in this process is news; later ones compare alike.
    char shown[MAX_PATH] = "";
    SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof shown, shown, 0);
    o.shown = shown;
    return o;
  }
  std::string saved;
};

TEST_F(UnattendedVersions, ADueChangeIsTheSameOnWindows98AndXp) {
  SYSTEMTIME t;
  GetLocalTime(&t);
  Outcome old = Run("win98", true);
  EXPECT_EQ(old.exitCode, 0);
  auto text = [](const char* t) { return std::string(t, strlen(t) + 1); };
  auto number = [](DWORD v) { return std::string((const char*)&v, 4); };
  EXPECT_EQ(old.values, (ValueMap{{"Bitmap00", text("C:\\first.bmp")},
                                  {"Bitmap01", text("C:\\second.bmp")},
                                  {"BmpCount", number(2)},
                                  {"ChangeMode", text("D")},
                                  {"LastChange", number(PackDate(t.wYear, t.wMonth, t.wDay))},
                                  {"SelectedBmp", number(1)}}));
  EXPECT_EQ(Number(PROGRAM_KEY, "SelectedBmp"), 1u);  // stored as a number
  EXPECT_EQ(Number(PROGRAM_KEY, "LastChange"), PackDate(t.wYear, t.wMonth, t.wDay));
  EXPECT_EQ(old.wallpaper, "C:\\second.bmp");
  EXPECT_EQ(old.shown, "C:\\second.bmp");
  EXPECT_TRUE(Run("winxp", true) == old);

  // A first run with no key leaves an empty key behind on both.
  Outcome none = Run("win98", false);
  EXPECT_TRUE(KeyExists(PROGRAM_KEY));
  EXPECT_TRUE(none.values.empty());
  EXPECT_EQ(none.wallpaper, "C:\\before.bmp");
  EXPECT_TRUE(Run("winxp", false) == none);
}

TEST_F(UnattendedVersions, ASaveIsTheSameOnWindows98AndXp) {
  Outcome old = Run("win98", true, true);
  EXPECT_EQ(old.exitCode, 1);
  EXPECT_EQ(TextOf(old.values["ChangeMode"]), "W");
  EXPECT_NE(old.run.find(" A"), std::string::npos) << old.run;
  EXPECT_EQ(old.wallpaper, "C:\\first.bmp");
  EXPECT_TRUE(Run("winxp", true, true) == old);
}

}  // namespace
