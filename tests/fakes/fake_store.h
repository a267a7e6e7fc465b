// Files in memory for the store's native tests, with the platform's rules: a
// view lies inside the mapping; a read-write mapping longer than its file
// grows the file, a read-only one cannot. The lock can be made busy.
#pragma once
#include <map>
#include <string>
#include <vector>
#include "support/mapped_store.h"

struct FakeStoreOs {
  std::map<std::string, std::vector<uint8_t>> files;
  bool lockBusy;
  int holds, views;     // holds on the lock now; views mapped so far
  uint32_t mapped;      // the size of the one mapping
};
extern FakeStoreOs fakeStore;
