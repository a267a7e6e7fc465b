#include "settings/load_save.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_dialog.h"

namespace {

const char *P = PROGRAM_KEY, *R = RUN_KEY, *DK = DESKTOP_KEY;

void Reset() {
  ResetFakes();
  strcpy(SettingsState.ProgramPath, "C:\\Apps\\sw.exe");
  Fake.Set(DK, "Wallpaper", "C:\\clouds.bmp"), Fake.Set(DK, "TileWallpaper", "1"),
      Fake.Set(R, RUN_VALUE_NAME, "stale");
}

// The program key's values in name order, texts up to their terminator;
// then the desktop's two values and the Run value.
std::string Stored() {
  std::string out;
  for (auto& v : Fake.keys[P])
    out += v.first + "=" +
           (v.second.first == VALUE_NUMBER ? std::to_string(*(uint32_t*)v.second.second.data())
                                           : Fake.Text(P, v.first)) +
           " ";
  return out + "| " + Fake.Text(DK, "Wallpaper") + " " + Fake.Text(DK, "TileWallpaper") + " " +
         Fake.Text(R, RUN_VALUE_NAME);
}

// A stored empty wallpaper is Windows' own "none" and stays; only a missing
// one, or the mode Default, takes the desktop's.
TEST(LoadSave, CaptureWhenTheStoredWallpaperIsMissingOrTheModeIsDefault) {
  struct {
    const char *mode, *stored, *want;
  } cases[] = {{"M", nullptr, "C:\\clouds.bmp"},
               {"M", "", ""},
               {"M", "C:\\s", "C:\\s"},
               {"O", "", "C:\\clouds.bmp"},
               {"O", "C:\\s", "C:\\clouds.bmp"}};
  for (auto& c : cases) {
    Reset(), Fake.Set(P, "ChangeMode", c.mode);
    if (c.stored) Fake.Set(P, "WindowsWallpaper", c.stored);
    LoadSettings();
    EXPECT_STREQ(SettingsState.WindowsWallpaper, c.want) << c.mode << (c.stored ? c.stored : "-");
  }
}

// The first 32 entries are listed and all 41 swept, but only after a load
// that saw every value; otherwise only the numbered entries it counted.
TEST(LoadSave, LoadListsTheFirst32AndSaveSweepsOnlyAfterACompleteLoad) {
  for (long fails : {-1L, 2L}) {
    Reset(), Fake.enumFailsAt = fails;
    for (int i = 0; i < 40; ++i) Fake.Set(P, "Bitmap" + std::to_string(i + 10), std::to_string(i));
    Fake.Set(P, "BitmapX", "x"), Fake.Set(P, "ChangeMode", "Daily");
    Fake.Set(P, "Path", std::string(260, 'p'), 3);  // binary, no terminator: not taken
    Fake.Set(P, "SelectedBmp", Dword(3), VALUE_NUMBER),
        Fake.Set(P, "WinTileWallpaper", "0123456789"), Fake.Set(P, "WindowsWallpaper", "C:\\w");
    LoadSettings(), SaveSettings();
    if (fails > 0) {
      EXPECT_TRUE(SettingsState.BitmapValuesSeen == 2u &&
                  Fake.Text(P, "Bitmap12") + Fake.Text(P, "BitmapX") == "2x");
      continue;
    }
    std::string entries;
    for (int i = 0; i < 32; ++i)
      entries +=
          (i < 10 ? "Bitmap0" : "Bitmap") + std::to_string(i) + "=" + std::to_string(i) + " ";
    EXPECT_EQ(Stored(), entries + "BmpCount=32 ChangeMode=D LastChange=131271697 Path=" +
                            " SelectedBmp=3 WinTileWallpaper=0123456789 WindowsWallpaper=C:\\w | 3 "
                            "1 C:\\Apps\\sw.exe A");
    EXPECT_EQ(View.current + View.preview + SettingsState.WinTileWallpaper, "330123456");
  }
}

// The sweep before Save deletes only the entries that the load listed or
// counted; a value it passed over was never shown and stays as it was.
TEST(LoadSave, SaveKeepsTheEntryValuesThatTheLoadPassedOver) {
  const std::string longName = "Bitmap" + std::string(38, 'z');  // 44 characters
  const std::string passedOver[][2] = {
      {longName, "C:\\long.bmp"},
      {"BitmapBig", "C:\\" + std::string(300, 'b')},  // data past 260 bytes
      {"BitmapCut", std::string(260, 'c')},           // 260 bytes, no terminator
      {"BITMAPX", "C:\\caps.bmp"},                    // not the load's prefix
  };
  Reset();
  Fake.Set(P, "Bitmap00", "C:\\a.bmp");
  Fake.Set(P, "BitmapX", "C:\\x.bmp");
  for (const auto& v : passedOver) Fake.Set(P, v[0], v[1], v[0] == "BitmapCut" ? 3 : VALUE_TEXT);
  LoadSettings();
  EXPECT_EQ(View.entries, (std::vector<std::string>{"C:\\a.bmp", "C:\\x.bmp"}));
  View.entries = {"C:\\new.bmp"};
  SettingsState.BmpCount = 1;
  SaveSettings();
  for (const auto& v : passedOver)
    EXPECT_EQ(Fake.Raw(P, v[0]).substr(0, v[1].size()), v[1]) << v[0];
  EXPECT_EQ(Fake.Text(P, "Bitmap00"), "C:\\new.bmp");
  EXPECT_EQ(Fake.Raw(P, "BitmapX"), "<missing>");
}

TEST(LoadSave, SaveAppliesByMode) {
  struct {
    char mode;
    int32_t selected;
    const char *stored, *applied;
  } cases[] = {{'B', 1, "SelectedBmp=1 | b 1 C:\\Apps\\sw.exe A", "b"},
               {'W', -1, "SelectedBmp=0 | a 1 C:\\Apps\\sw.exe A", "a"},
               {'M', 0, "SelectedBmp=0 | a 1 <missing>", "a"},
               {'D', 5, "SelectedBmp=5 | <missing> 1 C:\\Apps\\sw.exe A", ""},
               {'N', 0, "SelectedBmp=0 |  1 <missing>", ""},
               {'O', 0, "SelectedBmp=0 | C:\\cap 0 <missing>", "<null>"},
               {'?', 0, "SelectedBmp=0 | C:\\cap 0 <missing>", "<null>"}};
  for (auto& c : cases) {
    Reset(), Fake.keys[DK].erase("Wallpaper"), View.entries = {"a", "b"},
                                               strcpy(SettingsState.WindowsWallpaper, "C:\\cap"),
                                               SettingsState.WallpaperKnown = 1;
    SettingsState.Mode = c.mode, SettingsState.BmpCount = 2, SettingsState.SelectedBmp = c.selected;
    EXPECT_EQ(SaveSettings(), 1);
    std::string stored = Stored();
    EXPECT_EQ(stored.substr(stored.find("SelectedBmp")), c.stored) << c.mode;
    // The letter is written with its terminator.
    EXPECT_TRUE((Fake.applied.empty() ? "" : Fake.applied[0]) == c.applied &&
                Fake.Raw(P, "ChangeMode").size() == 2u)
        << c.mode;
  }
}

// A desktop wallpaper whose path does not fit (in a double-byte code page
// 130 characters may need more than 259 bytes) is never captured; then
// neither Save in Default nor Clear writes anything over it: not an empty
// path, and not an older stored one.
TEST(LoadSave, AWallpaperThatCouldNotBeReadIsNeverWrittenOver) {
  const std::string longPath = "C:\\" + std::string(300, 'w');
  struct Case {
    const char* mode;    // stored ChangeMode
    const char* stored;  // stored WindowsWallpaper, or none
    int (*op)();
    std::string wallpaper, tile;  // the desktop's values afterwards
  };
  const Case cases[] = {
      {"O", nullptr, SaveSettings, longPath, "1"},  // the first start
      {"O", nullptr, ClearSettings, longPath, "1"},
      {"O", "C:\\s.bmp", SaveSettings, longPath, "1"},     // Default takes it anew
      {"M", "C:\\s.bmp", SaveSettings, "C:\\s.bmp", "0"},  // no capture: the stored one
  };
  for (const Case& c : cases) {
    Reset();
    Fake.Set(DK, "Wallpaper", longPath);
    Fake.Set(P, "ChangeMode", c.mode);
    if (c.stored) Fake.Set(P, "WindowsWallpaper", c.stored);
    LoadSettings();
    SettingsState.Mode = MODE_DEFAULT;
    c.op();
    EXPECT_EQ(Fake.Text(DK, "Wallpaper"), c.wallpaper) << c.mode << (c.stored ? c.stored : "-");
    EXPECT_EQ(Fake.Text(DK, "TileWallpaper"), c.tile) << c.mode << (c.stored ? c.stored : "-");
  }
}

TEST(LoadSave, RunCommandIsQuotedOnlyAroundAPathWithABlank) {
  std::string longest = "C:\\a b\\" + std::string(252, 'x');
  struct {
    std::string path, want;
  } cases[] = {{"C:\\Apps\\sw.exe", "C:\\Apps\\sw.exe A"},
               {"C:\\Program Files\\sw.exe", "\"C:\\Program Files\\sw.exe\" A"},
               {longest, "\"" + longest + "\" A"},
               {std::string(300, 'x'), std::string(259, 'x') + " A"}};
  char out[RUN_COMMAND_SIZE];
  for (auto& c : cases) EXPECT_EQ((BuildRunCommand(c.path.c_str(), out), std::string(out)), c.want);
}

// The start-up leaves the program path empty when it could not be had
// whole; Save in a logon mode then writes no Run value that names no file.
TEST(LoadSave, NoRunValueWithoutAProgramPath) {
  Reset();
  Fake.keys[R].clear();
  SettingsState.ProgramPath[0] = 0;
  SettingsState.Mode = MODE_DAILY;
  EXPECT_EQ(SaveSettings(), 1);
  EXPECT_EQ(Fake.Text(R, RUN_VALUE_NAME), "<missing>");
}

// The message in exactly five places; Clear restores the wallpaper (not the
// tile) and removes the key and the Run value.
TEST(LoadSave, RegistryProblemsAndClear) {
  struct {
    const char* failing;
    int (*op)();
    int result, messages;
    size_t applied;
  } cases[] = {{P, LoadSettings, 0, 1, 0},   {P, SaveSettings, 0, 1, 0},
               {R, SaveSettings, 0, 1, 0},   {DK, SaveSettings, 1, 0, 1},
               {DK, ClearSettings, 1, 1, 0}, {R, ClearSettings, 1, 1, 1},
               {R, LoadSettings, 1, 0, 0},   {"", ClearSettings, 1, 0, 1}};
  for (auto& c : cases) {
    Reset(), Fake.failOpen.insert(c.failing), strcpy(SettingsState.WindowsWallpaper, "C:\\cap"),
        SettingsState.WallpaperKnown = 1, SettingsState.Mode = 'N';
    EXPECT_EQ(c.op(), c.result) << c.failing;
    // Every key closed on every path.
    EXPECT_TRUE(Fake.messages == c.messages && Fake.applied.size() == c.applied && !Fake.openKeys)
        << c.failing;
  }
  EXPECT_EQ(Fake.keys.count(P), 0u);
  EXPECT_EQ(Stored(), "| C:\\cap 1 <missing>");
}

}  // namespace
