#include <gtest/gtest.h>
#include "settings/load_save.h"
#include "tests/fakes/fake_dialog.h"

namespace {

const char *P = PROGRAM_KEY, *R = RUN_KEY, *DK = DESKTOP_KEY;

void Reset() {
  ResetFakes();
  strcpy(SettingsState.ProgramPath, "C:\\Apps\\sw.exe");
  Fake.Set(DK, "Wallpaper", "C:\\clouds.bmp");
  Fake.Set(DK, "TileWallpaper", "1");
}

// The names of the program key's values, in name order.
std::string Names() {
  std::string out;
  for (auto& v : Fake.keys[P]) out += v.first + " ";
  return out;
}

TEST(LoadSave, FirstStartCapturesAndSaveWritesEverything) {
  Reset();
  EXPECT_EQ(LoadSettings(), 1);
  EXPECT_EQ(SettingsState.Mode, 'O');
  EXPECT_EQ(SettingsState.SelectedBmp, 0);
  EXPECT_EQ(View.preview, "<none>");  // an empty list previews nothing
  Fake.Set(R, RUN_VALUE_NAME, "old A");
  Fake.Set(DK, "Wallpaper", "C:\\mine.bmp");
  Fake.Set(DK, "TileWallpaper", "0");
  EXPECT_EQ(SaveSettings(), 1);
  EXPECT_EQ(Names(), "BmpCount ChangeMode LastChange Path SelectedBmp WindowsWallpaper WinTileWallpaper ");
  EXPECT_EQ(Fake.Raw(P, "ChangeMode") + Fake.Raw(P, "Path") + Fake.Raw(P, "LastChange"),
            std::string("O\0\0\x11\x0C\xD3\x07", 7));
  EXPECT_EQ(Fake.Text(P, "WindowsWallpaper") + Fake.Text(P, "WinTileWallpaper"), "C:\\clouds.bmp1");
  EXPECT_EQ(Fake.Text(DK, "Wallpaper") + Fake.Text(DK, "TileWallpaper"), "C:\\clouds.bmp1");
  EXPECT_EQ(Fake.Raw(R, RUN_VALUE_NAME), "<missing>");
  EXPECT_EQ(Fake.applied, std::vector<std::string>{"<null>"});
  EXPECT_EQ(Fake.openKeys, 0);
}

// A stored empty wallpaper is Windows' own "none" and stays; only a missing
// one, or the mode Default, takes the desktop's.
TEST(LoadSave, CaptureWhenTheStoredWallpaperIsMissingOrTheModeIsDefault) {
  struct { const char *mode, *stored, *want; } cases[] = {
      {"M", nullptr, "C:\\clouds.bmp"}, {"M", "", ""}, {"M", "C:\\s.bmp", "C:\\s.bmp"},
      {"O", "", "C:\\clouds.bmp"}, {"O", "C:\\s.bmp", "C:\\clouds.bmp"}};
  for (auto& c : cases) {
    Reset();
    Fake.Set(P, "ChangeMode", c.mode);
    if (c.stored) Fake.Set(P, "WindowsWallpaper", c.stored);
    LoadSettings();
    EXPECT_STREQ(SettingsState.WindowsWallpaper, c.want) << c.mode << (c.stored ? c.stored : "-");
  }
}

TEST(LoadSave, LoadListsTheFirst32AndSaveKeepsExactlyThem) {
  Reset();
  for (int i = 0; i < 40; ++i) Fake.Set(P, "Bitmap" + std::to_string(i + 10), "C:\\" + std::to_string(i));
  Fake.Set(P, "BitmapX", "C:\\x");  // listed, so Save deletes it
  Fake.Set(P, "ChangeMode", "Daily");
  Fake.Set(P, "WindowsWallpaper", "C:\\w");
  Fake.Set(P, "WinTileWallpaper", "0123456789");
  Fake.Set(P, "Path", std::string(260, 'p'), 3);  // binary, no terminator
  Fake.SetNumber(P, "SelectedBmp", 3);
  EXPECT_EQ(LoadSettings(), 1);
  EXPECT_EQ(SettingsState.Mode, 'D');
  EXPECT_STREQ(SettingsState.WinTileWallpaper, "0123456");
  EXPECT_EQ(SettingsState.Path, std::string(259, 'p'));
  EXPECT_EQ(SettingsState.BitmapValuesSeen, 41u);
  ASSERT_EQ(SettingsState.BmpCount, 32);
  EXPECT_EQ(View.entries[31] + View.current + View.preview, "C:\\31C:\\3C:\\3");
  SaveSettings();
  std::string names;
  for (int i = 0; i < 32; ++i) names += (i < 10 ? "Bitmap0" : "Bitmap") + std::to_string(i) + " ";
  EXPECT_EQ(Names(), names + "BmpCount ChangeMode LastChange Path SelectedBmp WindowsWallpaper WinTileWallpaper ");
  EXPECT_EQ(Fake.Text(P, "Bitmap31"), "C:\\31");
  EXPECT_EQ(Fake.Text(R, RUN_VALUE_NAME), "C:\\Apps\\sw.exe A");
  EXPECT_EQ(Fake.Text(DK, "Wallpaper") + Fake.Text(DK, "TileWallpaper"), "C:\\31");  // tile untouched
}

// After a load that could not see every value, Save deletes only the
// numbered entries it counted.
TEST(LoadSave, AfterAPartialLoadSaveSweepsNothing) {
  Reset();
  for (const char* n : {"Bitmap00", "Bitmap01", "Bitmap02", "BitmapX"}) Fake.Set(P, n, n);
  Fake.enumFailsAt = 2;
  LoadSettings();
  EXPECT_EQ(View.entries, (std::vector<std::string>{"Bitmap00", "Bitmap01"}));
  SaveSettings();
  EXPECT_EQ(Fake.Text(P, "Bitmap02") + Fake.Text(P, "BitmapX"), "Bitmap02BitmapX");
}

TEST(LoadSave, SaveAppliesByMode) {
  struct { char mode; int32_t selected; const char *run, *wallpaper, *applied; uint32_t stored; } cases[] = {
      {'B', 1, "C:\\Apps\\sw.exe A", "b1", "b", 1}, {'W', -1, "C:\\Apps\\sw.exe A", "a1", "a", 0},
      {'M', 0, "<missing>", "a1", "a", 0}, {'D', 5, "C:\\Apps\\sw.exe A", "<missing>1", "", 5},
      {'N', 0, "<missing>", "1", "", 0}, {'O', 0, "<missing>", "C:\\cap0", "<null>", 0},
      {'?', 0, "<missing>", "C:\\cap0", "<null>", 0}};
  for (auto& c : cases) {
    Reset();
    Fake.keys[DK].erase("Wallpaper");
    Fake.Set(R, RUN_VALUE_NAME, "stale");
    SettingsState.Mode = c.mode;
    View.entries = {"a", "b"};
    SettingsState.BmpCount = 2;
    SettingsState.SelectedBmp = c.selected;
    strcpy(SettingsState.WindowsWallpaper, "C:\\cap");
    EXPECT_EQ(SaveSettings(), 1);
    EXPECT_EQ(Fake.Text(R, RUN_VALUE_NAME), c.run) << c.mode;
    EXPECT_EQ(Fake.Text(DK, "Wallpaper") + Fake.Text(DK, "TileWallpaper"), c.wallpaper) << c.mode;
    EXPECT_EQ(Fake.applied.empty() ? "" : Fake.applied[0], c.applied) << c.mode;
    EXPECT_EQ(Fake.Number(P, "SelectedBmp"), c.stored) << c.mode;
    EXPECT_EQ(Fake.Raw(P, "WindowsWallpaper"), "<missing>");  // not captured in this run
  }
}

TEST(LoadSave, RunCommandIsQuotedOnlyAroundAPathWithABlank) {
  std::string longest = "C:\\a b\\" + std::string(252, 'x');
  struct { std::string path, want; } cases[] = {
      {"C:\\Apps\\sw.exe", "C:\\Apps\\sw.exe A"}, {"C:\\Program Files\\sw.exe", "\"C:\\Program Files\\sw.exe\" A"},
      {longest, "\"" + longest + "\" A"}, {std::string(300, 'x'), std::string(259, 'x') + " A"}};
  for (auto& c : cases) {
    char out[RUN_COMMAND_SIZE];
    BuildRunCommand(c.path.c_str(), out);
    EXPECT_EQ(out, c.want);
  }
}

TEST(LoadSave, RegistryProblemInExactlyFivePlaces) {
  struct { const char* failing; int (*op)(); int result, messages; size_t applied; } cases[] = {
      {P, LoadSettings, 0, 1, 0}, {P, SaveSettings, 0, 1, 0}, {R, SaveSettings, 0, 1, 0},
      {DK, SaveSettings, 1, 0, 1}, {DK, ClearSettings, 1, 1, 0}, {R, ClearSettings, 1, 1, 1},
      {R, LoadSettings, 1, 0, 0}};
  for (auto& c : cases) {
    Reset();
    Fake.failOpen.insert(c.failing);
    SettingsState.Mode = 'N';
    EXPECT_EQ(c.op(), c.result) << c.failing;
    EXPECT_EQ(Fake.messages, c.messages) << c.failing;
    EXPECT_EQ(Fake.applied.size(), c.applied) << c.failing;
  }
}

TEST(LoadSave, ClearRestoresTheWallpaperAndRemovesKeyAndRunValue) {
  Reset();
  Fake.Set(P, "ChangeMode", "D");
  Fake.Set("Software\\OrvanDale", "Other", "kept");
  Fake.Set(R, RUN_VALUE_NAME, "x A");
  strcpy(SettingsState.WindowsWallpaper, "C:\\cap");
  EXPECT_EQ(ClearSettings(), 1);
  EXPECT_FALSE(Fake.keys.count(P));
  EXPECT_EQ(Fake.Text("Software\\OrvanDale", "Other") + Fake.Text(R, RUN_VALUE_NAME), "kept<missing>");
  EXPECT_EQ(Fake.Text(DK, "Wallpaper") + Fake.Text(DK, "TileWallpaper"), "C:\\cap1");
  EXPECT_EQ(Fake.applied, std::vector<std::string>{"<null>"});
}

}  // namespace
