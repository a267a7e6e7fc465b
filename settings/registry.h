// What the settings code needs of the registry and the desktop: plain
// functions, resolved at link time (registry_win32.cpp in the program, an
// in-memory fake in the native tests). Every key lives under HKEY_CURRENT_USER.
#pragma once
#include <stdint.h>

// The tag that Windows gives SECURITY_ATTRIBUTES, so that this portable
// header can name the record without <windows.h>.
struct _SECURITY_ATTRIBUTES;  // NOLINT(bugprone-reserved-identifier)
typedef void* RegKey;

enum : unsigned long {
  ACCESS_READ_WRITE = 0x2001F,   // KEY_READ | KEY_WRITE
  ACCESS_WRITE = 0x20006,        // KEY_WRITE
  ACCESS_READ_CREATE = 0x2001D,  // KEY_READ | KEY_CREATE_SUB_KEY
  VALUE_TEXT = 1,                // REG_SZ
  VALUE_EXPAND_TEXT = 2,         // REG_EXPAND_SZ
  VALUE_BINARY = 3,              // REG_BINARY
  VALUE_NUMBER = 4,              // REG_DWORD
  RESULT_MORE_DATA = 234,        // ERROR_MORE_DATA
  RESULT_NO_MORE_ITEMS = 259     // ERROR_NO_MORE_ITEMS
};

// The security attributes for every key creation; null means the default.
extern struct _SECURITY_ATTRIBUTES* RegistrySecurity;

// Opens the key with RegistrySecurity, creating it and its parents when
// missing. 0 means open; *key is null otherwise.
long KeyOpen(const char* path, unsigned long access, RegKey* key);
// Reads a value into size bytes; 0 means the data is there. type may be null.
long KeyQuery(RegKey key, const char* name, unsigned long* type, void* data, unsigned long* size);
void KeySet(RegKey key, const char* name, unsigned long type, const void* data, unsigned long size);
// 0 when the value was deleted.
long KeyDeleteValue(RegKey key, const char* name);
void KeyDelete(const char* path);
// The value at index: name (nameSize bytes) and, when data is not null, its
// data; 0 while values remain.
long KeyEnum(RegKey key, unsigned long index, char* name, unsigned long* nameSize, void* data,
             unsigned long* dataSize);
void KeyClose(RegKey key);

// Today's local date as a PackedDate.
uint32_t TodayDate();
// SPI_SETDESKWALLPAPER with parameter 0 and update flags 0. A null path
// shows what the desktop values name; an empty one shows no wallpaper.
void ApplyWallpaper(const char* path);
// "Problem with the Registry information!": no owner, no caption, OK.
void ShowRegistryProblem();
// A text value that holds a path of the system's (the desktop's wallpaper),
// as ReadText reads it, but as a path that names the same file: where the
// code page cannot hold the name, its short path; false where neither does.
bool ReadPathText(RegKey key, const char* name, char* out, unsigned long size);

// Helpers over these, shared by the automatic change and load/save.
void WriteText(RegKey key, const char* name, const char* text);
void WriteNumber(RegKey key, const char* name, uint32_t value);
// A REG_DWORD of exactly four bytes; anything else fails.
bool ReadNumber(RegKey key, const char* name, uint32_t* value);
// A REG_SZ or REG_EXPAND_SZ that fits size bytes; always terminated inside
// the buffer on success, even when stored without its terminator.
bool ReadText(RegKey key, const char* name, char* out, unsigned long size);
