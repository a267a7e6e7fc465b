// LoadSettings then SaveSettings over any registry: afterwards the state is
// one the dialog can show, every text is terminated inside its field, every
// key is closed, and the next load gives back what was saved. The input is a
// run of records [key][type][name length][data length][name][data], where
// bit 3 of the type byte adds 256 to the data length.
#include <assert.h>
#include <stdint.h>
#include <string.h>

#include "settings/load_save.h"
#include "tests/fakes/fake_dialog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ResetFakes();
  strcpy(SettingsState.ProgramPath, "C:\\Program Files\\Scenewheel\\scenewheel.exe");
  static const char* const keys[] = {PROGRAM_KEY, DESKTOP_KEY, RUN_KEY};
  for (size_t p = 0; p + 4 <= size;) {
    size_t nameLength = data[p + 2] % 48;
    size_t dataLength = data[p + 3] | (data[p + 1] & 8) << 5;  // up to 511
    if (p + 4 + nameLength + dataLength > size) break;
    const char* name = reinterpret_cast<const char*>(data) + p + 4;
    // A name ends at a zero byte, as the ANSI calls see it.
    std::string nameText = std::string(name, nameLength).c_str();
    Fake.keys[keys[data[p] % 3]][nameText] = {data[p + 1] & 7ul,
                                              std::string(name + nameLength, dataLength)};
    p += 4 + nameLength + dataLength;
  }
  LoadSettings();
  const SettingsRecord& s = SettingsState;
  assert(std::string("BDWMON").find(s.Mode) != std::string::npos);
  assert(s.BmpCount == int32_t(View.entries.size()));
  assert(s.BmpCount <= MAX_BITMAPS);
  // The selection is an entry of the list, or 0 when the list is empty.
  assert(s.SelectedBmp >= 0);
  assert(s.SelectedBmp == 0 || s.SelectedBmp < s.BmpCount);
  assert(memchr(s.Path, 0, TEXT_SIZE));
  assert(memchr(s.WindowsWallpaper, 0, TEXT_SIZE));
  assert(memchr(s.WinTileWallpaper, 0, TILE_SIZE));
  SaveSettings();
  std::vector<std::string> list = View.entries;
  SettingsRecord saved = SettingsState;
  View = FakeDialog();
  SettingsState = InitialSettingsState();
  LoadSettings();
  assert(list == View.entries);
  assert(saved.Mode == s.Mode);
  assert(saved.SelectedBmp == s.SelectedBmp);
  assert(0 == strcmp(saved.Path, s.Path));
  assert(0 == Fake.openKeys);
  return 0;
}
