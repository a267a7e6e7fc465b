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
  uint32_t capacity;    // rounded to the granularity by StoreOpen; at most 1 GiB
  uint32_t extraBytes;  // added to the file size to size the mapping
  uint32_t windowSize;  // rounded to the granularity by StoreOpen
  const char* tempFolder;
  uint8_t* current;     // the byte last asked for, inside the view
  int32_t windowStart;  // store offset of the view's first byte
  int32_t windowEnd;    // store offset just past the view
  uint32_t dataLength;
  uint32_t mappingSize;
  void* file;     // STORE_NO_FILE when none
  void* mapping;  // non-null while open
  void* lock;
  uint8_t* view;
  char fileName[STORE_PATH_SIZE];
  char tempName[STORE_PATH_SIZE];
};

// Asks the platform for its page size and granularity (both faces of the
// store live in mapped_store_win32.cpp, like the reservation).
ResultCode RefreshMemoryGeometry();
// Reserves size bytes (rounded up to pages) of inaccessible address space.
ResultCode ReserveAddressSpace(void** out, uint32_t size);
ResultCode StoreOpen(MappedStore* store);
ResultCode StoreClose(MappedStore* store);
ResultCode StoreMap(MappedStore* store, int32_t offset, uint32_t length, uint8_t** out,
                    uint32_t timeout);
ResultCode StoreUnmap(MappedStore* store, uint32_t timeout);
ResultCode StoreRelease(MappedStore* store);
ResultCode StoreLoad(MappedStore* store, const char* name, uint32_t timeout);
ResultCode StoreSave(MappedStore* store, const char* name, uint32_t timeout);

// Window placement shared with the record walk.
// Whether the mapped view covers [offset, offset + length). Inline: the
// record walk asks once per record.
inline bool StoreViewServes(const MappedStore* s, int32_t offset, uint32_t length) {
  return s->view && s->windowStart <= offset &&
         static_cast<int64_t>(offset) + length <= s->windowEnd;
}
// Drops the view and maps the window around the range, up to the end of the
// mapping: RC_OK; RC_NO_ROOM when the window would end past capacity;
// RC_FAILED when the range passes the mapping's end or the view is refused.
ResultCode PlaceWindow(MappedStore* store, int32_t offset, uint32_t length);
// Takes the store's lock within the timeout (true without a lock), and gives
// one hold back.
bool StoreTakeLock(MappedStore* store, uint32_t timeout);
void StoreGiveLock(MappedStore* store);

// The platform under the store: Win32 files, mappings and a mutex in
// mapped_store_win32.cpp. The store is tested on them under Wine only.
enum StoreOpenMode { OPEN_READ, OPEN_READ_WRITE, CREATE_NEW_READ_WRITE };
// Makes and creates a unique "odc" file in folder (null or empty: the
// system's temporary folder) and names it in name; false, name empty, when
// none can be made.
bool StoreMakeTempFile(const char* folder, char* name);
void* StoreOpenFile(const char* name, StoreOpenMode mode);          // STORE_NO_FILE on failure
uint32_t StoreFileSize(void* file);                                 // 0xFFFFFFFF on failure
void* StoreCreateMapping(void* file, int readOnly, uint32_t size);  // null on failure
uint8_t* StoreMapView(void* mapping, int write, uint32_t offset, uint32_t length);
void StoreUnmapView(uint8_t* view);
void StoreCloseHandle(void* handle);
void StoreDeleteFile(const char* name);
void* StoreNewLock();                              // null on failure
bool StoreWaitLock(void* lock, uint32_t timeout);  // true when this thread holds it
void StoreReleaseLock(void* lock);
// Reads or writes size bytes at pos of the file; false when fewer moved.
bool StoreReadAt(void* file, uint32_t pos, void* buffer, uint32_t size);
bool StoreWriteAt(void* file, uint32_t pos, const void* buffer, uint32_t size);
void StoreEndFileAt(void* file, uint32_t pos);
