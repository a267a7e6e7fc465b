// LoadSettings then SaveSettings over any registry: afterwards the state is
// one the dialog can show, every text is terminated inside its field, every
// key is closed, and the next load gives back what was saved. The input is a
// run of records [key][type][name length][data length][name][data], where
// bit 3 of the type byte adds 256 to the data length.
#include <stdint.h>
#include <stdlib.h>

#include "settings/load_save.h"
#include "tests/fakes/fake_dialog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ResetFakes();
  strcpy(SettingsState.ProgramPath, "C:\\Program Files\\Scenewheel\\scenewheel.exe");
  static const char* const keys[] = {PROGRAM_KEY, DESKTOP_KEY, RUN_KEY};
  for (size_t p = 0; p + 4 <= size;) {
    size_t nameLength = data[p + 2] % 48, dataLength = data[p + 3] | (data[p + 1] & 8)
                                                                         << 5;  // up to 511
    if (p + 4 + nameLength + dataLength > size) break;
    const char* name = (const char*)data + p + 4;
    // A name ends at a zero byte, as the ANSI calls see it.
    Fake.keys[keys[data[p] % 3]][std::string(name, nameLength).c_str()] = {
        data[p + 1] & 7ul, std::string(name + nameLength, dataLength)};
    p += 4 + nameLength + dataLength;
  }
  LoadSettings();
  const SettingsRecord& s = SettingsState;
  if (!strchr("BDWMON", s.Mode) || !s.Mode || s.BmpCount != (int32_t)View.entries.size() ||
      s.BmpCount > 32)
    abort();
  if (s.SelectedBmp != 0 && (s.SelectedBmp < 0 || s.SelectedBmp >= s.BmpCount)) abort();
  if (!memchr(s.Path, 0, TEXT_SIZE) || !memchr(s.WindowsWallpaper, 0, TEXT_SIZE) ||
      !memchr(s.WinTileWallpaper, 0, TILE_SIZE))
    abort();
  SaveSettings();
  std::vector<std::string> list = View.entries;
  SettingsRecord first = SettingsState;
  View = FakeDialog(), SettingsState = InitialSettingsState(), LoadSettings();
  if (View.entries != list || s.Mode != first.Mode || s.SelectedBmp != first.SelectedBmp ||
      strcmp(s.Path, first.Path) || Fake.openKeys != 0)
    abort();
  return 0;
}
