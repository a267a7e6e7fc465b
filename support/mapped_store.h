// A block of bytes kept in a file and reached through a mapped view of at
// most two windows. A file store maps an existing file in place; a temporary
// store lives in a fresh "odc" temporary file that it deletes on close, and
// can be loaded from and saved to named files one window at a time.
#pragma once
#include <stdint.h>
#include "support/result_codes.h"

// Page size and allocation granularity of the platform, with their masks.
struct MemoryGeometry {
  uint32_t pageSize, pageMask, pageFloor;
  uint32_t granularity, granularityMask, granularityFloor;
};
extern MemoryGeometry StoreGeometry;

enum : uint32_t {
  STORE_FILE = 0x01,   // map the existing file fileName
  STORE_LOCK = 0x02,   // guard the view with a recursive thread-owned lock
  STORE_WRITE = 0x10,  // a file store opened for writing
  STORE_CAPACITY_MAX = 0x40000000
};

#define STORE_NO_FILE (reinterpret_cast<void*>(~static_cast<uintptr_t>(0)))
enum : uint32_t { STORE_PATH_SIZE = 260 };

struct MappedStore {
  uint32_t flags;
  uint32_t capacity;     // rounded to the granularity by StoreOpen; at most 1 GiB
  uint32_t extraBytes;   // added to the file size to size the mapping
  uint32_t windowSize;   // rounded to the granularity by StoreOpen
  const char* tempFolder;
  uint8_t* current;      // the byte last asked for, inside the view
  int32_t windowStart;   // store offset of the view's first byte
  int32_t windowEnd;     // store offset just past the view
  uint32_t dataLength;
  uint32_t mappingSize;
  void* file;            // STORE_NO_FILE when none
  void* mapping;         // non-null while open
  void* lock;
  uint8_t* view;
  char fileName[STORE_PATH_SIZE];
  char tempName[STORE_PATH_SIZE];
};

int RefreshMemoryGeometry();
int ReserveAddressSpace(void** out, uint32_t size);
int StoreOpen(MappedStore* store);
int StoreClose(MappedStore* store);
int StoreMap(MappedStore* store, int32_t offset, uint32_t length, uint8_t** out,
             uint32_t timeout);
int StoreUnmap(MappedStore* store, uint32_t timeout);
int StoreRelease(MappedStore* store);
int StoreLoad(MappedStore* store, const char* name, uint32_t timeout);
int StoreSave(MappedStore* store, const char* name, uint32_t timeout);

// Window placement shared with the record walk.
// Whether the mapped view covers [offset, offset + length). Inline: the
// record walk asks once per record.
inline bool StoreViewServes(const MappedStore* s, int32_t offset, uint32_t length) {
  return s->view && s->windowStart <= offset &&
         static_cast<int64_t>(offset) + length <= s->windowEnd;
}
// Drops the view and maps the window around the range: RC_OK, RC_NO_ROOM
// when it would end past capacity, RC_FAILED when the view is refused.
int PlaceWindow(MappedStore* store, int32_t offset, uint32_t length);
// Takes the store's lock within the timeout (true without a lock), and gives
// one hold back.
bool StoreTakeLock(MappedStore* store, uint32_t timeout);
void StoreGiveLock(MappedStore* store);

enum StoreOpenMode { OPEN_READ, OPEN_READ_WRITE, CREATE_NEW_READ_WRITE };

// The platform under the store: the Win32 calls in mapped_store_win32.cpp,
// an in-memory file system in the native tests.
struct StoreApi {
  void (*SystemGeometry)(uint32_t* pageSize, uint32_t* granularity);
  void* (*Reserve)(uint32_t size);  // reserved, inaccessible; null on failure
  // The system's temporary folder into a buffer of size bytes; 0 on failure.
  uint32_t (*TempFolder)(char* out, uint32_t size);
  // Makes and creates a unique file "odc..." in folder; 0 on failure.
  uint32_t (*TempFileName)(const char* folder, const char* prefix, char* out);
  void* (*OpenFile)(const char* name, StoreOpenMode mode);  // STORE_NO_FILE on failure
  uint32_t (*FileSize)(void* file);                        // 0xFFFFFFFF on failure
  void* (*CreateMapping)(void* file, int readOnly, uint32_t size);
  uint8_t* (*MapView)(void* mapping, int write, uint32_t offset, uint32_t length);
  void (*UnmapView)(uint8_t* view);
  void (*Close)(void* handle);
  void (*RemoveFile)(const char* name);
  void* (*NewLock)();
  int (*TakeLock)(void* lock, uint32_t timeout);  // 1 when held
  void (*GiveLock)(void* lock);
  void (*Seek)(void* file, uint32_t pos);
  int (*Read)(void* file, void* buffer, uint32_t size, uint32_t* done);
  int (*Write)(void* file, const void* buffer, uint32_t size, uint32_t* done);
  void (*SetEnd)(void* file);
};

extern StoreApi StorePlatform;
