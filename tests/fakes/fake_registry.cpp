#include "tests/fakes/fake_registry.h"

FakeRegistry Fake;

// A handle is the key's path, allocated anew: one never closed shows up in
// the sanitizer's leak report.
static FakeKey& Of(RegKey key) { return Fake.keys[*(std::string*)key]; }

long KeyOpen(const char* path, unsigned long, RegKey* key) {
  *key = nullptr;
  if (Fake.failOpen.count(path)) return 5;  // ERROR_ACCESS_DENIED
  Fake.keys[path];
  *key = new std::string(path);
  ++Fake.openKeys;
  return 0;
}

long KeyQuery(RegKey key, const char* name, unsigned long* type, void* data, unsigned long* size) {
  auto it = Of(key).find(name);
  if (it == Of(key).end()) return 2;  // ERROR_FILE_NOT_FOUND
  const std::string& d = it->second.second;
  *type = it->second.first;
  if (d.size() > *size) return RESULT_MORE_DATA;
  memcpy(data, d.data(), *size = (unsigned long)d.size());
  return 0;
}

void KeySet(RegKey key, const char* name, unsigned long type, const void* data, unsigned long size) {
  Of(key)[name] = {type, std::string((const char*)data, size)};
}
long KeyDeleteValue(RegKey key, const char* name) { return Of(key).erase(name) ? 0 : 2; }
void KeyDelete(const char* path) { Fake.keys.erase(path); }

long KeyEnum(RegKey key, unsigned long index, char* name, unsigned long* nameSize, void* data,
             unsigned long* dataSize) {
  if ((long)index == Fake.enumFailsAt) return 5;
  if (index >= Of(key).size()) return RESULT_NO_MORE_ITEMS;
  auto it = std::next(Of(key).begin(), (long)index);
  const std::string& d = it->second.second;
  if (it->first.size() >= *nameSize || (data && d.size() > *dataSize)) return RESULT_MORE_DATA;
  memcpy(name, it->first.c_str(), (*nameSize = (unsigned long)it->first.size()) + 1);
  if (data) memcpy(data, d.data(), *dataSize = (unsigned long)d.size());
  return 0;
}

void KeyClose(RegKey key) {
  delete (std::string*)key;
  --Fake.openKeys;
}

uint32_t TodayDate() { return Fake.today; }
void ApplyWallpaper(const char* path) { Fake.applied.push_back(path ? path : "<null>"); }
void ShowRegistryProblem() { ++Fake.messages; }
