#include "settings/load_save.h"
#include <string.h>
#include "dialog/dialog_view.h"
#include "res/resource.h"
#include "settings/registry.h"
#include "settings/settings_state.h"

// Copies registry data into a text field: cut to the field and always
// terminated, whether or not the data carried its own terminator.
static void CopyStoredText(char* out, unsigned long size, const unsigned char* data,
                           unsigned long dataSize) {
  unsigned long n = 0;
  while (n + 1 < size && n < dataSize && data[n]) {
    out[n] = (char)data[n];
    ++n;
  }
  out[n] = 0;
}

// Little-endian from the bytes that are there; missing bytes count as zero.
static uint32_t StoredNumber(const unsigned char* data, unsigned long dataSize) {
  uint32_t v = 0;
  for (unsigned long i = 0; i < 4 && i < dataSize; ++i) v |= (uint32_t)data[i] << (8 * i);
  return v;
}

static void CaptureWindowsWallpaper() {
  RegKey desktop;
  if (OpenSettingsKey(DESKTOP_KEY, ACCESS_READ_CREATE, &desktop) != 0) return;
  char wallpaper[TEXT_SIZE];
  if (ReadText(desktop, VALUE_WALLPAPER, wallpaper, sizeof wallpaper)) {
    memcpy(SettingsState.WindowsWallpaper, wallpaper, sizeof wallpaper);
    SettingsState.WallpaperCaptured = 1;
  }
  if (!ReadText(desktop, VALUE_TILE_WALLPAPER, SettingsState.WinTileWallpaper, TILE_SIZE)) {
    SettingsState.WinTileWallpaper[0] = '0';
    SettingsState.WinTileWallpaper[1] = 0;
  }
  Registry.CloseKey(desktop);
}

int LoadSettings() {
  RegKey key;
  if (OpenSettingsKey(PROGRAM_KEY, ACCESS_READ_WRITE, &key) != 0) {
    Desktop.ShowMessage(MSG_REGISTRY_PROBLEM);
    return 0;
  }
  uint32_t seen = 0;
  char name[NAME_SIZE];
  unsigned char data[TEXT_SIZE];
  char text[TEXT_SIZE];
  for (unsigned long index = 0;; ++index) {
    unsigned long nameSize = NAME_SIZE, dataSize = TEXT_SIZE;
    long rc = Registry.EnumValue(key, index, name, &nameSize, nullptr, data, &dataSize);
    // A name or data that does not fit is passed over: ending here would
    // hide every value behind it, and the next Save would lose them.
    if (rc == RESULT_MORE_DATA) continue;
    if (rc != 0) break;
    name[NAME_SIZE - 1] = 0;
    if (dataSize > TEXT_SIZE) dataSize = TEXT_SIZE;
    if (strcmp(name, VALUE_CHANGE_MODE) == 0) {
      SettingsState.Mode = ModeFromStoredByte(dataSize ? (char)data[0] : '\0');
    } else if (strcmp(name, VALUE_PATH) == 0) {
      CopyStoredText(SettingsState.Path, TEXT_SIZE, data, dataSize);
    } else if (strcmp(name, VALUE_WINDOWS_WALLPAPER) == 0) {
      CopyStoredText(SettingsState.WindowsWallpaper, TEXT_SIZE, data, dataSize);
    } else if (strcmp(name, VALUE_WIN_TILE_WALLPAPER) == 0) {
      CopyStoredText(SettingsState.WinTileWallpaper, TILE_SIZE, data, dataSize);
    } else if (strcmp(name, VALUE_SELECTED_BMP) == 0) {
      SettingsState.SelectedBmp = (int32_t)StoredNumber(data, dataSize);
    } else if (strcmp(name, VALUE_LAST_CHANGE) == 0) {
      SettingsState.LastChange = StoredNumber(data, dataSize);
    } else if (strncmp(name, ENTRY_PREFIX, 6) == 0) {
      // Only the first 32 go into the list; Save deletes every one it saw.
      if (seen < MAX_BITMAPS) {
        CopyStoredText(text, TEXT_SIZE, data, dataSize);
        ListBox.Add(text);
      }
      ++seen;
    }
  }
  Registry.CloseKey(key);

  if (SettingsState.WindowsWallpaper[0] == 0 || SettingsState.Mode == MODE_DEFAULT)
    CaptureWindowsWallpaper();

  SettingsState.BitmapValuesSeen = seen;
  SettingsState.BmpCount = ListBox.Count();
  if (SettingsState.BmpCount == LIST_ERR) {
    ListBox.Reset();
    SettingsState.BmpCount = 0;
  }
  if (SettingsState.SelectedBmp < 0 || SettingsState.SelectedBmp >= SettingsState.BmpCount)
    SettingsState.SelectedBmp = 0;
  if (ListBox.GetText(SettingsState.SelectedBmp, text) != LIST_ERR) {
    DialogView.SetControlText(IDC_CURRENT, text);
    ShowPreview(text);
  }
  return 1;
}

void BuildRunCommand(const char* programPath, char (&out)[RUN_COMMAND_SIZE]) {
  unsigned long n = 0;
  while (n < TEXT_SIZE - 1 && programPath[n]) ++n;
  // Windows splits an unquoted command at the first blank, so a path with a
  // blank would hand the tail to the wrong program argument.
  int quote = memchr(programPath, ' ', n) != nullptr;
  char* p = out;
  if (quote) *p++ = '"';
  memcpy(p, programPath, n);
  p += n;
  if (quote) *p++ = '"';
  *p++ = ' ';
  *p++ = 'A';
  *p = 0;
}

