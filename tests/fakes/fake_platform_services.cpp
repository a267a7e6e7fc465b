#include "tests/fakes/fake_platform_services.h"
#include <stdlib.h>
#include <string.h>
#include "app/platform_probe.h"
#include "app/registry_security.h"

FakeModuleState FakeModules;

namespace {

// Each loaded module's handle is its name's node in the module map.
int GetVersion(uint32_t* platformId, uint32_t* major, uint32_t* minor) {
  if (FakeModules.versionFails) return 0;
  *platformId = FakeModules.platformId;
  *major = FakeModules.major;
  *minor = FakeModules.minor;
  return 1;
}

void* LoadModule(const char* fileName) {
  FakeModules.loadRequests.push_back(fileName);
  auto it = FakeModules.modules.find(fileName);
  if (it == FakeModules.modules.end()) return nullptr;
  ++FakeModules.loaded;
  return &it->second;
}

EntryPoint FindEntry(void* module, const char* name) {
  FakeModules.lookups.push_back(name);
  auto* exports = static_cast<std::map<std::string, EntryPoint>*>(module);
  auto it = exports->find(name);
  return it == exports->end() ? nullptr : it->second;
}

void FreeModule(void*) { --FakeModules.loaded; }

void* AllocZeroed(uint32_t size) { return FakeModules.Alloc(size); }

void FreeLocal(void* block) {
  if (!FakeModules.live.erase(block)) {
    ++FakeModules.badFrees;
    return;
  }
  FakeModules.acls.erase(block);
  FakeModules.descriptors.erase(block);
  free(block);
}

long DllGetVersion(DllVersionRecord* record) {
  FakeModules.dllRecordCleared = record->size == 20 && record->major == 0 && record->minor == 0 &&
                                 record->build == 0 && record->platformId == 0;
  record->major = FakeModules.dllMajor;
  record->minor = FakeModules.dllMinor;
  return FakeModules.dllResult;
}

int AllocateAndInitializeSid(SidAuthority* authority, uint8_t count, uint32_t s0, uint32_t s1,
                             uint32_t s2, uint32_t s3, uint32_t s4, uint32_t s5, uint32_t s6,
                             uint32_t s7, void** sid) {
  if (FakeModules.failSidAuthority.count(authority->value[5])) return 0;
  FakeModuleSid* made = new FakeModuleSid;
  memcpy(made->authority, authority->value, 6);
  made->count = count;
  uint32_t subs[8] = {s0, s1, s2, s3, s4, s5, s6, s7};
  memcpy(made->sub, subs, sizeof subs);
  FakeModules.liveSids.insert(made);
  *sid = made;
  return 1;
}

void* FreeSid(void* sid) {
  if (!FakeModules.liveSids.erase(sid)) {
    ++FakeModules.badSidFrees;
    return sid;
  }
  delete static_cast<FakeModuleSid*>(sid);
  return nullptr;
}

uint32_t SetEntriesInAcl(uint32_t count, ExplicitAccessRecord* entries, void* oldAcl,
                         void** newAcl) {
  if (oldAcl) return 87;  // ERROR_INVALID_PARAMETER: the program never merges
  if (FakeModules.setEntriesResult) return FakeModules.setEntriesResult;
  std::vector<FakeModuleAclEntry> copied;
  for (uint32_t i = 0; i < count; ++i) {
    const ExplicitAccessRecord& e = entries[i];
    FakeModuleAclEntry c{e.permissions, e.mode, e.inheritance, e.trustee.multipleTrustee == nullptr,
                         e.trustee.multipleTrusteeOperation, e.trustee.form, e.trustee.type, {}};
    c.sid = *reinterpret_cast<FakeModuleSid*>(e.trustee.name);
    copied.push_back(c);
  }
  void* acl = FakeModules.Alloc(8);
  if (!acl) return 8;  // ERROR_NOT_ENOUGH_MEMORY
  FakeModules.acls[acl] = copied;
  *newAcl = acl;
  return 0;
}

int InitializeSecurityDescriptor(void* descriptor, uint32_t revision) {
  if (FakeModules.initializeFails) return 0;
  FakeModules.descriptors[descriptor].revision = revision;
  return 1;
}

int SetSecurityDescriptorDacl(void* descriptor, int present, void* acl, int defaulted) {
  if (FakeModules.setDaclFails) return 0;
  FakeModuleDescriptor& d = FakeModules.descriptors[descriptor];
  d.present = present;
  d.acl = acl;
  d.defaulted = defaulted;
  return 1;
}

int GetSecurityDescriptorDacl(void* descriptor, int* present, void** acl, int* defaulted) {
  if (FakeModules.getDaclFails) return 0;
  const FakeModuleDescriptor& d = FakeModules.descriptors[descriptor];
  *present = d.present;
  *acl = d.acl;
  *defaulted = d.defaulted;
  return 1;
}

int IsTextUnicode(const void*, int, int* tests) {
  FakeModules.textUnicodeMaskGiven = tests != nullptr;
  return 1;
}

}  // namespace

PlatformServicesApi PlatformServices = {GetVersion, LoadModule, FindEntry,
                                        FreeModule, AllocZeroed, FreeLocal};

void* FakeModuleState::Alloc(uint32_t size) {
  if (++allocations == failAllocation) return nullptr;
  void* block = calloc(1, size);
  live.insert(block);
  return block;
}

void FakeModuleState::Reset() {
  for (void* b : live) free(b);
  for (void* s : liveSids) delete static_cast<FakeModuleSid*>(s);
  *this = FakeModuleState();
  modules["comctl32.dll"]["DllGetVersion"] = (EntryPoint)DllGetVersion;
  auto& advapi = modules["advapi32.dll"];
  advapi["AllocateAndInitializeSid"] = (EntryPoint)AllocateAndInitializeSid;
  advapi["InitializeSecurityDescriptor"] = (EntryPoint)InitializeSecurityDescriptor;
  advapi["SetSecurityDescriptorDacl"] = (EntryPoint)SetSecurityDescriptorDacl;
  advapi["FreeSid"] = (EntryPoint)FreeSid;
  advapi["IsTextUnicode"] = (EntryPoint)IsTextUnicode;
  advapi["GetSecurityDescriptorDacl"] = (EntryPoint)GetSecurityDescriptorDacl;
  advapi["SetEntriesInAclA"] = (EntryPoint)SetEntriesInAcl;
  PlatformServices =
      PlatformServicesApi{GetVersion, LoadModule, FindEntry, FreeModule, AllocZeroed, FreeLocal};
}
