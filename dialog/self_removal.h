// Deleting the program file at the next start of Windows: by the system
// when it agrees, else by a NUL= entry in the [rename] section of
// Wininit.ini. The file edit itself is the pure InsertRenameEntry.
#pragma once
#include <stdint.h>

#define RENAME_HEADER "[rename]\r\n"
enum { RENAME_HEADER_SIZE = 10, SHORT_PATH_ROOM = 249, RENAME_ENTRY_SIZE = 256 };

// Deletes the program file at the next start of Windows: 1 when scheduled,
// 0 when neither the system nor Wininit.ini could take it.
int ScheduleSelfRemoval();

// Edits buffer in place: it holds the n bytes of the file followed by at
// least entryLength + 10 zero bytes. Returns the new length.
uint32_t InsertRenameEntry(unsigned char* buffer, uint32_t n, const char* entry,
                           uint32_t entryLength);

// The Windows face. The system's own delayed deletion (MoveFileExA): 1 when
// it agreed.
int DeleteAtRestart(const char* path);
// Puts the delete entry for programPath into folder\Wininit.ini (null: the
// Windows folder), creating the file when missing. 1 when written, 0 with
// the file left as it was.
int WriteWininitEntry(const char* folder, const char* programPath);
