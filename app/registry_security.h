// The access list for the registry keys that the program creates, and the
// loader of the advapi32 security functions it needs. advapi32 is not
// imported for these: the entry points are fetched by name at first use, so
// a system without them simply runs with default security. Which entries the
// list holds is portable; building and freeing it is the Windows face.
#pragma once
#include <stdint.h>

#include "support/result_codes.h"

struct _SECURITY_ATTRIBUTES;  // NOLINT(bugprone-reserved-identifier): the Windows tag

// Entries of BuildRegistrySecurity; other bits are ignored.
enum : uint32_t { RS_EVERYONE = 0x10, RS_ADMINISTRATORS = 0x20 };

// LoadSecurityApi: load when not yet loaded.
enum : uint32_t { LSA_LOAD = 1 };

// One access entry: the group's SID (an identifier authority whose last byte
// is given, and its sub-authorities), the access it gets and its trustee type.
struct SecurityEntryPlan {
  uint8_t authority;  // 1 world, 5 NT
  uint8_t subCount;
  uint32_t sub[2];
  uint32_t access;
  uint32_t trusteeType;  // 5 TRUSTEE_IS_WELL_KNOWN_GROUP, 2 TRUSTEE_IS_GROUP
};

// The entries that flags choose, Everyone first. Returns how many (0 to 2).
int PlanSecurityEntries(uint32_t flags, uint32_t administratorsAccess, uint32_t everyoneAccess,
                        SecurityEntryPlan (&plan)[2]);

// Loads the entry points when bit 0 of flags is set and they are not loaded
// yet. RC_OK or RC_FAILED (nothing stays loaded then; the next call tries again).
ResultCode LoadSecurityApi(uint32_t flags);
// Releases advapi32 if loaded. Always RC_OK.
ResultCode UnloadSecurityApi();

// Fills the record with a descriptor whose DACL gives the planned entries
// their access; a group whose SID cannot be made is left out. Only from NT 4.0
// on (RC_UNSUPPORTED below); on any failure the record is left untouched.
ResultCode BuildRegistrySecurity(struct _SECURITY_ATTRIBUTES* attributes,
                                 uint32_t administratorsAccess, uint32_t everyoneAccess,
                                 uint32_t platformClass, uint32_t flags);
// Frees what BuildRegistrySecurity put into the record and empties it.
ResultCode FreeRegistrySecurity(struct _SECURITY_ATTRIBUTES* attributes);

// Whether the bytes look like UTF-16 text, by every test the system knows.
ResultCode TestTextUnicode(const void* buffer, uint32_t size, int32_t* result);
