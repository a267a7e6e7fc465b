// Wide names made ANSI without losing the file they name.
#include <windows.h>

#include "support/ansi_path.h"

static_assert(VER_PLATFORM_WIN32_NT == 2 && CP_ACP == 0, "platform id, code page");

typedef int(WINAPI* ToAnsiEntry)(UINT, DWORD, LPCWSTR, int, LPSTR, int, LPCSTR, LPBOOL);
typedef int(WINAPI* ToWideEntry)(UINT, DWORD, LPCSTR, int, LPWSTR, int);
typedef DWORD(WINAPI* ShortPathEntry)(LPCWSTR, LPWSTR, DWORD);

enum { WIDE_PATH_SIZE = MAX_PATH };

bool IsNtFamily() {
  static int nt = -1;
  if (nt < 0) {
    OSVERSIONINFOA info;
    ZeroMemory(&info, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
    nt = GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
  }
  return nt == 1;
}

void* SystemEntry(const char* module, const char* name) {
  HMODULE loaded = GetModuleHandleA(module);
  return loaded ? (void*)GetProcAddress(loaded, name) : nullptr;
}

// out gets wide in the code page when that fits and converts back to
// exactly wide: no default character, no look-alike.
static bool SurvivesCodePage(char* out, uint32_t size, const wchar_t* wide) {
  ToAnsiEntry toAnsi = (ToAnsiEntry)SystemEntry("kernel32.dll", "WideCharToMultiByte");
  ToWideEntry toWide = (ToWideEntry)SystemEntry("kernel32.dll", "MultiByteToWideChar");
  wchar_t back[WIDE_PATH_SIZE];
  if (!toAnsi || !toWide || !toAnsi(CP_ACP, 0, wide, -1, out, (int)size, nullptr, nullptr) ||
      !toWide(CP_ACP, 0, out, -1, back, WIDE_PATH_SIZE))
    return false;
  for (int i = 0;; ++i) {
    if (back[i] != wide[i]) return false;
    if (!wide[i]) return true;
  }
}

ResultCode AnsiPathOf(char* out, uint32_t size, const wchar_t* wide) {
  if (!out || !size || !wide) return RC_BAD_ARG;
  if (SurvivesCodePage(out, size, wide)) return RC_OK;
  // Where the volume keeps short names they are plain ASCII; a file that is
  // not there has none.
  ShortPathEntry shortPath = (ShortPathEntry)SystemEntry("kernel32.dll", "GetShortPathNameW");
  wchar_t brief[WIDE_PATH_SIZE];
  DWORD n = shortPath ? shortPath(wide, brief, WIDE_PATH_SIZE) : 0;
  if (n && n < WIDE_PATH_SIZE && SurvivesCodePage(out, size, brief)) return RC_OK;
  out[0] = 0;
  return RC_FAILED;
}
