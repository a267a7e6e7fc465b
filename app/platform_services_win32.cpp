// The kernel services of the platform probe and the registry security.
#include <windows.h>
#include "app/platform_services.h"

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record is 148 bytes");

static int GetVersionWin32(uint32_t* platformId, uint32_t* major, uint32_t* minor) {
  OSVERSIONINFOA info;
  ZeroMemory(&info, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return 0;
  *platformId = info.dwPlatformId;
  *major = info.dwMajorVersion;
  *minor = info.dwMinorVersion;
  return 1;
}

static void* LoadModuleWin32(const char* fileName) { return (void*)LoadLibraryA(fileName); }

static EntryPoint FindEntryWin32(void* module, const char* name) {
  return (EntryPoint)GetProcAddress((HMODULE)module, name);
}

static void FreeModuleWin32(void* module) { FreeLibrary((HMODULE)module); }

static void* AllocZeroedWin32(uint32_t size) { return (void*)LocalAlloc(LPTR, size); }

static void FreeLocalWin32(void* block) { LocalFree((HLOCAL)block); }

PlatformServicesApi PlatformServices = {GetVersionWin32, LoadModuleWin32, FindEntryWin32,
                                        FreeModuleWin32, AllocZeroedWin32, FreeLocalWin32};
