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

DWORD Today() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return PackDate(t.wYear, t.wMonth, t.wDay);
}

// Every value of the program's key, in enumeration order, as text.
std::string ProgramValues() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, PROGRAM_KEY, 0, KEY_READ, &key) != 0) return "<no key>";
  std::string out;
  for (DWORD i = 0;; ++i) {
    char name[64];
    BYTE data[MAX_PATH];
    DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != 0) break;
    out += std::string(name) + "=" +
           (type == REG_DWORD ? std::to_string(*(DWORD*)data) : std::string((char*)data)) + ";";
  }
  RegCloseKey(key);
  return out;
}

struct Outcome {
  long exitCode;
  std::string values, run, wallpaper, shown;
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

  // A Daily rotation of two bitmaps, last changed long ago, or no key at all.
  void Prepare(const char* version, bool withSettings) {
    SetText(APP_DEFAULTS, "Version", version);
    RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
    DeleteValue(RUN_KEY, RUN_VALUE_NAME);
    SetText(DESKTOP_KEY, "Wallpaper", "C:\\before.bmp");
    if (!withSettings) return;
    SetText(PROGRAM_KEY, "ChangeMode", "D");
    SetNumber(PROGRAM_KEY, "LastChange", 0x07D00101);
    SetNumber(PROGRAM_KEY, "SelectedBmp", 0);
    SetNumber(PROGRAM_KEY, "BmpCount", 2);
    SetText(PROGRAM_KEY, "Bitmap00", "C:\\first.bmp");
    SetText(PROGRAM_KEY, "Bitmap01", "C:\\second.bmp");
  }

  Outcome Observe(long exitCode) {
    Outcome o;
    o.exitCode = exitCode;
    o.values = ProgramValues();
    o.run = Text(RUN_KEY, RUN_VALUE_NAME);
    o.wallpaper = Text(DESKTOP_KEY, "Wallpaper");
    // Wine keeps the wallpaper a process has asked for once, so only the
    // first answer in this process is news; later ones compare alike.
    char shown[MAX_PATH] = "";
    SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof shown, shown, 0);
    o.shown = shown;
    return o;
  }

  Outcome RunUnattended(const char* version, bool withSettings) {
    Prepare(version, withSettings);
    e2e::Started s = e2e::Start("\"" + e2e::ProgramFile() + "\" A");
    return Observe(e2e::WaitWatching(s, 30000, nullptr));
  }

  // Opens the dialog, chooses Weekly and saves.
  Outcome SaveWeekly(const char* version) {
    Prepare(version, true);
    e2e::Started s = e2e::Start(e2e::ProgramFile());
    HWND dialog = e2e::WaitForWindow(s, 30000);
    if (dialog) {
      SendMessageA(GetDlgItem(dialog, 1430), BM_CLICK, 0, 0);
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
    return Observe(e2e::WaitWatching(s, 30000, nullptr));
  }
  std::string saved;
};

TEST_F(UnattendedVersions, ADueChangeIsTheSameOnWindows98AndXp) {
  std::string expected = "Bitmap00=C:\\first.bmp;Bitmap01=C:\\second.bmp;BmpCount=2;"
                         "ChangeMode=D;LastChange=" + std::to_string(Today()) + ";SelectedBmp=1;";
  Outcome old = RunUnattended("win98", true);
  EXPECT_EQ(old.exitCode, 0);
  EXPECT_EQ(old.values, expected);
  EXPECT_EQ(old.wallpaper, "C:\\second.bmp");
  EXPECT_EQ(old.shown, "C:\\second.bmp");
  EXPECT_TRUE(RunUnattended("winxp", true) == old);

  // A first run with no key leaves an empty key behind on both.
  Outcome none = RunUnattended("win98", false);
  EXPECT_EQ(none.values, "");
  EXPECT_EQ(none.wallpaper, "C:\\before.bmp");
  EXPECT_TRUE(RunUnattended("winxp", false) == none);
}

TEST_F(UnattendedVersions, ASaveIsTheSameOnWindows98AndXp) {
  Outcome old = SaveWeekly("win98");
  EXPECT_EQ(old.exitCode, 1);
  EXPECT_NE(old.values.find("ChangeMode=W;"), std::string::npos) << old.values;
  EXPECT_NE(old.run.find(" A"), std::string::npos) << old.run;
  EXPECT_EQ(old.wallpaper, "C:\\first.bmp");
  Outcome xp = SaveWeekly("winxp");
  EXPECT_TRUE(xp == old) << xp.values << " / " << old.values;
}

}  // namespace
