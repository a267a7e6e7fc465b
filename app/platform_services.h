// The kernel services behind the platform probe and the registry security:
// the version query, loading modules by name, and local memory. The Windows
// build fills the seam in platform_services_win32.cpp, the native tests with
// a fake.
#pragma once
#include <stdint.h>

// Entry points fetched from a module are called with the platform's
// convention; natively the fakes are plain functions.
#if defined(_WIN32) && defined(__i386__)
#define SW_WINAPI __attribute__((stdcall))
#else
#define SW_WINAPI
#endif

typedef void (*EntryPoint)();

struct PlatformServicesApi {
  // GetVersionExA with a 148-byte record; 0 when the system refuses.
  int (*GetVersion)(uint32_t* platformId, uint32_t* major, uint32_t* minor);
  // LoadLibraryA: null when the module cannot be loaded.
  void* (*LoadModule)(const char* fileName);
  // GetProcAddress: null when the module has no such export.
  EntryPoint (*FindEntry)(void* module, const char* name);
  // FreeLibrary.
  void (*FreeModule)(void* module);
  // LocalAlloc with zero fill; null on failure.
  void* (*AllocZeroed)(uint32_t size);
  // LocalFree.
  void (*FreeLocal)(void* block);
};

extern PlatformServicesApi PlatformServices;
