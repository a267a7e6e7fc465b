// Self-removal's file steps over Win32.
#include <windows.h>

#include "dialog/self_removal.h"
#include "settings/settings_state.h"  // TEXT_SIZE
#include "settings/text.h"

static_assert(MOVEFILE_DELAY_UNTIL_REBOOT == 4, "delete at the next restart");
static_assert((FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN) == 0x08000080, "open flags");

int DeleteAtRestart(const char* path) {
  return MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) ? 1 : 0;
}

int WriteWininitEntry(const char* folder, const char* programPath) {
  char windows[TEXT_SIZE];
  if (!folder) {
    UINT n = GetWindowsDirectoryA(windows, TEXT_SIZE);
    if (n == 0 || n >= TEXT_SIZE) return 0;
    folder = windows;
  }
  // The entry is counted bytes, not a text: the short path follows "NUL=".
  char entry[RENAME_ENTRY_SIZE];
  CopyText(entry, sizeof entry, "NUL=");
  DWORD shortLength = GetShortPathNameA(programPath, entry + 4, SHORT_PATH_ROOM);
  // Without a short path that fits there is no entry worth writing.
  if (shortLength == 0 || shortLength > SHORT_PATH_ROOM - 1) return 0;
  entry[4 + shortLength] = '\r';
  entry[5 + shortLength] = '\n';
  DWORD entryLength = shortLength + 6;

  char path[TEXT_SIZE];
  unsigned long length = CopyText(path, TEXT_SIZE, folder);
  if (CopyText(path + length, TEXT_SIZE - length, "\\Wininit.ini") != 12) return 0;

  HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  int result = 0;
  HANDLE mapping = nullptr;
  void* view = nullptr;
  DWORD size = GetFileSize(file, nullptr);
  if (size == INVALID_FILE_SIZE || size > 0x7FFFFFFFu) goto done;
  mapping = CreateFileMappingA(file, nullptr, PAGE_READWRITE, 0,
                               size + entryLength + RENAME_HEADER_SIZE, nullptr);
  if (!mapping) goto done;
  view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0);
  if (!view) goto done;
  size = InsertRenameEntry((unsigned char*)view, size, entry, entryLength);
  result = 1;
done:
  if (view) UnmapViewOfFile(view);
  if (mapping) CloseHandle(mapping);
  // On success this cuts off the reserve the edit did not fill; on failure
  // it takes back whatever the mapping added.
  if (size != INVALID_FILE_SIZE && size <= 0x7FFFFFFFu &&
      SetFilePointer(file, (LONG)size, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER)
    SetEndOfFile(file);
  CloseHandle(file);
  return result;
}
