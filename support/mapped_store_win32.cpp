// The mapped store's platform: Win32 files, mappings, views and a mutex as
// the recursive, thread-owned lock; the memory geometry and reservation.
#include <windows.h>

#include "support/ansi_path.h"
#include "support/mapped_store.h"

enum : DWORD { TEMP_FOLDER_SIZE = 246 };  // not 260: the folder's name leaves room for the file's

static_assert(GENERIC_READ == 0x80000000 && GENERIC_WRITE == 0x40000000 && OPEN_EXISTING == 3 &&
                  CREATE_ALWAYS == 2 && FILE_ATTRIBUTE_NORMAL == 0x80 && FILE_BEGIN == 0,
              "file access");
static_assert(PAGE_READONLY == 2 && PAGE_READWRITE == 4 && FILE_MAP_READ == 4 &&
                  FILE_MAP_WRITE == 2 && MEM_RESERVE == 0x2000 && PAGE_NOACCESS == 1,
              "mapping access");
static_assert(WAIT_OBJECT_0 == 0 && WAIT_ABANDONED == 0x80 && INVALID_FILE_SIZE == 0xFFFFFFFF,
              "wait and size results");

ResultCode RefreshMemoryGeometry() {
  SYSTEM_INFO si;
  GetSystemInfo(&si);
  MemoryGeometry& g = StoreGeometry;
  g.pageSize = si.dwPageSize;
  g.pageMask = g.pageSize - 1;
  g.pageFloor = ~g.pageMask;
  g.granularity = si.dwAllocationGranularity;
  g.granularityMask = g.granularity - 1;
  g.granularityFloor = ~g.granularityMask;
  return RC_OK;
}

ResultCode ReserveAddressSpace(void** out, uint32_t size) {
  if (!out || !size) return RC_BAD_ARG;
  RefreshMemoryGeometry();
  uint32_t pages = (size + StoreGeometry.pageMask) & StoreGeometry.pageFloor;
  *out = VirtualAlloc(nullptr, pages, MEM_RESERVE, PAGE_NOACCESS);
  return *out ? RC_OK : RC_FAILED;
}

typedef DWORD(WINAPI* TempPathEntry)(DWORD, LPWSTR);

// The system's temporary folder, in room for a file name behind it. On the
// NT family the wide name is the true one (the ANSI answer of a profile
// folder named outside the code page is '?' or another user's look-alike);
// where the code page cannot hold it, its short path.
static bool SystemTempFolder(char* folder) {
  if (IsNtFamily()) {
    wchar_t wide[TEMP_FOLDER_SIZE];
    TempPathEntry ask = (TempPathEntry)SystemEntry("kernel32.dll", "GetTempPathW");
    DWORD n = ask ? ask(TEMP_FOLDER_SIZE, wide) : 0;
    return n && n < TEMP_FOLDER_SIZE && AnsiPathOf(folder, TEMP_FOLDER_SIZE, wide) == RC_OK;
  }
  // A folder that does not fit reports the length it needs: no folder.
  DWORD n = GetTempPathA(TEMP_FOLDER_SIZE, folder);
  return n && n < TEMP_FOLDER_SIZE;
}

bool StoreMakeTempFile(const char* folder, char* name) {
  char system[TEMP_FOLDER_SIZE];
  if (!folder || !folder[0]) folder = SystemTempFolder(system) ? system : nullptr;
  if (folder && GetTempFileNameA(folder, "odc", 0, name)) return true;
  name[0] = 0;
  return false;
}

void* StoreOpenFile(const char* name, StoreOpenMode mode) {
  DWORD access = mode == OPEN_READ ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
  DWORD how = mode == CREATE_NEW_READ_WRITE ? CREATE_ALWAYS : OPEN_EXISTING;
  return CreateFileA(name, access, 0, nullptr, how, FILE_ATTRIBUTE_NORMAL, nullptr);
}

uint32_t StoreFileSize(void* file) { return GetFileSize(file, nullptr); }

void* StoreCreateMapping(void* file, int readOnly, uint32_t size) {
  return CreateFileMappingA(file, nullptr, readOnly ? PAGE_READONLY : PAGE_READWRITE, 0, size,
                            nullptr);
}

uint8_t* StoreMapView(void* mapping, int write, uint32_t offset, uint32_t length) {
  return static_cast<uint8_t*>(
      MapViewOfFile(mapping, write ? FILE_MAP_WRITE : FILE_MAP_READ, 0, offset, length));
}

void StoreUnmapView(uint8_t* view) { UnmapViewOfFile(view); }
void StoreCloseHandle(void* handle) { CloseHandle(handle); }
void StoreDeleteFile(const char* name) { DeleteFileA(name); }
void* StoreNewLock() { return CreateMutexA(nullptr, FALSE, nullptr); }

// An abandoned mutex (its last owner ended holding it) is owned by the
// waiter all the same.
bool StoreWaitLock(void* lock, uint32_t timeout) {
  DWORD r = WaitForSingleObject(lock, timeout);
  return r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
}

void StoreReleaseLock(void* lock) { ReleaseMutex(lock); }

bool StoreReadAt(void* file, uint32_t pos, void* buffer, uint32_t size) {
  DWORD n = 0;
  SetFilePointer(file, pos, nullptr, FILE_BEGIN);
  return ReadFile(file, buffer, size, &n, nullptr) && n == size;
}

bool StoreWriteAt(void* file, uint32_t pos, const void* buffer, uint32_t size) {
  DWORD n = 0;
  SetFilePointer(file, pos, nullptr, FILE_BEGIN);
  return WriteFile(file, buffer, size, &n, nullptr) && n == size;
}

void StoreEndFileAt(void* file, uint32_t pos) {
  SetFilePointer(file, pos, nullptr, FILE_BEGIN);
  SetEndOfFile(file);
}
