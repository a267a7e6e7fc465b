// The registry and desktop seams over the Win32 ANSI calls.
#include <windows.h>
#include "settings/registry.h"
#include "settings/settings_state.h"

static long CreateKeyWin32(const char* path, unsigned long access,
                           struct _SECURITY_ATTRIBUTES* security, RegKey* key) {
  HKEY h = nullptr;
  char noClass[1] = "";
  LONG rc = RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, noClass, 0, access, security, &h, nullptr);
  *key = rc == ERROR_SUCCESS ? (RegKey)h : nullptr;
  return rc;
}

static long QueryValueWin32(RegKey key, const char* name, unsigned long* type, void* data,
                            unsigned long* size) {
  return RegQueryValueExA((HKEY)key, name, nullptr, type, (BYTE*)data, size);
}

static long SetValueWin32(RegKey key, const char* name, unsigned long type, const void* data,
                          unsigned long size) {
  return RegSetValueExA((HKEY)key, name, 0, type, (const BYTE*)data, size);
}

static long DeleteValueWin32(RegKey key, const char* name) {
  return RegDeleteValueA((HKEY)key, name);
}

static long DeleteKeyWin32(const char* path) { return RegDeleteKeyA(HKEY_CURRENT_USER, path); }

static long EnumValueWin32(RegKey key, unsigned long index, char* name, unsigned long* nameSize,
                           unsigned long* type, void* data, unsigned long* dataSize) {
  return RegEnumValueA((HKEY)key, index, name, nameSize, nullptr, type, (BYTE*)data, dataSize);
}

static long CloseKeyWin32(RegKey key) { return RegCloseKey((HKEY)key); }

RegistryApi Registry = {CreateKeyWin32, QueryValueWin32, SetValueWin32, DeleteValueWin32,
                        DeleteKeyWin32,  EnumValueWin32,  CloseKeyWin32};

static uint32_t TodayWin32() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return PackDate(t.wYear, t.wMonth, t.wDay);
}

static void ApplyWallpaperWin32(const char* path) {
  SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, (void*)path, 0);
}

static void ShowMessageWin32(const char* text) { MessageBoxA(nullptr, text, nullptr, MB_OK); }

DesktopApi Desktop = {TodayWin32, ApplyWallpaperWin32, ShowMessageWin32};
