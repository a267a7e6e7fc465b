#include "tests/fakes/fake_store.h"
#include <string.h>
#include <set>

FakeStoreFs FakeStore;

namespace {

enum Kind { FILE_HANDLE, MAPPING_HANDLE, LOCK_HANDLE };

struct Handle {
  Kind kind;
  std::string name;
  std::shared_ptr<FakeStoreBytes> data;
  uint32_t pos = 0, size = 0;
  bool readOnly = false;
};

std::set<std::string> openNames;

void SystemGeometry(uint32_t* page, uint32_t* gran) {
  *page = 0x1000;
  *gran = FakeStore.granularity;
}

void* Reserve(uint32_t) { return reinterpret_cast<void*>(0x40000000); }

uint32_t TempFolder(char* out, uint32_t size) {
  if (FakeStore.systemTempResult) return FakeStore.systemTempResult;
  if (FakeStore.systemTemp.empty() || FakeStore.systemTemp.size() + 1 > size) return 0;
  strcpy(out, FakeStore.systemTemp.c_str());
  return static_cast<uint32_t>(FakeStore.systemTemp.size());
}

uint32_t TempFileName(const char* folder, const char* prefix, char* out) {
  if (FakeStore.failTempName) return 0;
  std::string name = std::string(folder) + "\\" + prefix + std::to_string(++FakeStore.tempCounter) + ".tmp";
  FakeStore.files[name] = std::make_shared<FakeStoreBytes>();
  strcpy(out, name.c_str());
  return 1;
}

void* OpenFile(const char* name, StoreOpenMode mode) {
  if (openNames.count(name)) return STORE_NO_FILE;  // no sharing
  auto it = FakeStore.files.find(name);
  if (mode == CREATE_NEW_READ_WRITE) {
    if (it == FakeStore.files.end()) it = FakeStore.files.emplace(name, nullptr).first;
    it->second = std::make_shared<FakeStoreBytes>();
  } else if (it == FakeStore.files.end()) {
    return STORE_NO_FILE;
  }
  Handle* h = new Handle{FILE_HANDLE, name, it->second};
  h->readOnly = mode == OPEN_READ;
  openNames.insert(name);
  ++FakeStore.openHandles;
  return h;
}

uint32_t FileSize(void* file) {
  if (FakeStore.failSize) return 0xFFFFFFFF;
  return static_cast<uint32_t>(static_cast<Handle*>(file)->data->size());
}

void* CreateMapping(void* file, int readOnly, uint32_t size) {
  Handle* f = static_cast<Handle*>(file);
  if (FakeStore.failMapping || (!readOnly && f->readOnly)) return nullptr;
  uint32_t have = static_cast<uint32_t>(f->data->size());
  if (!size) size = have;
  if (!size || (readOnly && size > have)) return nullptr;
  if (size > have) f->data->resize(size);  // a read-write mapping grows the file
  Handle* m = new Handle{MAPPING_HANDLE, f->name, f->data};
  m->size = size;
  m->readOnly = readOnly;
  ++FakeStore.openHandles;
  return m;
}

uint8_t* MapView(void* mapping, int write, uint32_t offset, uint32_t length) {
  Handle* m = static_cast<Handle*>(mapping);
  if (!m || FakeStore.viewsToMap <= 0) return nullptr;
  if (offset % FakeStore.granularity || (write && m->readOnly)) return nullptr;
  if (static_cast<uint64_t>(offset) + length > m->size) return nullptr;
  --FakeStore.viewsToMap;
  ++FakeStore.liveViews;
  FakeStore.views.push_back({offset, length, write});
  return m->data->data() + offset;
}

void UnmapView(uint8_t*) { --FakeStore.liveViews; }

void Close(void* h) {
  Handle* x = static_cast<Handle*>(h);
  if (x->kind == FILE_HANDLE) openNames.erase(x->name);
  --FakeStore.openHandles;
  delete x;
}

void RemoveFile(const char* name) {
  if (!openNames.count(name)) FakeStore.files.erase(name);
}

void* NewLock() {
  if (FakeStore.failLock) return nullptr;
  ++FakeStore.openHandles;
  return new Handle{LOCK_HANDLE, "", nullptr};
}

int TakeLock(void*, uint32_t timeout) {
  FakeStore.lockTimeouts.push_back(timeout);
  if (FakeStore.lockBusy) return 0;
  ++FakeStore.lockHolds;
  return 1;
}

void GiveLock(void*) { --FakeStore.lockHolds; }

void Seek(void* file, uint32_t pos) { static_cast<Handle*>(file)->pos = pos; }

int Read(void* file, void* buffer, uint32_t size, uint32_t* done) {
  Handle* f = static_cast<Handle*>(file);
  *done = 0;
  if (FakeStore.readsToDo-- <= 0) return 0;
  uint32_t have = static_cast<uint32_t>(f->data->size());
  uint32_t n = f->pos >= have ? 0 : (have - f->pos < size ? have - f->pos : size);
  memcpy(buffer, f->data->data() + f->pos, n);
  f->pos += n;
  *done = n;
  return 1;
}

int Write(void* file, const void* buffer, uint32_t size, uint32_t* done) {
  Handle* f = static_cast<Handle*>(file);
  *done = 0;
  if (FakeStore.writesToDo-- <= 0 || f->readOnly) return 0;
  if (f->data->size() < f->pos + size) f->data->resize(f->pos + size);
  memcpy(f->data->data() + f->pos, buffer, size);
  f->pos += size;
  *done = size;
  return 1;
}

void SetEnd(void* file) {
  Handle* f = static_cast<Handle*>(file);
  f->data->resize(f->pos);
}

}  // namespace

void FakeStoreFs::Install() {
  StorePlatform = {SystemGeometry, Reserve,  TempFolder, TempFileName, OpenFile, FileSize,
                   CreateMapping, MapView, UnmapView, Close, RemoveFile, NewLock,
                   TakeLock, GiveLock, Seek, Read, Write, SetEnd};
}

void FakeStoreFs::Reset() {
  openNames.clear();
  *this = FakeStoreFs();
  Install();
}

void FakeStoreFs::Put(const std::string& name, const FakeStoreBytes& bytes) {
  files[name] = std::make_shared<FakeStoreBytes>(bytes);
}

StoreApi StorePlatform;
