// An in-memory file system with mappings and a counting lock for the mapped
// store's native tests. Files open without sharing; a read-write mapping
// longer than its file grows the file, a read-only one cannot; views must
// start on the granularity and lie inside the mapping. Failures of every
// platform step can be injected.
#pragma once
#include <stdint.h>
#include <map>
#include <memory>
#include <string>
#include <vector>
#include "support/mapped_store.h"

typedef std::vector<uint8_t> FakeStoreBytes;

struct FakeStoreView {
  uint32_t offset, length;
  int write;
};

struct FakeStoreFs {
  std::map<std::string, std::shared_ptr<FakeStoreBytes>> files;
  uint32_t granularity = 0x10000;
  std::string systemTemp = "C:\\TEMP";
  uint32_t systemTempResult = 0;  // non-zero: what the folder query reports
  bool failTempName = false, failSize = false, failMapping = false, failLock = false;
  bool lockBusy = false;          // another thread holds the lock
  int viewsToMap = 1 << 30;       // MapView fails once this many succeeded
  int readsToDo = 1 << 30, writesToDo = 1 << 30;  // later reads/writes fail
  int openHandles = 0, liveViews = 0, lockHolds = 0, tempCounter = 0;
  std::vector<FakeStoreView> views;  // every view mapped, in order
  std::vector<uint32_t> lockTimeouts;

  void Install();
  void Reset();
  void Put(const std::string& name, const FakeStoreBytes& bytes);
  FakeStoreBytes& Bytes(const std::string& name) { return *files.at(name); }
};

extern FakeStoreFs FakeStore;
