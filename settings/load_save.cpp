#include "settings/load_save.h"

#include "settings/registry.h"
#include "settings/settings_state.h"
#include "settings/text.h"
#include "settings/wallpaper_holder.h"

static void CaptureWindowsWallpaper() {
  RegKey desktop;
  if (KeyOpen(DESKTOP_KEY, ACCESS_READ_CREATE, &desktop) != 0) return;
  char wallpaper[TEXT_SIZE];
  // A path that names no file in the code page and has no short path that
  // does, or that does not fit, is not taken, and what was stored before is
  // no longer the desktop's: neither is ever written back over it.
  SettingsState.WallpaperKnown = 0;
  if (ReadPathText(desktop, VALUE_WALLPAPER, wallpaper, sizeof wallpaper)) {
    CopyText(SettingsState.WindowsWallpaper, TEXT_SIZE, wallpaper);
    SettingsState.WallpaperCaptured = 1;
    SettingsState.WallpaperKnown = 1;
  }
  if (!ReadText(desktop, VALUE_TILE_WALLPAPER, SettingsState.WinTileWallpaper, TILE_SIZE))
    CopyText(SettingsState.WinTileWallpaper, TILE_SIZE, "0");
  KeyClose(desktop);
}

static bool IsName(const char* name, const char* value) { return SameText(name, value); }

// A text that fits its 260-byte field whole: data of 260 bytes with no
// terminator would lose its last byte (perhaps half a character), and a cut
// path names another file.
static bool FitsWhole(const unsigned char* data, unsigned long size) {
  if (size < TEXT_SIZE) return true;
  for (unsigned long i = 0; i < TEXT_SIZE; ++i)
    if (!data[i]) return true;
  return false;
}

// The values that the load lists (the first 32) and counts, and the sweep
// before Save deletes: the name and the data fit the load's buffers, the
// name begins with "Bitmap" and the path fits whole.
static bool IsEntryValue(const char* name, const unsigned char* data, unsigned long size) {
  return SameText(name, ENTRY_PREFIX, 6) && FitsWhole(data, size);
}

// Enumerates the value at index as the load reads it: the name into 32
// bytes, the data into 260. 0 when both fit.
static long EnumValue(RegKey key, unsigned long index, char (&name)[NAME_SIZE],
                      unsigned char (&data)[TEXT_SIZE], unsigned long* dataSize) {
  unsigned long nameSize = NAME_SIZE;
  *dataSize = TEXT_SIZE;
  long rc = KeyEnum(key, index, name, &nameSize, data, dataSize);
  name[NAME_SIZE - 1] = 0;
  if (*dataSize > TEXT_SIZE) *dataSize = TEXT_SIZE;
  return rc;
}

