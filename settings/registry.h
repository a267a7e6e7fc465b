// The seams through which the settings code reaches the registry and the
// desktop. Each is a struct of function pointers: the Windows build fills
// them with the Win32 calls (registry_win32.cpp), the native tests with
// in-memory fakes. Every key lives under HKEY_CURRENT_USER.
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
  VALUE_NUMBER = 4,              // REG_DWORD
  RESULT_MORE_DATA = 234,        // ERROR_MORE_DATA
  RESULT_NO_MORE_ITEMS = 259     // ERROR_NO_MORE_ITEMS
};

struct RegistryApi {
  // Opens the key, creating it and its parents when missing. 0 means open.
  long (*CreateKey)(const char* path, unsigned long access,
                    struct _SECURITY_ATTRIBUTES* security, RegKey* key);
  // Reads a value; 0 means the data is in the buffer. type may be null.
  long (*QueryValue)(RegKey key, const char* name, unsigned long* type,
                     void* data, unsigned long* size);
  long (*SetValue)(RegKey key, const char* name, unsigned long type,
                   const void* data, unsigned long size);
  long (*DeleteValue)(RegKey key, const char* name);
  long (*DeleteKey)(const char* path);
  long (*EnumValue)(RegKey key, unsigned long index, char* name, unsigned long* nameSize,
                    unsigned long* type, void* data, unsigned long* dataSize);
  long (*CloseKey)(RegKey key);
};

struct DesktopApi {
  // Today's local date as a PackedDate.
  uint32_t (*Today)();
  // SPI_SETDESKWALLPAPER with parameter 0 and update flags 0. A null path
  // shows what the desktop values name; an empty one shows no wallpaper.
  void (*ApplyWallpaper)(const char* path);
  // A message box with no owner, no caption and an OK button.
  void (*ShowMessage)(const char* text);
};

extern RegistryApi Registry;
extern DesktopApi Desktop;

// The security attributes for every key creation; null means the default.
extern struct _SECURITY_ATTRIBUTES* RegistrySecurity;

// Helpers over the seam, shared by the automatic change and load/save.
long OpenSettingsKey(const char* path, unsigned long access, RegKey* key);
void WriteText(RegKey key, const char* name, const char* text);
void WriteNumber(RegKey key, const char* name, uint32_t value);
// A REG_DWORD of exactly four bytes; anything else fails.
bool ReadNumber(RegKey key, const char* name, uint32_t* value);
// A REG_SZ or REG_EXPAND_SZ that fits size bytes; always terminated inside
// the buffer on success, even when stored without its terminator.
bool ReadText(RegKey key, const char* name, char* out, unsigned long size);
