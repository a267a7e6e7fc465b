#include <gtest/gtest.h>
#include <strings.h>
#include "settings/load_save.h"
#include "settings/registry.h"
#include "tests/fakes/fake_leaks.h"

namespace {

const char* P = PROGRAM_KEY;
const char* R = RUN_KEY;
const char* DK = DESKTOP_KEY;

class LoadSave : public LeakCheckedTest {
 protected:
  void SetUp() override {
    LeakCheckedTest::SetUp();
    strcpy(SettingsState.ProgramPath, "C:\\Apps\\scenewheel.exe");
    Fake.SetText(DK, "Wallpaper", "C:\\Windows\\clouds.bmp");
    Fake.SetText(DK, "TileWallpaper", "1");
  }
  // The names of the program key's values that begin with "Bitmap" in any case.
  std::vector<std::string> EntryNames() {
    std::vector<std::string> out;
    for (auto& v : Fake.keys[P])
      if (strncasecmp(v.first.c_str(), "bitmap", 6) == 0) out.push_back(v.first);
    return out;
  }
  static std::vector<std::string> NumberedNames(int n) {
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i) {
      char name[ENTRY_NAME_SIZE];
      FormatEntryName(name, i);
      out.push_back(name);
    }
    return out;
  }
};

TEST_F(LoadSave, FirstStartCapturesAndSaveWritesEverything) {
  EXPECT_EQ(LoadSettings(), 1);
  EXPECT_TRUE(Fake.keys.count(P));  // opening creates the key
  EXPECT_EQ(SettingsState.Mode, 'O');
  EXPECT_EQ(SettingsState.BmpCount, 0);
  EXPECT_EQ(SettingsState.SelectedBmp, 0);
  EXPECT_STREQ(SettingsState.WindowsWallpaper, "C:\\Windows\\clouds.bmp");
  EXPECT_STREQ(SettingsState.WinTileWallpaper, "1");
  EXPECT_EQ(SettingsState.WallpaperCaptured, 1u);
  EXPECT_EQ(FakeView.preview, "<empty>");  // an empty list previews nothing

  Fake.SetText(R, RUN_VALUE_NAME, "old A");
  Fake.SetText(DK, "Wallpaper", "C:\\elsewhere.bmp");
  Fake.SetText(DK, "TileWallpaper", "0");
  Fake.writes.clear();
  EXPECT_EQ(SaveSettings(), 1);
  std::string names;
  for (auto& v : Fake.keys[P]) names += v.first + " ";
  EXPECT_EQ(names, "BmpCount ChangeMode LastChange Path SelectedBmp WindowsWallpaper WinTileWallpaper ");
  EXPECT_EQ(Fake.keys[P]["ChangeMode"].data, std::string("O\0", 2));
  EXPECT_EQ(Fake.keys[P]["Path"].data, std::string("\0", 1));
  EXPECT_EQ(Fake.keys[P]["LastChange"].data, "\x11\x0C\xD3\x07");
  EXPECT_FALSE(Fake.Has(R, RUN_VALUE_NAME));
  EXPECT_EQ(Fake.Text(DK, "Wallpaper"), "C:\\Windows\\clouds.bmp");
  EXPECT_EQ(Fake.Text(DK, "TileWallpaper"), "1");
  EXPECT_EQ(Fake.applied, (std::vector<std::string>{"<null>"}));
}

TEST_F(LoadSave, LoadTakesStoredValuesAndTheFirst32Bitmaps) {
  for (int i = 0; i < 40; ++i) {
    char name[ENTRY_NAME_SIZE];
    FormatEntryName(name, i);
    Fake.SetText(P, name, "C:\\w\\" + std::to_string(i) + ".bmp");
  }
  Fake.SetText(P, "BitmapX", "C:\\x.bmp");  // listed, so Save deletes it
  Fake.SetText(P, "ChangeMode", "Daily");
  Fake.SetText(P, "Path", "C:\\w\\");
  Fake.SetText(P, "WindowsWallpaper", "C:\\stored.bmp");
  Fake.SetNumber(P, "SelectedBmp", 3);
  Fake.SetNumber(P, "LastChange", 0x07D30C10);
  Fake.SetNumber(P, "BmpCount", 99);
  EXPECT_EQ(LoadSettings(), 1);
  EXPECT_EQ(SettingsState.Mode, 'D');
  EXPECT_STREQ(SettingsState.Path, "C:\\w\\");
  EXPECT_STREQ(SettingsState.WindowsWallpaper, "C:\\stored.bmp");  // not captured again
  EXPECT_EQ(SettingsState.WallpaperCaptured, 0u);
  EXPECT_EQ(SettingsState.LastChange, 0x07D30C10u);
  EXPECT_EQ(SettingsState.BitmapValuesSeen, 41u);
  ASSERT_EQ(SettingsState.BmpCount, 32);
  EXPECT_EQ(FakeView.entries[0], "C:\\w\\0.bmp");  // name order, as the store enumerates
  EXPECT_EQ(FakeView.texts[1110], FakeView.entries[3]);
  EXPECT_EQ(FakeView.preview, FakeView.entries[3]);

  Fake.writes.clear();
  EXPECT_EQ(SaveSettings(), 1);
  // The key then holds exactly the 32 entries: Bitmap32 and up, and
  // BitmapX, are gone.
  EXPECT_EQ(EntryNames(), NumberedNames(32));
  EXPECT_EQ(Fake.Text(P, "Bitmap31"), FakeView.entries[31]);
  EXPECT_FALSE(Fake.Has(P, "WindowsWallpaper") && Fake.Text(P, "WindowsWallpaper") != "C:\\stored.bmp");
  EXPECT_EQ(Fake.Text(R, RUN_VALUE_NAME), "C:\\Apps\\scenewheel.exe A");
  EXPECT_EQ(Fake.Text(DK, "Wallpaper"), FakeView.entries[3]);
  EXPECT_EQ(Fake.Text(DK, "TileWallpaper"), "1");  // untouched outside Default
}

