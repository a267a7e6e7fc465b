// Layout checks: the portable records that the security calls take must
// match the platform's, member for member.
#include <windows.h>
#include <aclapi.h>
#include <shlwapi.h>
#include <stddef.h>
#include "app/platform_probe.h"
#include "app/registry_security.h"

static_assert(sizeof(SidAuthority) == sizeof(SID_IDENTIFIER_AUTHORITY), "authority");
static_assert(sizeof(ExplicitAccessRecord) == sizeof(EXPLICIT_ACCESS_A), "access entry");
static_assert(offsetof(ExplicitAccessRecord, permissions) ==
                  offsetof(EXPLICIT_ACCESS_A, grfAccessPermissions), "permissions");
static_assert(offsetof(ExplicitAccessRecord, mode) == offsetof(EXPLICIT_ACCESS_A, grfAccessMode),
              "mode");
static_assert(offsetof(ExplicitAccessRecord, inheritance) ==
                  offsetof(EXPLICIT_ACCESS_A, grfInheritance), "inheritance");
static_assert(offsetof(ExplicitAccessRecord, trustee) == offsetof(EXPLICIT_ACCESS_A, Trustee),
              "trustee");
static_assert(sizeof(TrusteeRecord) == sizeof(TRUSTEE_A), "trustee size");
static_assert(offsetof(TrusteeRecord, multipleTrusteeOperation) ==
                  offsetof(TRUSTEE_A, MultipleTrusteeOperation), "trustee operation");
static_assert(offsetof(TrusteeRecord, form) == offsetof(TRUSTEE_A, TrusteeForm), "form");
static_assert(offsetof(TrusteeRecord, type) == offsetof(TRUSTEE_A, TrusteeType), "type");
static_assert(offsetof(TrusteeRecord, name) == offsetof(TRUSTEE_A, ptstrName), "name");
static_assert((uint32_t)SET_ACCESS == ACCESS_MODE_SET &&
                  (uint32_t)TRUSTEE_IS_SID == TRUSTEE_FORM_SID &&
                  (uint32_t)TRUSTEE_IS_GROUP == TRUSTEE_TYPE_GROUP &&
                  (uint32_t)TRUSTEE_IS_WELL_KNOWN_GROUP == TRUSTEE_TYPE_WELL_KNOWN,
              "access entry values");
static_assert(SECURITY_DESCRIPTOR_MIN_LENGTH == DESCRIPTOR_MIN_LENGTH &&
                  SECURITY_DESCRIPTOR_REVISION == DESCRIPTOR_REVISION,
              "descriptor");
static_assert(KEY_ALL_ACCESS == REGISTRY_FULL_ACCESS, "full access");
static_assert(sizeof(SECURITY_ATTRIBUTES) == 12 && offsetof(SECURITY_ATTRIBUTES, nLength) == 0 &&
                  offsetof(SECURITY_ATTRIBUTES, lpSecurityDescriptor) == 4 &&
                  offsetof(SECURITY_ATTRIBUTES, bInheritHandle) == 8,
              "attributes record");
static_assert(sizeof(DllVersionRecord) == sizeof(DLLVERSIONINFO), "version record");
static_assert(VER_PLATFORM_WIN32_WINDOWS == PLATFORM_WIN32_WINDOWS &&
                  VER_PLATFORM_WIN32_NT == PLATFORM_WIN32_NT, "platform ids");