int LoadSettings() {
  RegKey key;
  SettingsState.LoadComplete = 0;
  if (KeyOpen(PROGRAM_KEY, ACCESS_READ_WRITE, &key) != 0) {
    ShowRegistryProblem();
    return 0;
  }
  uint32_t seen = 0;
  bool storedWallpaper = false;
  char name[NAME_SIZE];
  unsigned char data[TEXT_SIZE];
  char text[TEXT_SIZE];
  const char* bytes = (const char*)data;
  long rc;
  for (unsigned long index = 0;; ++index) {
    unsigned long dataSize;
    rc = EnumValue(key, index, name, data, &dataSize);
    // A name or data that does not fit is passed over: ending here would
    // hide every value behind it, and the next Save would lose them.
    if (rc == RESULT_MORE_DATA) continue;
    if (rc != 0) break;
    if (IsName(name, VALUE_CHANGE_MODE)) {
      SettingsState.Mode = ModeFromStoredByte(dataSize ? bytes[0] : '\0');
    } else if (IsName(name, VALUE_PATH)) {
      if (FitsWhole(data, dataSize)) CopyText(SettingsState.Path, TEXT_SIZE, bytes, dataSize);
    } else if (IsName(name, VALUE_WINDOWS_WALLPAPER)) {
      // One that does not fit is as good as none: the desktop's is taken.
      if (FitsWhole(data, dataSize)) {
        CopyText(SettingsState.WindowsWallpaper, TEXT_SIZE, bytes, dataSize);
        storedWallpaper = true;
        SettingsState.WallpaperKnown = 1;
      }
    } else if (IsName(name, VALUE_WIN_TILE_WALLPAPER)) {
      CopyText(SettingsState.WinTileWallpaper, TILE_SIZE, bytes, dataSize);
    } else if (IsName(name, VALUE_SELECTED_BMP)) {
      SettingsState.SelectedBmp = (int32_t)ReadLe32(data, dataSize);
    } else if (IsName(name, VALUE_LAST_CHANGE)) {
      SettingsState.LastChange = ReadLe32(data, dataSize);
    } else if (IsEntryValue(name, data, dataSize)) {
      // Only the first 32 go into the list; Save deletes every one it saw.
      if (seen < MAX_BITMAPS) {
        CopyText(text, TEXT_SIZE, bytes, dataSize);
        ListAppend(text);
      }
      ++seen;
    }
  }
  KeyClose(key);
  SettingsState.LoadComplete = rc == RESULT_NO_MORE_ITEMS;

  // An empty stored value is Windows' own "no wallpaper", and stays; only a
  // missing one (the first start) is taken from the desktop, or every start
  // in Default.
  if (!storedWallpaper || SettingsState.Mode == MODE_DEFAULT) CaptureWindowsWallpaper();

  SettingsState.BitmapValuesSeen = seen;
  SettingsState.BmpCount = ListCount();
  if (SettingsState.BmpCount == LIST_ERR) {
    ListReset();
    SettingsState.BmpCount = 0;
  }
  if (SettingsState.SelectedBmp < 0 || SettingsState.SelectedBmp >= SettingsState.BmpCount)
    SettingsState.SelectedBmp = 0;
  if (ListText(SettingsState.SelectedBmp, text) != LIST_ERR) {
    SetCurrentText(text);
    ShowPreview(text);
  }
  return 1;
}

void BuildRunCommand(const char* programPath, char (&out)[RUN_COMMAND_SIZE]) {
  unsigned long n = TextLength(programPath, TEXT_SIZE - 1);
  // Windows splits an unquoted command at the first blank, so a path with a
  // blank would hand the tail to the wrong program argument. The byte 0x20
  // is never the second byte of a double-byte character: the scan is safe
  // in every code page.
  bool quote = false;
  for (unsigned long i = 0; i < n; ++i) quote |= programPath[i] == ' ';
  char* p = out;
  if (quote) *p++ = '"';
  p += CopyText(p, TEXT_SIZE, programPath, n);
  if (quote) *p++ = '"';
  CopyText(p, 3, " A");
}

// Deletes every entry value that the load counted before Save writes the
// list anew, so that the key then holds exactly the entries written. The
// numbered deletes alone miss names such as BitmapX, which the load lists at
// every start. A value that the load passed over (a name or path that does
// not fit) was never shown to the user and stays.
static void DeleteEntryValues() {
  RegKey key;
  if (KeyOpen(PROGRAM_KEY, ACCESS_READ_WRITE, &key) != 0) return;
  char name[NAME_SIZE];
  unsigned char data[TEXT_SIZE];
  unsigned long index = 0, dataSize;
  // Bounded, whatever the store answers.
  for (unsigned long step = 0; step < 0x10000; ++step) {
    long rc = EnumValue(key, index, name, data, &dataSize);
    if (rc != 0 && rc != RESULT_MORE_DATA) break;
    // After a delete the next value moves up into this index.
    if (rc != 0 || !IsEntryValue(name, data, dataSize) || KeyDeleteValue(key, name) != 0) ++index;
  }
  KeyClose(key);
}

