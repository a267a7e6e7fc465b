// In-memory kernel services for the platform probe and the registry
// security: a version query, a module loader with comctl32.dll and
// advapi32.dll whose exports can be taken away, tracked local memory, and
// fake security entry points that record what they were given. Every
// failure those routines meet can be injected.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>
#include "app/platform_services.h"

struct FakeModuleSid {
  uint8_t authority[6];
  uint8_t count;
  uint32_t sub[8];
};

// One access entry as SetEntriesInAclA saw it, with the SID copied.
struct FakeModuleAclEntry {
  uint32_t permissions, mode, inheritance;
  bool multipleTrusteeNull;
  uint32_t multipleTrusteeOperation, form, type;
  FakeModuleSid sid;
};

struct FakeModuleDescriptor {
  uint32_t revision = 0;
  int present = 0, defaulted = 0;
  void* acl = nullptr;
};

struct FakeModuleState {
  // Modules that load, by file name, with their exports.
  std::map<std::string, std::map<std::string, EntryPoint>> modules;
  std::vector<std::string> loadRequests;  // every LoadModule, in order
  std::vector<std::string> lookups;       // every FindEntry name, in order
  int loaded = 0;                         // loads not yet released

  // The version query.
  bool versionFails = false;
  uint32_t platformId = 2, major = 5, minor = 1;

  // comctl32's DllGetVersion.
  long dllResult = 0;
  uint32_t dllMajor = 5, dllMinor = 81;
  bool dllRecordCleared = false;  // size 20, every other field 0

  // Local memory: live blocks, and the allocation number that fails (1 based).
  std::set<void*> live;
  int allocations = 0;
  int failAllocation = 0;
  int badFrees = 0;

  // Security entry points.
  std::set<uint8_t> failSidAuthority;  // last authority byte: 1 world, 5 NT
  std::set<void*> liveSids;
  int badSidFrees = 0;
  uint32_t setEntriesResult = 0;
  bool initializeFails = false, setDaclFails = false, getDaclFails = false;
  std::map<void*, std::vector<FakeModuleAclEntry>> acls;
  std::map<void*, FakeModuleDescriptor> descriptors;
  bool textUnicodeMaskGiven = false;

  // Installs the fake as PlatformServices and starts over with
  // comctl32.dll and advapi32.dll present and nothing loaded.
  void Reset();
  void* Alloc(uint32_t size);
};

extern FakeModuleState FakeModules;