// "Bitmap" at the start of a name, in any letter case.
static bool HasEntryPrefix(const char* name) {
  for (int i = 0; i < 6; ++i) {
    char c = name[i];
    if (c >= 'a' && c <= 'z') c = (char)(c - 32);
    if (c != "BITMAP"[i]) return false;
  }
  return true;
}

// Deletes every value named "Bitmap..." before Save writes the list anew,
// so that the key then holds exactly the entries written. The numbered
// deletes alone miss names such as BitmapX, which the load lists at every
// start, and a name differing only in letter case keeps its spelling when
// written over, so the load would no longer list it.
static void DeleteEntryValues() {
  RegKey key;
  if (OpenSettingsKey(PROGRAM_KEY, ACCESS_READ_WRITE, &key) != 0) return;
  char name[TEXT_SIZE];
  unsigned long index = 0;
  // Bounded, whatever the store answers.
  for (unsigned long step = 0; step < 0x10000; ++step) {
    unsigned long nameSize = TEXT_SIZE;
    long rc = Registry.EnumValue(key, index, name, &nameSize, nullptr, nullptr, nullptr);
    if (rc == RESULT_MORE_DATA) {
      ++index;
      continue;
    }
    if (rc != 0) break;
    name[TEXT_SIZE - 1] = 0;
    // After a delete the next value moves up into this index.
    if (!HasEntryPrefix(name) || Registry.DeleteValue(key, name) != 0) ++index;
  }
  Registry.CloseKey(key);
}

int SaveSettings() {
  RegKey key;
  if (OpenSettingsKey(PROGRAM_KEY, ACCESS_WRITE, &key) != 0) {
    Desktop.ShowMessage(MSG_REGISTRY_PROBLEM);
    return 0;
  }
  DeleteEntryValues();
  char entry[ENTRY_NAME_SIZE];
  char text[TEXT_SIZE];
  for (uint32_t i = 0; i < SettingsState.BitmapValuesSeen; ++i) {
    FormatEntryName(entry, (int)i);
    Registry.DeleteValue(key, entry);
  }
  char mode[2] = {SettingsState.Mode, 0};
  Registry.SetValue(key, VALUE_CHANGE_MODE, VALUE_TEXT, mode, 2);
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
    if (ListBox.GetText(j, text) != LIST_ERR) WriteText(key, entry, text);
  }
  WriteNumber(key, VALUE_LAST_CHANGE, Desktop.Today());
  Registry.CloseKey(key);

  RegKey run;
  if (OpenSettingsKey(RUN_KEY, ACCESS_WRITE, &run) != 0) {
    Desktop.ShowMessage(MSG_REGISTRY_PROBLEM);
    return 0;
  }
  char mode0 = SettingsState.Mode;
  if (mode0 == MODE_BOOT || mode0 == MODE_DAILY || mode0 == MODE_WEEKLY) {
    char command[RUN_COMMAND_SIZE];
    BuildRunCommand(SettingsState.ProgramPath, command);
    WriteText(run, RUN_VALUE_NAME, command);
  } else {
    Registry.DeleteValue(run, RUN_VALUE_NAME);
  }
  Registry.CloseKey(run);

  // Without the desktop key the wallpaper is still applied; only the
  // desktop values are not written.
  RegKey desktop;
  if (OpenSettingsKey(DESKTOP_KEY, ACCESS_WRITE, &desktop) != 0) desktop = nullptr;
  switch (mode0) {
    case MODE_BOOT: case MODE_DAILY: case MODE_MANUAL: case MODE_WEEKLY:
      if (ListBox.GetText(SettingsState.SelectedBmp, text) == LIST_ERR) break;
      if (desktop) WriteText(desktop, VALUE_WALLPAPER, text);
      Desktop.ApplyWallpaper(text);
      break;
    case MODE_NONE:
      if (desktop) WriteText(desktop, VALUE_WALLPAPER, "");
      Desktop.ApplyWallpaper("");
      break;
    default:
      if (desktop) {
        WriteText(desktop, VALUE_WALLPAPER, SettingsState.WindowsWallpaper);
        WriteText(desktop, VALUE_TILE_WALLPAPER, SettingsState.WinTileWallpaper);
      }
      Desktop.ApplyWallpaper(nullptr);
      break;
  }
  if (desktop) Registry.CloseKey(desktop);
  return 1;
}

int ClearSettings() {
  RegKey desktop;
  if (OpenSettingsKey(DESKTOP_KEY, ACCESS_WRITE, &desktop) == 0) {
    WriteText(desktop, VALUE_WALLPAPER, SettingsState.WindowsWallpaper);
    Desktop.ApplyWallpaper(nullptr);
    Registry.CloseKey(desktop);
  } else {
    Desktop.ShowMessage(MSG_REGISTRY_PROBLEM);
  }
  Registry.DeleteKey(PROGRAM_KEY);
  RegKey run;
  if (OpenSettingsKey(RUN_KEY, ACCESS_WRITE, &run) == 0) {
    Registry.DeleteValue(run, RUN_VALUE_NAME);
    Registry.CloseKey(run);
  } else {
    Desktop.ShowMessage(MSG_REGISTRY_PROBLEM);
  }
  return 1;
}
