// A file handle is its bytes; a mapping is its file's handle, with its size
// kept here (the tests use one store at a time).
#include "tests/fakes/fake_store.h"
#include <string.h>

FakeStoreOs fakeStore;

static std::vector<uint8_t>& Bytes(void* file) { return *static_cast<std::vector<uint8_t>*>(file); }

ResultCode RefreshMemoryGeometry() { return RC_OK; }  // the defaults: 4 KiB pages, 64 KiB granularity

// Temporary stores, loads and saves are tested on real files under Wine.
bool StoreMakeTempFile(const char*, char*) { return false; }

void* StoreOpenFile(const char* name, StoreOpenMode) {
  auto it = fakeStore.files.find(name);
  return it == fakeStore.files.end() ? STORE_NO_FILE : &it->second;
}

uint32_t StoreFileSize(void* file) { return uint32_t(Bytes(file).size()); }

void* StoreCreateMapping(void* file, int readOnly, uint32_t size) {
  if (!size || (readOnly && size > Bytes(file).size())) return nullptr;
  if (size > Bytes(file).size()) Bytes(file).resize(size);
  fakeStore.mapped = size;
  return file;
}

uint8_t* StoreMapView(void* mapping, int, uint32_t offset, uint32_t length) {
  if (uint64_t(offset) + length > fakeStore.mapped) return nullptr;
  ++fakeStore.views;
  return Bytes(mapping).data() + offset;
}

void StoreUnmapView(uint8_t*) {}
void StoreCloseHandle(void*) {}
void StoreDeleteFile(const char* name) { fakeStore.files.erase(name); }
void* StoreNewLock() { return &fakeStore; }
bool StoreWaitLock(void*, uint32_t) { return !fakeStore.lockBusy && ++fakeStore.holds; }
void StoreReleaseLock(void*) { --fakeStore.holds; }

bool StoreReadAt(void*, uint32_t, void*, uint32_t) { return false; }
bool StoreWriteAt(void*, uint32_t, const void*, uint32_t) { return false; }
void StoreEndFileAt(void*, uint32_t) {}
