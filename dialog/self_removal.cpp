#include "dialog/self_removal.h"
#include <string.h>
#include "settings/settings_state.h"

uint32_t InsertRenameEntry(unsigned char* buffer, uint32_t n, const char* entry,
                           uint32_t entryLength) {
  static const char header[] = RENAME_HEADER;
  // Byte for byte, case-sensitive, anywhere; the search stops at a zero byte.
  for (uint32_t k = 0; k < n && buffer[k]; ++k) {
    uint32_t i = 0;
    while (i < RENAME_HEADER_SIZE && buffer[k + i] == (unsigned char)header[i]) ++i;
    if (i < RENAME_HEADER_SIZE) continue;
    uint32_t p = k;
    while (buffer[p] != '\r' && buffer[p] != '\n') ++p;
    // Past the header's line break and any empty lines under it; the zero
    // bytes behind the text stop this walk.
    while (p < n && (buffer[p] == '\r' || buffer[p] == '\n')) ++p;
    memmove(buffer + p + entryLength, buffer + p, n - p);
    memcpy(buffer + p, entry, entryLength);
    return n + entryLength;
  }
  // File bytes, not a text: no terminator belongs here.
  memcpy(buffer + n, header, RENAME_HEADER_SIZE);  // NOLINT(bugprone-not-null-terminated-result)
  memcpy(buffer + n + RENAME_HEADER_SIZE, entry, entryLength);
  return n + RENAME_HEADER_SIZE + entryLength;
}

int ScheduleSelfRemoval() {
  if (SelfRemoval.DeleteAtRestart(SettingsState.ProgramPath)) return 1;

  // The entry is counted bytes, not a text: the short path follows "NUL=".
  char entry[RENAME_ENTRY_SIZE];
  memcpy(entry, "NUL=", 4);  // NOLINT(bugprone-not-null-terminated-result)
  unsigned long shortLength = SelfRemoval.ShortPath(SettingsState.ProgramPath, entry + 4,
                                                    SHORT_PATH_ROOM);
  // Without a short path that fits there is no entry worth writing.
  if (shortLength == 0 || shortLength > SHORT_PATH_ROOM - 1) return 0;
  entry[4 + shortLength] = '\r';
  entry[5 + shortLength] = '\n';
  uint32_t entryLength = (uint32_t)shortLength + 6;

  static const char fileName[] = "\\Wininit.ini";
  char path[TEXT_SIZE];
  unsigned folder = SelfRemoval.WindowsFolder(path, TEXT_SIZE);
  if (folder == 0 || folder + sizeof fileName > TEXT_SIZE) return 0;
  memcpy(path + folder, fileName, sizeof fileName);

  int result = 0;
  void* mapping = nullptr;
  void* view = nullptr;
  uint32_t size;
  void* file = SelfRemoval.OpenFile(path);
  if (!file) return 0;
  size = SelfRemoval.FileSize(file);
  if (size == 0xFFFFFFFFu || size > 0x7FFFFFFFu) goto done;
  mapping = SelfRemoval.CreateMapping(file, size + entryLength + RENAME_HEADER_SIZE);
  if (!mapping) goto done;
  view = SelfRemoval.MapView(mapping);
  if (!view) goto done;
  size = InsertRenameEntry((unsigned char*)view, size, entry, entryLength);
  result = 1;
done:
  if (view) SelfRemoval.UnmapView(view);
  if (mapping) SelfRemoval.CloseHandle(mapping);
  // On success this cuts off the reserve the edit did not fill; on failure
  // it takes back whatever the mapping added.
  if (size != 0xFFFFFFFFu && size <= 0x7FFFFFFFu) SelfRemoval.SetEnd(file, size);
  SelfRemoval.CloseHandle(file);
  return result;
}
