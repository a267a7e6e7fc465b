// The mapped store's platform: Win32 files, mappings, views and a mutex as
// the recursive, thread-owned lock.
#include <windows.h>
#include "support/mapped_store.h"

static void SystemGeometryWin32(uint32_t* page, uint32_t* granularity) {
  SYSTEM_INFO si;
  GetSystemInfo(&si);
  *page = si.dwPageSize;
  *granularity = si.dwAllocationGranularity;
}

static void* ReserveWin32(uint32_t size) {
  return VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS);
}

static uint32_t TempFolderWin32(char* out, uint32_t size) { return GetTempPathA(size, out); }

static uint32_t TempFileNameWin32(const char* folder, const char* prefix, char* out) {
  return GetTempFileNameA(folder, prefix, 0, out);
}

static void* OpenFileWin32(const char* name, StoreOpenMode mode) {
  DWORD access = mode == OPEN_READ ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
  DWORD how = mode == CREATE_NEW_READ_WRITE ? CREATE_ALWAYS : OPEN_EXISTING;
  return CreateFileA(name, access, 0, nullptr, how, FILE_ATTRIBUTE_NORMAL, nullptr);
}

static uint32_t FileSizeWin32(void* file) { return GetFileSize(file, nullptr); }

static void* CreateMappingWin32(void* file, int readOnly, uint32_t size) {
  return CreateFileMappingA(file, nullptr, readOnly ? PAGE_READONLY : PAGE_READWRITE, 0, size,
                            nullptr);
}

static uint8_t* MapViewWin32(void* mapping, int write, uint32_t offset, uint32_t length) {
  return static_cast<uint8_t*>(
      MapViewOfFile(mapping, write ? FILE_MAP_WRITE : FILE_MAP_READ, 0, offset, length));
}

static void UnmapViewWin32(uint8_t* view) { UnmapViewOfFile(view); }
static void CloseWin32(void* h) { CloseHandle(h); }
static void RemoveFileWin32(const char* name) { DeleteFileA(name); }
static void* NewLockWin32() { return CreateMutexA(nullptr, FALSE, nullptr); }

static int TakeLockWin32(void* lock, uint32_t timeout) {
  return WaitForSingleObject(lock, timeout) == WAIT_OBJECT_0;
}

static void GiveLockWin32(void* lock) { ReleaseMutex(lock); }
static void SeekWin32(void* file, uint32_t pos) { SetFilePointer(file, pos, nullptr, FILE_BEGIN); }

static int ReadWin32(void* file, void* buffer, uint32_t size, uint32_t* done) {
  DWORD n = 0;
  BOOL ok = ReadFile(file, buffer, size, &n, nullptr);
  *done = n;
  return ok;
}

static int WriteWin32(void* file, const void* buffer, uint32_t size, uint32_t* done) {
  DWORD n = 0;
  BOOL ok = WriteFile(file, buffer, size, &n, nullptr);
  *done = n;
  return ok;
}

static void SetEndWin32(void* file) { SetEndOfFile(file); }

StoreApi StorePlatform = {SystemGeometryWin32, ReserveWin32,       TempFolderWin32,
                          TempFileNameWin32,   OpenFileWin32,      FileSizeWin32,
                          CreateMappingWin32,  MapViewWin32,       UnmapViewWin32,
                          CloseWin32,          RemoveFileWin32,    NewLockWin32,
                          TakeLockWin32,       GiveLockWin32,      SeekWin32,
                          ReadWin32,           WriteWin32,         SetEndWin32};
