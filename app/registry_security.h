// The access list for the registry keys that the program creates, and the
// loader of the advapi32 security functions it needs. advapi32 is not
// imported for these: the entry points are fetched by name at first use, so
// a system without them simply runs with default security.
#pragma once
#include <stdint.h>
#include "app/platform_services.h"
#include "support/result_codes.h"

struct _SECURITY_ATTRIBUTES;  // NOLINT(bugprone-reserved-identifier): the Windows tag

// Entries of BuildRegistrySecurity; other bits are ignored.
enum : uint32_t {
  RS_EVERYONE = 0x10,
  RS_ADMINISTRATORS = 0x20
};

// LoadSecurityApi: load when not yet loaded.
enum : uint32_t { LSA_LOAD = 1 };

// KEY_ALL_ACCESS, the access that the program gives both groups.
enum : uint32_t { REGISTRY_FULL_ACCESS = 0xF003F };

// The platform's records that the security calls take, member for member
// (the Windows face checks the layout against <windows.h>).
struct SidAuthority {
  uint8_t value[6];
};
struct TrusteeRecord {
  TrusteeRecord* multipleTrustee;
  uint32_t multipleTrusteeOperation;
  uint32_t form;
  uint32_t type;
  char* name;
};
struct ExplicitAccessRecord {
  uint32_t permissions;
  uint32_t mode;
  uint32_t inheritance;
  TrusteeRecord trustee;
};

enum : uint32_t {
  ACCESS_MODE_SET = 2,            // SET_ACCESS
  TRUSTEE_FORM_SID = 0,           // TRUSTEE_IS_SID
  TRUSTEE_TYPE_GROUP = 2,         // TRUSTEE_IS_GROUP
  TRUSTEE_TYPE_WELL_KNOWN = 5,    // TRUSTEE_IS_WELL_KNOWN_GROUP
  DESCRIPTOR_REVISION = 1,        // SECURITY_DESCRIPTOR_REVISION
  DESCRIPTOR_MIN_LENGTH = 20      // SECURITY_DESCRIPTOR_MIN_LENGTH
};

// The seven advapi32 entry points. The table is valid only as a whole:
// module is non-null only while every entry point is present.
struct SecurityApiTable {
  void* module;
  int(SW_WINAPI* AllocateAndInitializeSid)(SidAuthority* authority, uint8_t count, uint32_t s0,
                                           uint32_t s1, uint32_t s2, uint32_t s3, uint32_t s4,
                                           uint32_t s5, uint32_t s6, uint32_t s7, void** sid);
  int(SW_WINAPI* InitializeSecurityDescriptor)(void* descriptor, uint32_t revision);
  int(SW_WINAPI* SetSecurityDescriptorDacl)(void* descriptor, int present, void* acl,
                                            int defaulted);
  void*(SW_WINAPI* FreeSid)(void* sid);
  int(SW_WINAPI* IsTextUnicode)(const void* buffer, int size, int* tests);
  int(SW_WINAPI* GetSecurityDescriptorDacl)(void* descriptor, int* present, void** acl,
                                            int* defaulted);
  uint32_t(SW_WINAPI* SetEntriesInAclA)(uint32_t count, ExplicitAccessRecord* entries,
                                        void* oldAcl, void** newAcl);
};
extern SecurityApiTable SecurityApi;

// Loads the table when bit 0 of flags is set and it is not loaded yet.
// RC_OK or RC_FAILED (nothing stays loaded then; the next call tries again).
ResultCode LoadSecurityApi(uint32_t flags);
// Releases advapi32 if loaded. Always RC_OK.
ResultCode UnloadSecurityApi();

// Fills the record with a descriptor whose DACL gives the Everyone and/or
// Administrators entries the given access. Only from NT 4.0 on
// (RC_UNSUPPORTED below); on any failure the record is left untouched.
ResultCode BuildRegistrySecurity(struct _SECURITY_ATTRIBUTES* attributes,
                                 uint32_t administratorsAccess, uint32_t everyoneAccess,
                                 uint32_t platformClass, uint32_t flags);
// Frees what BuildRegistrySecurity put into the record and empties it.
ResultCode FreeRegistrySecurity(struct _SECURITY_ATTRIBUTES* attributes);

// Whether the bytes look like UTF-16 text, by every test the system knows.
ResultCode TestTextUnicode(const void* buffer, uint32_t size, int32_t* result);
