// What the settings and the dialog need of the file system and the code
// page: plain functions, resolved at link time (files_win32.cpp in the
// program, an in-memory fake in the native tests), and the rules over them.
#pragma once

// What the system answers about a path: a file, a folder, nothing there
// (the drive or share answered), or no answer, when its drive or share may
// be away (a floppy drive without its disk, a server that is down), and a
// question may wait for the system's time-out.
enum PathAnswer { PATH_FILE, PATH_FOLDER, PATH_GONE, PATH_NO_ANSWER };

enum : unsigned long {
  NO_ATTRIBUTES = 0xFFFFFFFF,  // INVALID_FILE_ATTRIBUTES
  ATTRIBUTE_FOLDER = 0x10,     // FILE_ATTRIBUTE_DIRECTORY
  RESULT_NOT_READY = 21,       // ERROR_NOT_READY: a drive without its disk
  // Longer than a local drive takes to find nothing, a floppy's or CD's
  // spin-up included; a share that is away takes tens of seconds.
  SLOW_ANSWER_MS = 3000
};

// One question about a path, as the system answered it: the attributes, or
// NO_ATTRIBUTES and the error; and how long the answer took.
struct PathReply {
  unsigned long attributes;
  unsigned long error;
  unsigned long milliseconds;
};
PathReply QueryPath(const char* path);

// The answer that a reply gives. Only a reply that took the time-out, or a
// drive that says it is not ready, is no answer; any other error in time
// means the drive or share looked: the path is gone (or refused).
PathAnswer AnswerOf(const PathReply& reply);
// AnswerOf(QueryPath(path)).
PathAnswer AskPath(const char* path);

// Whether c starts a double-byte character in the user's code page.
bool IsLeadByte(unsigned char c);
// Whether two paths name the same file, compared as Windows compares file
// names in the user's code page (lstrcmpiA): without regard to letter case,
// and never taking the second byte of a double-byte character for a letter.
int SameFileName(const char* a, const char* b);
// The length of the root of a path, its drive or share: 3 for "C:\x.bmp"
// (2 for "C:x.bmp"), 15 for "\\server\share\x.bmp"; 0 when it has none.
unsigned long PathRootLength(const char* path);
