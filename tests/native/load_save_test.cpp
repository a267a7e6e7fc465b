// Load, save and clear between the registry, SettingsState and the dialog.
#include "settings/load_save.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/fakes/fake_dialog.h"

static const char *P = PROGRAM_KEY, *R = RUN_KEY, *DK = DESKTOP_KEY;
static const char* const kProgram = "C:\\Apps\\sw.exe";

static void Reset() {
  ResetFakes();
  strcpy(SettingsState.ProgramPath, kProgram);
  Fake.Set(DK, "Wallpaper", "C:\\clouds.bmp");
  Fake.Set(DK, "TileWallpaper", "1");
  Fake.Set(R, RUN_VALUE_NAME, "stale");
}

// The program key's values in name order, texts up to their terminator.
static std::string ProgramValues() {
  std::string out;
  for (const auto& v : Fake.keys[P]) {
    const std::string& bytes = v.second.second;
    bool number = v.second.first == VALUE_NUMBER;
    out +=
        v.first + "=" + (number ? std::to_string(*(const uint32_t*)bytes.data()) : bytes.c_str());
    out += " ";
  }
  return out;
}

// The desktop's two values and the Run value.
static std::string OtherValues() {
  return Fake.Text(DK, "Wallpaper") + " " + Fake.Text(DK, "TileWallpaper") + " " +
         Fake.Text(R, RUN_VALUE_NAME);
}

// 40 numbered entries and BitmapX: the first 32 enumerated are listed, and
// Save writes the list as Bitmap00 on after deleting all 41. Texts that do
// not fit their field whole are not taken: a Path, and a WindowsWallpaper,
// for which the desktop's wallpaper is taken instead.
TEST(LoadSave, LoadListsTheFirst32EntriesAndSaveWritesExactlyThem) {
  Reset();
  for (int i = 0; i < 40; ++i) Fake.Set(P, "Bitmap" + std::to_string(i + 10), std::to_string(i));
  Fake.Set(P, "BitmapX", "x");
  Fake.Set(P, "ChangeMode", "Daily");
  Fake.Set(P, "Path", std::string(260, 'p'), VALUE_BINARY);
  Fake.Set(P, "SelectedBmp", Dword(3), VALUE_NUMBER);
  Fake.Set(P, "WinTileWallpaper", "0123456789");
  Fake.Set(P, "WindowsWallpaper", std::string(260, 'w'), VALUE_BINARY);
  LoadSettings();
  EXPECT_EQ("3", View.current);
  EXPECT_EQ("3", View.preview);
  SaveSettings();
  std::string entries;
  for (int i = 0; i < 32; ++i)
    entries += (i < 10 ? "Bitmap0" : "Bitmap") + std::to_string(i) + "=" + std::to_string(i) + " ";
  EXPECT_EQ(entries +
                "BmpCount=32 ChangeMode=D LastChange=131271697 Path= SelectedBmp=3 "
                "WindowsWallpaper=C:\\clouds.bmp WinTileWallpaper=1 ",
            ProgramValues());
  EXPECT_EQ("3 1 " + std::string(kProgram) + " A", OtherValues());
}

// A load that could not enumerate every value shows only part of the key:
// Save then deletes only the numbered entries it counted.
TEST(LoadSave, AfterAnIncompleteLoadSaveDeletesOnlyTheCountedEntries) {
  Reset();
  for (const char* name : {"Bitmap00", "Bitmap01", "Bitmap02", "BitmapX"}) Fake.Set(P, name, name);
  Fake.enumFailsAt = 1;
  LoadSettings();
  SaveSettings();
  EXPECT_EQ(1u, SettingsState.BitmapValuesSeen);
  for (const char* name : {"Bitmap01", "Bitmap02", "BitmapX"}) EXPECT_EQ(name, Fake.Text(P, name));
}

