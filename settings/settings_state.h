// SettingsState, the change modes, PackedDate and the registry layout.
// Portable: no <windows.h> here.
#pragma once
#include <stdint.h>

enum {
  TEXT_SIZE = 260,  // paths and registry texts, terminator included
  TILE_SIZE = 8,    // the TileWallpaper text
  NAME_SIZE = 32,   // enumerated value names: 31 characters and the terminator
  MAX_BITMAPS = 32,
  ENTRY_NAME_SIZE = 20
};

// ChangeMode letters.
enum : char {
  MODE_BOOT = 'B',
  MODE_DAILY = 'D',
  MODE_WEEKLY = 'W',
  MODE_MANUAL = 'M',
  MODE_DEFAULT = 'O',
  MODE_NONE = 'N'
};

// What Save applies in a mode.
enum : char { APPLY_ENTRY, APPLY_WINDOWS_WALLPAPER, APPLY_NO_WALLPAPER };

// The one table of the modes: letter, radio button of the dialog template,
// whether Add, the list and the current field are enabled, whether Save
// writes the Run value (else deletes it), and what Save applies.
struct ModeRow {
  char letter;
  int radio;
  bool listControls;
  bool runValue;
  char applies;
};
inline constexpr ModeRow ModeTable[6] = {
    {MODE_BOOT, 1410, true, true, APPLY_ENTRY},
    {MODE_DAILY, 1420, true, true, APPLY_ENTRY},
    {MODE_WEEKLY, 1430, true, true, APPLY_ENTRY},
    {MODE_MANUAL, 1440, true, false, APPLY_ENTRY},
    {MODE_DEFAULT, 1450, false, false, APPLY_WINDOWS_WALLPAPER},
    {MODE_NONE, 1460, false, false, APPLY_NO_WALLPAPER},
};
// The row of a letter; Default's for every letter outside the table.
const ModeRow& ModeRowFor(char letter);

struct SettingsRecord {
  char Mode;
  uint32_t LastChange;
  int32_t BmpCount;
  uint32_t BitmapValuesSeen;
  int32_t SelectedBmp;
  uint32_t WallpaperCaptured;
  char Path[TEXT_SIZE];
  char ProgramPath[TEXT_SIZE];
  char WindowsWallpaper[TEXT_SIZE];
  char WinTileWallpaper[TILE_SIZE];
  // 1 when the last load opened the key and enumerated it to the end, so
  // that Save may sweep every stored entry value: the user saw them all.
  uint32_t LoadComplete;
  // 1 when WindowsWallpaper holds the wallpaper that Windows had: stored,
  // or taken from the desktop at this load. A desktop wallpaper that could
  // not be read (its path does not fit) is never written back as anything.
  uint32_t WallpaperKnown;
};

// The one process-wide record; starts with the initial values.
extern SettingsRecord SettingsState;
SettingsRecord InitialSettingsState();

// Registry layout, all under HKEY_CURRENT_USER.
#define PROGRAM_KEY "Software\\OrvanDale\\Scenewheel"
#define RUN_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\Run"
#define DESKTOP_KEY "Control Panel\\Desktop"
#define RUN_VALUE_NAME "OrvanDale Scenewheel"
#define VALUE_CHANGE_MODE "ChangeMode"
#define VALUE_PATH "Path"
#define VALUE_WINDOWS_WALLPAPER "WindowsWallpaper"
#define VALUE_WIN_TILE_WALLPAPER "WinTileWallpaper"
#define VALUE_BMP_COUNT "BmpCount"
#define VALUE_SELECTED_BMP "SelectedBmp"
#define VALUE_LAST_CHANGE "LastChange"
#define VALUE_WALLPAPER "Wallpaper"
#define VALUE_TILE_WALLPAPER "TileWallpaper"
#define ENTRY_PREFIX "Bitmap"

// wDay | wMonth << 8 | wYear << 16.
uint32_t PackDate(unsigned year, unsigned month, unsigned day);
inline unsigned DateYear(uint32_t d) { return d >> 16; }
inline unsigned DateMonth(uint32_t d) { return (d >> 8) & 0xFF; }
inline unsigned DateDay(uint32_t d) { return d & 0xFF; }

// "Bitmap" and the index, at least two digits: Bitmap00, Bitmap31, Bitmap100, Bitmap-1.
void FormatEntryName(char (&out)[ENTRY_NAME_SIZE], int index);

// Loading keeps B, D, M, N and W; every other first byte becomes O.
inline char ModeFromStoredByte(char c) { return ModeRowFor(c).letter; }
