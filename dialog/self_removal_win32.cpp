// File and mapping operations of the self-removal over Win32.
#include <windows.h>
#include "dialog/self_removal.h"

static int DeleteAtRestartWin32(const char* path) {
  return MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

static unsigned long ShortPathWin32(const char* path, char* out, unsigned long size) {
  return GetShortPathNameA(path, out, size);
}

static unsigned WindowsFolderWin32(char* out, unsigned size) {
  return GetWindowsDirectoryA(out, size);
}

static void* OpenFileWin32(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

static uint32_t FileSizeWin32(void* file) { return GetFileSize((HANDLE)file, nullptr); }

static void* CreateMappingWin32(void* file, uint32_t size) {
  return CreateFileMappingA((HANDLE)file, nullptr, PAGE_READWRITE, 0, size, nullptr);
}

static void* MapViewWin32(void* mapping) {
  return MapViewOfFile((HANDLE)mapping, FILE_MAP_WRITE, 0, 0, 0);
}

static void UnmapViewWin32(void* view) { UnmapViewOfFile(view); }
static void CloseHandleWin32(void* handle) { CloseHandle((HANDLE)handle); }

static void SetEndWin32(void* file, uint32_t length) {
  if (SetFilePointer((HANDLE)file, (LONG)length, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER)
    SetEndOfFile((HANDLE)file);
}

SelfRemovalApi SelfRemoval = {DeleteAtRestartWin32, ShortPathWin32,   WindowsFolderWin32,
                              OpenFileWin32,        FileSizeWin32,    CreateMappingWin32,
                              MapViewWin32,         UnmapViewWin32,   CloseHandleWin32,
                              SetEndWin32};
