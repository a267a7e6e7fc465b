// The registry and the desktop over the Win32 ANSI calls.
#include <windows.h>

#include "settings/load_save.h"
#include "settings/registry.h"
#include "settings/settings_state.h"
#include "support/ansi_path.h"

static_assert(ACCESS_READ_WRITE == (KEY_READ | KEY_WRITE), "0x2001F");
static_assert(ACCESS_WRITE == KEY_WRITE, "0x20006");
static_assert(ACCESS_READ_CREATE == (KEY_READ | KEY_CREATE_SUB_KEY), "0x2001D");
static_assert(VALUE_TEXT == REG_SZ && VALUE_EXPAND_TEXT == REG_EXPAND_SZ &&
                  VALUE_BINARY == REG_BINARY && VALUE_NUMBER == REG_DWORD,
              "value types");
static_assert(RESULT_MORE_DATA == ERROR_MORE_DATA && RESULT_NO_MORE_ITEMS == ERROR_NO_MORE_ITEMS,
              "results");
static_assert(SPI_SETDESKWALLPAPER == 20 && MB_OK == 0, "wallpaper action, message box");

long KeyOpen(const char* path, unsigned long access, RegKey* key) {
  HKEY h = nullptr;
  char noClass[1] = "";
  LONG rc = RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, noClass, REG_OPTION_NON_VOLATILE, access,
                            (SECURITY_ATTRIBUTES*)RegistrySecurity, &h, nullptr);
  *key = rc == ERROR_SUCCESS ? (RegKey)h : nullptr;
  return rc;
}

long KeyQuery(RegKey key, const char* name, unsigned long* type, void* data, unsigned long* size) {
  return RegQueryValueExA((HKEY)key, name, nullptr, type, (BYTE*)data, size);
}

void KeySet(RegKey key, const char* name, unsigned long type, const void* data,
            unsigned long size) {
  RegSetValueExA((HKEY)key, name, 0, type, (const BYTE*)data, size);
}

long KeyDeleteValue(RegKey key, const char* name) { return RegDeleteValueA((HKEY)key, name); }

void KeyDelete(const char* path) { RegDeleteKeyA(HKEY_CURRENT_USER, path); }

long KeyEnum(RegKey key, unsigned long index, char* name, unsigned long* nameSize, void* data,
             unsigned long* dataSize) {
  return RegEnumValueA((HKEY)key, index, name, nameSize, nullptr, nullptr, (BYTE*)data, dataSize);
}

void KeyClose(RegKey key) { RegCloseKey((HKEY)key); }

uint32_t TodayDate() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return PackDate(t.wYear, t.wMonth, t.wDay);
}

void ApplyWallpaper(const char* path) {
  SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, (void*)path, 0);
}

void ShowRegistryProblem() { MessageBoxA(nullptr, MSG_REGISTRY_PROBLEM, nullptr, MB_OK); }

typedef LONG(WINAPI* QueryWideEntry)(HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);

bool ReadPathText(RegKey key, const char* name, char* out, unsigned long size) {
  if (!IsNtFamily()) return ReadText(key, name, out, size);
  out[0] = 0;
  QueryWideEntry query = (QueryWideEntry)SystemEntry("advapi32.dll", "RegQueryValueExW");
  // The program's value names are ASCII.
  wchar_t wideName[NAME_SIZE];
  unsigned long i = 0;
  for (; i < NAME_SIZE - 1 && name[i]; ++i) wideName[i] = (unsigned char)name[i];
  wideName[i] = 0;
  wchar_t text[TEXT_SIZE + 1];
  DWORD type = 0, bytes = TEXT_SIZE * sizeof(wchar_t);
  if (!query || query((HKEY)key, wideName, nullptr, &type, (BYTE*)text, &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return false;
  text[bytes / sizeof(wchar_t)] = 0;  // also when stored without its terminator
  return AnsiPathOf(out, size, text) == RC_OK;
}
