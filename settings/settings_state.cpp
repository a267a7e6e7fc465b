#include "settings/settings_state.h"

// Constant data, so that the record needs no code at start-up.
static constexpr SettingsRecord Initial = {MODE_DEFAULT, 0, 0, 0, -1, 0, {}, {}, {}, {'0'}, 0, 0};

SettingsRecord SettingsState = Initial;

SettingsRecord InitialSettingsState() { return Initial; }

const ModeRow& ModeRowFor(char letter) {
  for (const ModeRow& row : ModeTable)
    if (row.letter == letter) return row;
  return ModeTable[4];
}

uint32_t PackDate(unsigned year, unsigned month, unsigned day) {
  return (uint32_t)(day & 0xFF) | (uint32_t)(month & 0xFF) << 8 | (uint32_t)year << 16;
}

// By hand rather than "%s%02i" through printf, which would pull a whole
// formatter into the program.
void FormatEntryName(char (&out)[ENTRY_NAME_SIZE], int index) {
  char digits[12];
  int n = 0;
  uint32_t v = index < 0 ? 0u - (uint32_t)index : (uint32_t)index;
  do {
    digits[n++] = (char)('0' + v % 10);
    v /= 10;
  } while (v);
  if (n < 2 && index >= 0) digits[n++] = '0';  // the sign fills the width
  char* p = out;
  for (const char* s = ENTRY_PREFIX; *s;) *p++ = *s++;
  if (index < 0) *p++ = '-';
  while (n) *p++ = digits[--n];
  *p = 0;
}
