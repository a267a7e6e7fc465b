// The two queries behind the platform table: the system's version, and on
// the first 9x release the common controls' own.
#include <windows.h>
// The SDK's other headers build on <windows.h>.
#include <shlwapi.h>

#include "app/platform_probe.h"

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record is 148 bytes");
static_assert(sizeof(DLLVERSIONINFO) == 20, "the module version record is 20 bytes");
static_assert(VER_PLATFORM_WIN32_WINDOWS == PLATFORM_WIN32_WINDOWS &&
                  VER_PLATFORM_WIN32_NT == PLATFORM_WIN32_NT,
              "platform ids");

uint32_t LastPlatformClass = 0;

ResultCode ProbePlatform(uint32_t* out) {
  if (out) *out = 0;
  OSVERSIONINFOA info;
  ZeroMemory(&info, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return RC_FAILED;
  uint32_t commonControls = 0;
  if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && info.dwMinorVersion == 0 &&
      QueryDllVersion("comctl32.dll", &commonControls) != RC_OK)
    return RC_FAILED;
  uint32_t found =
      ClassifyPlatform(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, commonControls);
  LastPlatformClass = found;
  if (out) *out = found;
  return RC_OK;
}

ResultCode QueryDllVersion(const char* fileName, uint32_t* version) {
  if (!fileName || !fileName[0] || !version) return RC_BAD_ARG;
  *version = 0;
  HMODULE module = LoadLibraryA(fileName);
  if (!module) return RC_FAILED;
  DLLGETVERSIONPROC entry = (DLLGETVERSIONPROC)(void*)GetProcAddress(module, "DllGetVersion");
  uint32_t packed = 0;
  if (entry) {
    DLLVERSIONINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    // A failure result means no version.
    if (SUCCEEDED(entry(&info)))
      packed = PackModuleVersion(info.dwMajorVersion, info.dwMinorVersion);
  }
  FreeLibrary(module);
  *version = packed;
  return packed ? RC_OK : RC_FAILED;
}
