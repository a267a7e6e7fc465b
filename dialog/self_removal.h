// Deleting the program file at the next start of Windows: by the system
// when it agrees, else by a NUL= entry in the [rename] section of
// Wininit.ini. The file edit itself is the pure InsertRenameEntry.
#pragma once
#include <stdint.h>

#define RENAME_HEADER "[rename]\r\n"
enum { RENAME_HEADER_SIZE = 10, SHORT_PATH_ROOM = 249, RENAME_ENTRY_SIZE = 256 };

// File and mapping operations; handles are null on failure.
struct SelfRemovalApi {
  // Nonzero when the system will delete the file at the next restart.
  int (*DeleteAtRestart)(const char* path);
  // Length of the short form written to out (without terminator), 0 on failure.
  unsigned long (*ShortPath)(const char* path, char* out, unsigned long size);
  // The Windows folder without a trailing backslash; its length, 0 on failure.
  unsigned (*WindowsFolder)(char* out, unsigned size);
  // Read-write, shared with nobody, created when missing.
  void* (*OpenFile)(const char* path);
  // The size, or 0xFFFFFFFF when it cannot be read.
  uint32_t (*FileSize)(void* file);
  // A read-write mapping of size bytes; the file grows to it.
  void* (*CreateMapping)(void* file, uint32_t size);
  void* (*MapView)(void* mapping);
  void (*UnmapView)(void* view);
  void (*CloseHandle)(void* handle);
  // Ends the file exactly at length.
  void (*SetEnd)(void* file, uint32_t length);
};
extern SelfRemovalApi SelfRemoval;

// Edits buffer in place: it holds the n bytes of the file followed by at
// least entryLength + 10 zero bytes. Returns the new length.
uint32_t InsertRenameEntry(unsigned char* buffer, uint32_t n, const char* entry,
                           uint32_t entryLength);

// 1 when the deletion was scheduled, 0 when the file edit failed.
int ScheduleSelfRemoval();
