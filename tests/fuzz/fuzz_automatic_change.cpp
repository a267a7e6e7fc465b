// The logon run over any registry: it never reads or writes out of bounds,
// releases every key, and writes only what a due or not-due run may write.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include "settings/automatic_change.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fake.Reset();
  SettingsState = InitialSettingsState();
  FuzzReader in{data, size};
  int today = in.Byte();
  Fake.today = PackDate(2003, 3, today < 0 ? 1 : today % 32);
  FillFakeRegistry(in, 300);

  int applied = RunAutomaticChange();
  if (Fake.openKeys != 0) abort();
  for (const FakeCall& w : Fake.writes) {
    if (w.op == "set" && w.key == PROGRAM_KEY) {
      if (w.name != "SelectedBmp" && w.name != "LastChange") abort();
      if (w.data.size() != 4) abort();
      if (w.name == "SelectedBmp") {
        int32_t v;
        memcpy(&v, w.data.data(), 4);
        if (v > 31) abort();
      }
    } else if (w.op == "set") {
      // Only the desktop's Wallpaper, as a terminated text of at most 260 bytes.
      if (w.key != DESKTOP_KEY || w.name != "Wallpaper") abort();
      if (w.data.empty() || w.data.size() > TEXT_SIZE || w.data.back() != 0) abort();
      if (strlen(w.data.c_str()) + 1 != w.data.size()) abort();
    } else if (w.op != "apply") {
      abort();  // the run deletes nothing
    }
  }
  if (applied != (int)Fake.applied.size()) abort();
  return 0;
}