int SaveSettings() {
  RegKey key;
  if (KeyOpen(PROGRAM_KEY, ACCESS_WRITE, &key) != 0) {
    ShowRegistryProblem();
    return 0;
  }
  // The sweep only after a load that showed the user every stored entry:
  // after a failed one it would delete entries never seen.
  if (SettingsState.LoadComplete) DeleteEntryValues();
  char entry[ENTRY_NAME_SIZE];
  char text[TEXT_SIZE];
  // Also the names about to be written: a stored name that differs only in
  // letter case (bitmap00) would keep its spelling when written over, and the
  // load would no longer list it.
  uint32_t names = SettingsState.BitmapValuesSeen;
  if (SettingsState.BmpCount > 0 && (uint32_t)SettingsState.BmpCount > names)
    names = (uint32_t)SettingsState.BmpCount;
  for (uint32_t i = 0; i < names; ++i) {
    FormatEntryName(entry, (int)i);
    KeyDeleteValue(key, entry);
  }
  const ModeRow& mode = ModeRowFor(SettingsState.Mode);
  char letter[2] = {SettingsState.Mode, 0};
  KeySet(key, VALUE_CHANGE_MODE, VALUE_TEXT, letter, 2);
  WriteText(key, VALUE_PATH, SettingsState.Path);
  if (SettingsState.WallpaperCaptured == 1) {
    WriteText(key, VALUE_WINDOWS_WALLPAPER, SettingsState.WindowsWallpaper);
    WriteText(key, VALUE_WIN_TILE_WALLPAPER, SettingsState.WinTileWallpaper);
  }
  WriteNumber(key, VALUE_BMP_COUNT, (uint32_t)SettingsState.BmpCount);
  if (SettingsState.SelectedBmp == -1) SettingsState.SelectedBmp = 0;
  WriteNumber(key, VALUE_SELECTED_BMP, (uint32_t)SettingsState.SelectedBmp);
  for (int32_t j = 0; j < SettingsState.BmpCount; ++j) {
    FormatEntryName(entry, j);
    if (ListText(j, text) != LIST_ERR) WriteText(key, entry, text);
  }
  WriteNumber(key, VALUE_LAST_CHANGE, TodayDate());
  KeyClose(key);

  RegKey run;
  if (KeyOpen(RUN_KEY, ACCESS_WRITE, &run) != 0) {
    ShowRegistryProblem();
    return 0;
  }
  if (mode.runValue) {
    // The start-up leaves the path empty when it could not be had whole:
    // a Run command that names no file would never run.
    if (SettingsState.ProgramPath[0]) {
      char command[RUN_COMMAND_SIZE];
      BuildRunCommand(SettingsState.ProgramPath, command);
      WriteText(run, RUN_VALUE_NAME, command);
    }
  } else {
    KeyDeleteValue(run, RUN_VALUE_NAME);
  }
  KeyClose(run);

  // Without the desktop key the wallpaper is still applied; only the
  // desktop values are not written.
  RegKey desktop;
  if (KeyOpen(DESKTOP_KEY, ACCESS_WRITE, &desktop) != 0) desktop = nullptr;
  if (mode.applies == APPLY_ENTRY) {
    if (ListText(SettingsState.SelectedBmp, text) != LIST_ERR) {
      if (desktop) WriteText(desktop, VALUE_WALLPAPER, text);
      ApplyWallpaper(text);
    }
  } else if (mode.applies == APPLY_NO_WALLPAPER) {
    if (desktop) WriteText(desktop, VALUE_WALLPAPER, "");
    ApplyWallpaper("");
  } else {
    // Without a known wallpaper the desktop values stay as the user has them.
    if (desktop && SettingsState.WallpaperKnown) {
      WriteText(desktop, VALUE_WALLPAPER, SettingsState.WindowsWallpaper);
      WriteText(desktop, VALUE_TILE_WALLPAPER, SettingsState.WinTileWallpaper);
    }
    ApplyWallpaper(nullptr);
  }
  if (desktop) KeyClose(desktop);
  return 1;
}

int ClearSettings() {
  RegKey desktop;
  if (KeyOpen(DESKTOP_KEY, ACCESS_WRITE, &desktop) == 0) {
    if (SettingsState.WallpaperKnown)
      WriteText(desktop, VALUE_WALLPAPER, SettingsState.WindowsWallpaper);
    ApplyWallpaper(nullptr);
    KeyClose(desktop);
  } else {
    ShowRegistryProblem();
  }
  KeyDelete(PROGRAM_KEY);
  RegKey run;
  if (KeyOpen(RUN_KEY, ACCESS_WRITE, &run) == 0) {
    KeyDeleteValue(run, RUN_VALUE_NAME);
    KeyClose(run);
  } else {
    ShowRegistryProblem();
  }
  return 1;
}
