// SettingsState, the change-mode letters, PackedDate and the registry layout.
// Portable: no <windows.h> here.
#pragma once
#include <stdint.h>

enum {
  TEXT_SIZE = 260,   // paths and registry texts, terminator included
  TILE_SIZE = 8,     // the TileWallpaper text
  NAME_SIZE = 32,    // enumerated value names: 31 characters and the terminator
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
char ModeFromStoredByte(char c);
