#include "tests/fakes/fake_registry.h"
#include <string.h>
#include <strings.h>

FakeRegistry Fake;

bool FakeRegistry::Less::operator()(const std::string& a, const std::string& b) const {
  return strcasecmp(a.c_str(), b.c_str()) < 0;
}

namespace {

struct Handle {
  std::string path;
};

long CreateKey(const char* path, unsigned long, _SECURITY_ATTRIBUTES* security, RegKey* key) {
  Fake.securityPassed.push_back(security);
  if (Fake.failOpen.count(path)) return 5;  // ERROR_ACCESS_DENIED
  Fake.keys[path];
  Handle* h = new Handle{path};
  Fake.liveKeys.insert(h);
  *key = h;
  ++Fake.openKeys;
  return 0;
}

FakeRegistry::Values* ValuesOf(RegKey key) {
  if (!Fake.liveKeys.count(key)) {
    ++Fake.closedTwice;  // a handle used after its close counts as well
    return nullptr;
  }
  auto it = Fake.keys.find(static_cast<Handle*>(key)->path);
  return it == Fake.keys.end() ? nullptr : &it->second;
}

long QueryValue(RegKey key, const char* name, unsigned long* type, void* data,
                unsigned long* size) {
  FakeRegistry::Values* vals = ValuesOf(key);
  if (!vals || Fake.failQuery.count(name)) return 2;
  auto it = vals->find(name);
  if (it == vals->end()) return 2;  // ERROR_FILE_NOT_FOUND
  if (type) *type = it->second.type;
  unsigned long need = (unsigned long)it->second.data.size();
  if (need > *size) {
    *size = need;
    return RESULT_MORE_DATA;
  }
  memcpy(data, it->second.data.data(), need);
  *size = need;
  return 0;
}

long SetValue(RegKey key, const char* name, unsigned long type, const void* data,
              unsigned long size) {
  FakeRegistry::Values* vals = ValuesOf(key);
  if (!vals) return 2;
  std::string bytes((const char*)data, size);
  (*vals)[name] = FakeValue{type, bytes};
  Fake.writes.push_back({"set", static_cast<Handle*>(key)->path, name, bytes});
  return 0;
}

long DeleteValue(RegKey key, const char* name) {
  FakeRegistry::Values* vals = ValuesOf(key);
  if (!vals) return 6;
  Fake.writes.push_back({"delete", static_cast<Handle*>(key)->path, name, ""});
  if (!vals->erase(name)) return 2;
  return 0;
}

long DeleteKey(const char* path) {
  Fake.writes.push_back({"deletekey", path, "", ""});
  return Fake.keys.erase(path) ? 0 : 2;
}

long EnumValue(RegKey key, unsigned long index, char* name, unsigned long* nameSize,
               unsigned long* type, void* data, unsigned long* dataSize) {
  FakeRegistry::Values* vals = ValuesOf(key);
  if ((long)index == Fake.enumFailsAt) return 5;  // ERROR_ACCESS_DENIED
  if (!vals || index >= vals->size()) return RESULT_NO_MORE_ITEMS;
  auto it = vals->begin();
  std::advance(it, index);
  const std::string& n = it->first;
  const std::string& d = it->second.data;
  // The data may be left out (null), as the Win32 call allows.
  if (n.size() + 1 > *nameSize || (dataSize && d.size() > *dataSize)) return RESULT_MORE_DATA;
  memcpy(name, n.c_str(), n.size() + 1);
  *nameSize = (unsigned long)n.size();
  if (type) *type = it->second.type;
  if (data) memcpy(data, d.data(), d.size());
  if (dataSize) *dataSize = (unsigned long)d.size();
  return 0;
}

long CloseKey(RegKey key) {
  if (!Fake.liveKeys.erase(key)) {
    ++Fake.closedTwice;  // never opened, or closed already
    return 6;            // ERROR_INVALID_HANDLE
  }
  delete static_cast<Handle*>(key);
  --Fake.openKeys;
  return 0;
}

uint32_t Today() { return Fake.today; }

void ApplyWallpaper(const char* path) {
  Fake.applied.push_back(path ? path : "<null>");
  Fake.writes.push_back({"apply", "", "", path ? path : "<null>"});
}

void ShowMessage(const char* text) { Fake.messages.push_back(text); }

}  // namespace

RegistryApi Registry = {CreateKey, QueryValue, SetValue, DeleteValue, DeleteKey, EnumValue, CloseKey};
DesktopApi Desktop = {Today, ApplyWallpaper, ShowMessage};

static const RegistryApi kFakeRegistry = Registry;
static const DesktopApi kFakeDesktop = Desktop;

void FakeRegistry::Reset() {
  for (void* h : liveKeys) delete static_cast<Handle*>(h);
  *this = FakeRegistry();
  Registry = kFakeRegistry;
  Desktop = kFakeDesktop;
}

std::string FakeRegistry::Leaks() const {
  std::string out;
  if (!liveKeys.empty()) out += std::to_string(liveKeys.size()) + " key(s) left open; ";
  if (closedTwice) out += std::to_string(closedTwice) + " use(s) of a key not open; ";
  return out;
}

void FakeRegistry::SetRaw(const std::string& key, const std::string& name, unsigned long type,
                          const std::string& bytes) {
  keys[key][name] = FakeValue{type, bytes};
}

void FakeRegistry::SetText(const std::string& key, const std::string& name, const std::string& t) {
  SetRaw(key, name, VALUE_TEXT, std::string(t.c_str(), t.size() + 1));
}

void FakeRegistry::SetNumber(const std::string& key, const std::string& name, uint32_t v) {
  char b[4] = {(char)v, (char)(v >> 8), (char)(v >> 16), (char)(v >> 24)};
  SetRaw(key, name, VALUE_NUMBER, std::string(b, 4));
}

bool FakeRegistry::Has(const std::string& key, const std::string& name) const {
  auto k = keys.find(key);
  return k != keys.end() && k->second.count(name);
}

std::string FakeRegistry::Text(const std::string& key, const std::string& name) const {
  if (!Has(key, name)) return "";
  const std::string& d = keys.at(key).at(name).data;
  return std::string(d.c_str());
}

uint32_t FakeRegistry::Number(const std::string& key, const std::string& name) const {
  if (!Has(key, name)) return 0;
  const std::string& d = keys.at(key).at(name).data;
  uint32_t v = 0;
  memcpy(&v, d.data(), d.size() < 4 ? d.size() : 4);
  return v;
}