// The sweep before Save deletes only the entries that the load listed or
// counted; a value it passed over was never shown and stays as it was. One
// that Save writes over takes the program's spelling (the load lists only
// names that begin with "Bitmap" as written).
TEST(LoadSave, SaveKeepsTheEntryValuesThatTheLoadPassedOver) {
  const std::string passedOver[][2] = {
      {"Bitmap" + std::string(38, 'z'), "C:\\long.bmp"},  // a name of 44 characters
      {"BitmapBig", "C:\\" + std::string(300, 'b')},      // data past 260 bytes
      {"BitmapCut", std::string(260, 'c')},               // 260 bytes, no terminator
      {"BITMAPY", "C:\\caps.bmp"},                        // not the load's prefix
  };
  Reset();
  Fake.Set(P, "bitmap02", "C:\\old.bmp");
  Fake.Set(P, "BitmapA", "C:\\a.bmp");
  Fake.Set(P, "BitmapX", "C:\\x.bmp");
  for (const auto& v : passedOver)
    Fake.Set(P, v[0], v[1], v[0] == "BitmapCut" ? VALUE_BINARY : VALUE_TEXT);
  LoadSettings();
  EXPECT_EQ((std::vector<std::string>{"C:\\a.bmp", "C:\\x.bmp"}), View.entries);
  View.entries = {"C:\\new.bmp", "C:\\b.bmp", "C:\\c.bmp"};
  SettingsState.BmpCount = 3;
  SaveSettings();
  for (const auto& v : passedOver) EXPECT_EQ(v[1], Fake.Raw(P, v[0]).substr(0, v[1].size()));
  EXPECT_EQ("C:\\new.bmp", Fake.Text(P, "Bitmap00"));
  EXPECT_EQ("Bitmap02", Fake.keys[P].find("Bitmap02")->first);
  EXPECT_EQ("<missing>", Fake.Raw(P, "BitmapX"));
}

// Entries a and b, the index as given: the stored index and the values left
// on the desktop and in the Run key, and the path the wallpaper action got.
TEST(LoadSave, SaveAppliesByMode) {
  const std::string run = std::string(kProgram) + " A";
  const std::tuple<char, int32_t, std::string, std::string> cases[] = {
      {'B', 1, "1 b 1 " + run, "b"},    {'W', -1, "0 a 1 " + run, "a"},
      {'M', 0, "0 a 1 <missing>", "a"}, {'D', 5, "5 <missing> 1 " + run, "(nothing)"},
      {'N', 0, "0  1 <missing>", ""},   {'O', 0, "0 C:\\cap 0 <missing>", "<null>"}};
  for (const auto& [mode, selected, stored, applied] : cases) {
    Reset();
    Fake.keys[DK].erase("Wallpaper");
    View.entries = {"a", "b"};
    strcpy(SettingsState.WindowsWallpaper, "C:\\cap");
    SettingsState.WallpaperKnown = 1;
    SettingsState.Mode = mode;
    SettingsState.BmpCount = 2;
    SettingsState.SelectedBmp = selected;
    EXPECT_EQ(1, SaveSettings());
    std::string index = std::to_string(*(const uint32_t*)Fake.Raw(P, "SelectedBmp").data());
    EXPECT_EQ(stored, index + " " + OtherValues()) << mode;
    EXPECT_EQ(applied, Fake.applied.empty() ? "(nothing)" : Fake.applied[0]) << mode;
    EXPECT_EQ(std::string({mode, '\0'}), Fake.Raw(P, "ChangeMode"));  // with its terminator
  }
}