TEST_F(LoadSave, StoredModeAndIndexRules) {
  struct Case {
    std::string mode;
    char want;
  } modes[] = {{"D", 'D'}, {"N", 'N'}, {"d", 'O'}, {"x", 'O'}, {"", 'O'},
               {std::string("\xff"), 'O'}, {std::string(300, 'B'), 'O'}};
  for (const Case& c : modes) {
    SetUp();
    SettingsState.Mode = 'Q';
    Fake.SetText(P, "ChangeMode", c.mode);
    LoadSettings();
    // 300 bytes do not fit: the value is passed over and the mode stays.
    EXPECT_EQ(SettingsState.Mode, c.mode.size() > 259 ? 'Q' : c.want) << c.mode.substr(0, 3);
  }
  struct Index {
    uint32_t stored;
    int32_t want;
  } indices[] = {{2, 2}, {3, 0}, {0xFFFFFFFF, 0}};
  for (const Index& c : indices) {
    SetUp();
    for (const char* n : {"Bitmap00", "Bitmap01", "Bitmap02"}) Fake.SetText(P, n, n);
    Fake.SetNumber(P, "SelectedBmp", c.stored);
    LoadSettings();
    EXPECT_EQ(SettingsState.SelectedBmp, c.want) << c.stored;
  }
}

TEST_F(LoadSave, StoredTextsAreCutToTheirFieldsWithoutStaleBytes) {
  Fake.SetText(P, "ChangeMode", "M");                    // no capture over the loaded texts
  Fake.SetText(P, "WinTileWallpaper", "0123456789");     // longer than 7
  Fake.SetRaw(P, "Path", 1, std::string(260, 'p'));      // no terminator, whole buffer
  Fake.SetRaw(P, "WindowsWallpaper", 3, "C:\\raw.bmp");  // binary, no terminator
  Fake.SetRaw(P, "Bitmap00", 1, "C:\\a.bmp");            // no terminator
  Fake.SetRaw(P, "LastChange", 4, std::string("\x01\x02", 2));
  Fake.SetRaw(P, "SelectedBmp", 4, "");
  SettingsState.SelectedBmp = 7;
  EXPECT_EQ(LoadSettings(), 1);
  EXPECT_STREQ(SettingsState.WinTileWallpaper, "0123456");
  EXPECT_EQ(std::string(SettingsState.Path), std::string(259, 'p'));
  EXPECT_STREQ(SettingsState.WindowsWallpaper, "C:\\raw.bmp");
  EXPECT_EQ(FakeView.entries, (std::vector<std::string>{"C:\\a.bmp"}));
  EXPECT_EQ(SettingsState.LastChange, 0x0201u);
  EXPECT_EQ(SettingsState.SelectedBmp, 0);
}

TEST_F(LoadSave, ValuesThatDoNotFitArePassedOverAndAFailureEndsTheLoad) {
  Fake.SetText(P, "Bitmap00", "C:\\a.bmp");
  Fake.SetText(P, "Bitmap00_" + std::string(23, 'z'), "C:\\long.bmp");  // 32 characters
  Fake.SetText(P, "Bitmap01", std::string(300, 'b'));                  // 301 bytes
  Fake.SetText(P, "Bitmap02", "C:\\c.bmp");
  Fake.SetText(P, "ChangeMode", "M");
  LoadSettings();
  // Everything enumerated behind them still loads.
  EXPECT_EQ(FakeView.entries, (std::vector<std::string>{"C:\\a.bmp", "C:\\c.bmp"}));
  EXPECT_EQ(SettingsState.BitmapValuesSeen, 2u);
  EXPECT_EQ(SettingsState.Mode, 'M');
  SaveSettings();
  EXPECT_EQ(EntryNames(), NumberedNames(2));
  EXPECT_EQ(Fake.Text(P, "Bitmap01"), "C:\\c.bmp");

  SetUp();
  Fake.SetText(P, "Bitmap00", "C:\\a.bmp");
  Fake.SetText(P, "Bitmap01", "C:\\b.bmp");
  Fake.enumFailsAt = 1;
  LoadSettings();
  EXPECT_EQ(FakeView.entries.size(), 1u);
  EXPECT_EQ(SettingsState.BitmapValuesSeen, 1u);
}

