#include "dialog/self_removal.h"

#include "settings/settings_state.h"
#include "support/ansi_path.h"

int ScheduleSelfRemoval() {
  if (DeleteAtRestart(SettingsState.ProgramPath)) return 1;
  // Only the start of Windows 95, 98 and Me reads Wininit.ini. On NT, of
  // any version, the system refuses the delayed deletion to a user who is
  // not an administrator, and an entry there would never be acted on.
  if (IsNtFamily()) return 0;
  return WriteWininitEntry(nullptr, SettingsState.ProgramPath);
}

uint32_t InsertRenameEntry(unsigned char* buffer, uint32_t n, const char* entry,
                           uint32_t entryLength) {
  static const char header[] = RENAME_HEADER;
  uint32_t p = n;
  bool found = false;
  // Byte for byte, case-sensitive, anywhere; the search stops at a zero byte.
  for (uint32_t k = 0; k < n && buffer[k] && !found; ++k) {
    uint32_t i = 0;
    while (i < RENAME_HEADER_SIZE && buffer[k + i] == (unsigned char)header[i]) ++i;
    if (i < RENAME_HEADER_SIZE) continue;
    found = true;
    // Past the header's line break and any empty lines under it; the zero
    // bytes behind the text stop this walk.
    p = k + 8;
    while (p < n && (buffer[p] == '\r' || buffer[p] == '\n')) ++p;
  }
  if (!found) {
    for (uint32_t i = 0; i < RENAME_HEADER_SIZE; ++i) buffer[n + i] = (unsigned char)header[i];
    p = n += RENAME_HEADER_SIZE;
  }
  // What follows the insertion point moves up, from the end down.
  for (uint32_t i = n; i > p; --i) buffer[i - 1 + entryLength] = buffer[i - 1];
  for (uint32_t i = 0; i < entryLength; ++i) buffer[p + i] = (unsigned char)entry[i];
  return n + entryLength;
}