// Windows' own wallpaper: a stored empty one is its "none" and stays; only a
// missing one, or the mode Default, takes the desktop's. One whose path does
// not fit (in a double-byte code page 130 characters may need more than 259
// bytes) is never captured, and then neither Save in Default nor Clear
// writes anything over it: not an empty path, and not an older stored one.
TEST(LoadSave, WindowsWallpaperIsCapturedWhenMissingOrInDefaultAndOnlyWhatWasReadIsRestored) {
  const std::string longPath = "C:\\" + std::string(300, 'w');
  // The stored ChangeMode and WindowsWallpaper (or none), the desktop's
  // Wallpaper; WindowsWallpaper, then the desktop's values after op in Default.
  const std::tuple<const char*, const char*, std::string, int (*)(), std::string> cases[] = {
      {"M", nullptr, "C:\\d.bmp", SaveSettings, "C:\\d.bmp C:\\d.bmp 1"},
      {"M", "", "C:\\d.bmp", SaveSettings, "  0"},
      {"M", "C:\\s.bmp", "C:\\d.bmp", SaveSettings, "C:\\s.bmp C:\\s.bmp 0"},
      {"O", "", "C:\\d.bmp", SaveSettings, "C:\\d.bmp C:\\d.bmp 1"},
      {"O", "C:\\s.bmp", "C:\\d.bmp", SaveSettings, "C:\\d.bmp C:\\d.bmp 1"},
      {"O", nullptr, longPath, SaveSettings, " " + longPath + " 1"},  // the first start
      {"O", nullptr, longPath, ClearSettings, " " + longPath + " 1"},
      {"O", "C:\\s.bmp", longPath, SaveSettings, "C:\\s.bmp " + longPath + " 1"},
  };
  for (const auto& [mode, stored, desktop, op, want] : cases) {
    Reset();
    Fake.Set(DK, "Wallpaper", desktop);
    Fake.Set(P, "ChangeMode", mode);
    if (stored) Fake.Set(P, "WindowsWallpaper", stored);
    LoadSettings();
    SettingsState.Mode = MODE_DEFAULT;
    op();
    std::string got = std::string(SettingsState.WindowsWallpaper) + " " +
                      Fake.Text(DK, "Wallpaper") + " " + Fake.Text(DK, "TileWallpaper");
    EXPECT_EQ(want, got) << mode << " " << (stored ? stored : "-") << " " << desktop;
  }
}

// The longest path with a blank is quoted whole and keeps the tail.
TEST(LoadSave, RunCommandQuotesTheLongestPathWithABlank) {
  const std::string longest = "C:\\a b\\" + std::string(252, 'x');
  char out[RUN_COMMAND_SIZE];
  BuildRunCommand(longest.c_str(), out);
  EXPECT_EQ("\"" + longest + "\" A", out);
}

// The start-up leaves the program path empty when it could not be had
// whole; Save in a logon mode then writes no Run value that names no file.
TEST(LoadSave, NoRunValueWithoutAProgramPath) {
  Reset();
  Fake.keys[R].clear();
  SettingsState.ProgramPath[0] = 0;
  SettingsState.Mode = MODE_DAILY;
  EXPECT_EQ(1, SaveSettings());
  EXPECT_EQ("<missing>", Fake.Text(R, RUN_VALUE_NAME));
}

// "Problem with the Registry information!" in exactly five places, and every
// key opened is closed again on every path.
TEST(LoadSave, TheRegistryMessageWhereAKeyDoesNotOpen) {
  const std::tuple<const char*, int (*)(), int, int, size_t> cases[] = {
      {P, LoadSettings, 0, 1, 0},  {P, SaveSettings, 0, 1, 0},   {R, SaveSettings, 0, 1, 0},
      {DK, SaveSettings, 1, 0, 1}, {DK, ClearSettings, 1, 1, 0}, {R, ClearSettings, 1, 1, 1},
      {R, LoadSettings, 1, 0, 0},  {DK, LoadSettings, 1, 0, 0}};
  for (const auto& [failing, op, result, messages, applied] : cases) {
    Reset();
    Fake.failOpen.insert(failing);
    SettingsState.Mode = MODE_NONE;
    EXPECT_EQ(result, op()) << failing;
    EXPECT_EQ(messages, Fake.messages) << failing;
    EXPECT_EQ(applied, Fake.applied.size()) << failing;
    EXPECT_EQ(0, Fake.openKeys) << failing;
  }
}