// Entry names that the numbered deletes miss: without the sweep, each
// load and save added another copy of their paths to the list.
TEST_F(LoadSave, StrayEntryNamesSettleAfterOneSave) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> values;
    std::vector<std::string> listed;
  } cases[] = {
      {"unnumbered", {{"Bitmap00", "a"}, {"BitmapX", "x"}}, {"a", "x"}},
      {"31 characters", {{"Bitmap00", "a"}, {"BitmapLong" + std::string(21, 'q'), "l"}}, {"a", "l"}},
      // Not listed, but written over by Bitmap01 it would keep its spelling
      // and drop out of the list.
      {"capitals", {{"Bitmap00", "a"}, {"BITMAP01", "hidden"}, {"Bitmap02", "c"}}, {"a", "c"}},
  };
  for (const Case& c : cases) {
    SetUp();
    for (auto& v : c.values) Fake.SetText(P, v.first, v.second);
    LoadSettings();
    EXPECT_EQ(FakeView.entries, c.listed) << c.what;
    SaveSettings();
    auto saved = Fake.keys[P];
    EXPECT_EQ(EntryNames(), NumberedNames((int)c.listed.size())) << c.what;
    FakeView.Reset();
    LoadSettings();
    EXPECT_EQ(FakeView.entries, c.listed) << c.what;
    SaveSettings();
    EXPECT_EQ(Fake.keys[P].size(), saved.size()) << c.what;
    for (auto& v : saved) EXPECT_EQ(Fake.keys[P][v.first].data, v.second.data) << v.first;
  }
}

TEST_F(LoadSave, CaptureRules) {
  // Mode O captures at every load; a missing or oversize tile reads as "0".
  Fake.SetText(P, "ChangeMode", "O");
  Fake.SetText(P, "WindowsWallpaper", "C:\\stored.bmp");
  Fake.SetText(DK, "TileWallpaper", "123456789");
  LoadSettings();
  EXPECT_STREQ(SettingsState.WindowsWallpaper, "C:\\Windows\\clouds.bmp");
  EXPECT_STREQ(SettingsState.WinTileWallpaper, "0");

  // A failed Wallpaper read keeps what was loaded; no desktop key, no message.
  SetUp();
  Fake.SetText(P, "ChangeMode", "O");
  Fake.SetText(P, "WindowsWallpaper", "C:\\stored.bmp");
  Fake.failQuery.insert("Wallpaper");
  LoadSettings();
  EXPECT_STREQ(SettingsState.WindowsWallpaper, "C:\\stored.bmp");
  EXPECT_EQ(SettingsState.WallpaperCaptured, 0u);
  SetUp();
  Fake.failOpen.insert(DK);
  LoadSettings();
  EXPECT_EQ(SettingsState.WallpaperCaptured, 0u);
  EXPECT_TRUE(Fake.messages.empty());
}

TEST_F(LoadSave, SaveAppliesByMode) {
  struct Case {
    char mode;
    std::vector<std::string> entries;
    int32_t selected;
    bool run;
    std::string wallpaper, applied;
    int32_t storedIndex;
  } cases[] = {
      {'B', {"a", "b"}, 1, true, "b", "b", 1},
      {'W', {"a", "b"}, -1, true, "a", "a", 0},  // the current entry was removed
      {'M', {}, 0, false, "<none>", "", 0},
      {'D', {"a", "b"}, 5, true, "<none>", "", 5},  // beyond the end: nothing applied
      {'N', {"a"}, 0, false, "", "", 0},
      {'O', {"a"}, 0, false, "C:\\cap.bmp", "<null>", 0},
  };
  for (const Case& c : cases) {
    SetUp();
    Fake.keys[DK].erase("Wallpaper");
    Fake.SetText(R, RUN_VALUE_NAME, "stale");
    SettingsState.Mode = c.mode;
    FakeView.entries = c.entries;
    SettingsState.BmpCount = (int32_t)c.entries.size();
    SettingsState.SelectedBmp = c.selected;
    strcpy(SettingsState.WindowsWallpaper, "C:\\cap.bmp");
    EXPECT_EQ(SaveSettings(), 1);
    EXPECT_EQ(Fake.Has(R, RUN_VALUE_NAME), c.run) << c.mode;
    EXPECT_EQ(Fake.Has(DK, "Wallpaper") ? Fake.Text(DK, "Wallpaper") : "<none>", c.wallpaper)
        << c.mode;
    EXPECT_EQ(Fake.applied.empty() ? "" : Fake.applied[0], c.applied) << c.mode;
    EXPECT_EQ((int32_t)Fake.Number(P, "SelectedBmp"), c.storedIndex) << c.mode;
    EXPECT_EQ(Fake.Text(DK, "TileWallpaper"), c.mode == 'O' ? "0" : "1") << c.mode;
    EXPECT_FALSE(Fake.Has(P, "WindowsWallpaper"));  // not captured in this run
  }
}

