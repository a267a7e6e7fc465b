// LoadSettings then SaveSettings over any registry: afterwards the state is
// one the dialog can show, every text is terminated inside its field, a
// Save writes exactly BmpCount entry values from Bitmap00 onward, and the
// next load gives back what was saved.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>
#include "settings/load_save.h"
#include "tests/fakes/fake_dialog.h"
#include "tests/fuzz/fuzz_input.h"

static void ExpectTerminated(const char* field, size_t size) {
  if (!memchr(field, 0, size)) abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fake.Reset();
  FakeView.Reset();
  SettingsState = InitialSettingsState();
  strcpy(SettingsState.ProgramPath, "C:\\Program Files\\Scenewheel\\scenewheel.exe");
  FuzzReader in{data, size};
  FillFakeRegistry(in, 300);

  LoadSettings();
  const SettingsRecord& s = SettingsState;
  if (!strchr("BDWMON", s.Mode) || s.Mode == 0) abort();
  if (s.BmpCount < 0 || s.BmpCount > MAX_BITMAPS) abort();
  if (s.BmpCount != (int32_t)FakeView.entries.size()) abort();
  if (s.SelectedBmp != 0 && (s.SelectedBmp < 0 || s.SelectedBmp >= s.BmpCount)) abort();
  ExpectTerminated(s.Path, sizeof s.Path);
  ExpectTerminated(s.WindowsWallpaper, sizeof s.WindowsWallpaper);
  ExpectTerminated(s.WinTileWallpaper, sizeof s.WinTileWallpaper);
  if (Fake.openKeys != 0) abort();

  Fake.writes.clear();
  SaveSettings();
  if (Fake.openKeys != 0) abort();
  int next = 0;
  for (const FakeCall& w : Fake.writes) {
    if (w.op != "set" || w.key != PROGRAM_KEY || w.name.compare(0, 6, "Bitmap") != 0) continue;
    char name[ENTRY_NAME_SIZE];
    FormatEntryName(name, next++);
    if (w.name != name) abort();
    if (w.data.empty() || w.data.back() != 0 || w.data.size() > TEXT_SIZE) abort();
  }
  if (next != s.BmpCount) abort();

  // Whatever was stored, the Run command is quoted around the blank path.
  if (Fake.Has(RUN_KEY, RUN_VALUE_NAME) &&
      Fake.Text(RUN_KEY, RUN_VALUE_NAME) != std::string("\"") + s.ProgramPath + "\" A")
    abort();
  // What a Save leaves, the next start loads back unchanged.
  std::vector<std::string> list = FakeView.entries;
  SettingsRecord first = SettingsState;
  FakeView.Reset();
  SettingsState = InitialSettingsState();
  LoadSettings();
  if (FakeView.entries != list) abort();
  if (SettingsState.Mode != first.Mode || SettingsState.SelectedBmp != first.SelectedBmp ||
      strcmp(SettingsState.Path, first.Path) != 0)
    abort();
  return 0;
}
