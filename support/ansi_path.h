// Paths that the system hands out, as ANSI text that names the same file.
// On the NT family the file system and the registry hold Unicode, and an
// ANSI call answers a name that the user's code page cannot hold with '?'
// or with a look-alike (the system's "best fit"), which names no file or
// another one. There the wide answer is asked for and taken when it comes
// back from the code page unchanged, else by its short (8.3) path. The 95,
// 98 and Me family knows only ANSI names: there the ANSI answer is the name.
#pragma once
#include <stdint.h>

#include "support/result_codes.h"

// True on the NT family, by the platform that the system reports, whatever
// its version.
bool IsNtFamily();

// The ANSI form of wide into out (size bytes): wide itself when it converts
// to the code page and back unchanged and fits, else its short path on the
// same terms. RC_OK; RC_BAD_ARG for a null argument or a size of 0;
// RC_FAILED, out empty, when neither names the file.
ResultCode AnsiPathOf(char* out, uint32_t size, const wchar_t* wide);

// An entry point of a module that the process has loaded (kernel32,
// advapi32, comdlg32 ...), or null. The wide entry points that the first
// Windows 95 lacks are looked up here, never imported.
void* SystemEntry(const char* module, const char* name);