TEST_F(LoadSave, RunCommandIsQuotedOnlyWhenThePathHasABlank) {
  char out[RUN_COMMAND_SIZE];
  BuildRunCommand("C:\\Apps\\sw.exe", out);
  EXPECT_STREQ(out, "C:\\Apps\\sw.exe A");
  BuildRunCommand("C:\\Program Files\\Scenewheel\\scenewheel.exe", out);
  EXPECT_STREQ(out, "\"C:\\Program Files\\Scenewheel\\scenewheel.exe\" A");
  // The longest path there can be, with a blank, still fits whole.
  std::string longest = "C:\\a b\\" + std::string(252, 'x');
  BuildRunCommand(longest.c_str(), out);
  EXPECT_EQ(std::string(out), "\"" + longest + "\" A");
}

TEST_F(LoadSave, RegistryProblemMessageInExactlyFivePlaces) {
  struct Case {
    const char* failing;
    int (*op)();
    int result;
    size_t messages;
  } cases[] = {
      {PROGRAM_KEY, LoadSettings, 0, 1}, {PROGRAM_KEY, SaveSettings, 0, 1},
      {RUN_KEY, SaveSettings, 0, 1},     {DESKTOP_KEY, SaveSettings, 1, 0},
      {DESKTOP_KEY, ClearSettings, 1, 1}, {RUN_KEY, ClearSettings, 1, 1},
      {RUN_KEY, LoadSettings, 1, 0},
  };
  for (const Case& c : cases) {
    SetUp();
    Fake.failOpen.insert(c.failing);
    SettingsState.Mode = 'N';
    EXPECT_EQ(c.op(), c.result) << c.failing;
    EXPECT_EQ(Fake.messages.size(), c.messages) << c.failing;
    for (const std::string& m : Fake.messages) EXPECT_EQ(m, "Problem with the Registry information!");
  }
  // Save without a program key writes nowhere; without the Run key the
  // program key is written and the desktop left alone.
  SetUp();
  Fake.failOpen.insert(PROGRAM_KEY);
  SaveSettings();
  EXPECT_TRUE(Fake.writes.empty());
  SetUp();
  Fake.failOpen.insert(RUN_KEY);
  SaveSettings();
  EXPECT_TRUE(Fake.Has(P, "ChangeMode"));
  EXPECT_TRUE(Fake.applied.empty());
  // Without the desktop key Save still applies the wallpaper.
  SetUp();
  Fake.failOpen.insert(DESKTOP_KEY);
  SettingsState.Mode = 'N';
  SaveSettings();
  EXPECT_EQ(Fake.applied, (std::vector<std::string>{""}));
}

TEST_F(LoadSave, ClearRestoresTheWallpaperAndRemovesKeyAndRunValue) {
  Fake.SetText(P, "ChangeMode", "D");
  Fake.SetText("Software\\OrvanDale", "Other", "kept");
  Fake.SetText(R, RUN_VALUE_NAME, "x A");
  Fake.SetText(R, "Someone Else", "y");
  strcpy(SettingsState.WindowsWallpaper, "C:\\cap.bmp");
  SettingsRecord before = SettingsState;
  EXPECT_EQ(ClearSettings(), 1);
  EXPECT_FALSE(Fake.keys.count(P));
  EXPECT_TRUE(Fake.Has("Software\\OrvanDale", "Other"));
  EXPECT_FALSE(Fake.Has(R, RUN_VALUE_NAME));
  EXPECT_TRUE(Fake.Has(R, "Someone Else"));
  EXPECT_EQ(Fake.Text(DK, "Wallpaper"), "C:\\cap.bmp");
  EXPECT_EQ(Fake.Text(DK, "TileWallpaper"), "1");
  EXPECT_EQ(Fake.applied, (std::vector<std::string>{"<null>"}));
  EXPECT_EQ(memcmp(&before, &SettingsState, sizeof before), 0);
  EXPECT_TRUE(Fake.messages.empty());
}

}  // namespace
