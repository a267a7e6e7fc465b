#include "app/registry_security.h"
#include <string.h>
#include "app/platform_probe.h"
#include "app/security_attributes.h"

SecurityApiTable SecurityApi;

static_assert(sizeof(void*) != 4 || sizeof(struct _SECURITY_ATTRIBUTES) == 12,
              "the attributes record is 12 bytes on the 32-bit platform");

// Fetched in this order; the table is filled only when all are present.
static const char* const SecurityEntryNames[7] = {
    "AllocateAndInitializeSid", "InitializeSecurityDescriptor", "SetSecurityDescriptorDacl",
    "FreeSid",                  "IsTextUnicode",                "GetSecurityDescriptorDacl",
    "SetEntriesInAclA"};

ResultCode LoadSecurityApi(uint32_t flags) {
  if (!(flags & LSA_LOAD) || SecurityApi.module) return RC_OK;
  void* module = PlatformServices.LoadModule("advapi32.dll");
  if (!module) return RC_FAILED;

  EntryPoint found[7];
  bool complete = true;
  for (int i = 0; i < 7; ++i) {
    found[i] = PlatformServices.FindEntry(module, SecurityEntryNames[i]);
    if (!found[i]) complete = false;
  }
  if (!complete) {
    PlatformServices.FreeModule(module);
    return RC_FAILED;
  }
  SecurityApi.AllocateAndInitializeSid =
      (decltype(SecurityApi.AllocateAndInitializeSid))found[0];
  SecurityApi.InitializeSecurityDescriptor =
      (decltype(SecurityApi.InitializeSecurityDescriptor))found[1];
  SecurityApi.SetSecurityDescriptorDacl = (decltype(SecurityApi.SetSecurityDescriptorDacl))found[2];
  SecurityApi.FreeSid = (decltype(SecurityApi.FreeSid))found[3];
  SecurityApi.IsTextUnicode = (decltype(SecurityApi.IsTextUnicode))found[4];
  SecurityApi.GetSecurityDescriptorDacl = (decltype(SecurityApi.GetSecurityDescriptorDacl))found[5];
  SecurityApi.SetEntriesInAclA = (decltype(SecurityApi.SetEntriesInAclA))found[6];
  SecurityApi.module = module;
  return RC_OK;
}

ResultCode UnloadSecurityApi() {
  if (SecurityApi.module) PlatformServices.FreeModule(SecurityApi.module);
  memset(&SecurityApi, 0, sizeof SecurityApi);
  return RC_OK;
}

static void FillEntry(ExplicitAccessRecord* entry, uint32_t access, uint32_t trusteeType,
                      void* sid) {
  entry->permissions = access;
  entry->mode = ACCESS_MODE_SET;
  entry->inheritance = 0;  // NO_INHERITANCE
  entry->trustee.multipleTrustee = nullptr;
  entry->trustee.multipleTrusteeOperation = 0;  // NO_MULTIPLE_TRUSTEE
  entry->trustee.form = TRUSTEE_FORM_SID;
  entry->trustee.type = trusteeType;
  entry->trustee.name = (char*)sid;
}

ResultCode BuildRegistrySecurity(struct _SECURITY_ATTRIBUTES* attributes,
                                 uint32_t administratorsAccess, uint32_t everyoneAccess,
                                 uint32_t platformClass, uint32_t flags) {
  if (!attributes) return RC_BAD_ARG;
  // Every 9x class, NT 3.x and anything unrecognised.
  if (platformClass < PC_NT4) return RC_UNSUPPORTED;
  if (LoadSecurityApi(LSA_LOAD) != RC_OK) return RC_FAILED;

  SidAuthority world = {{0, 0, 0, 0, 0, 1}};
  SidAuthority nt = {{0, 0, 0, 0, 0, 5}};
  ExplicitAccessRecord entries[2];
  uint32_t count = 0;
  void* everyone = nullptr;
  void* administrators = nullptr;
  void* acl = nullptr;
  void* descriptor = nullptr;
  ResultCode rc = RC_FAILED;
  memset(entries, 0, sizeof entries);

  // A group whose SID cannot be made is left out; the other still counts.
  if (flags & RS_EVERYONE) {
    if (SecurityApi.AllocateAndInitializeSid(&world, 1, 0, 0, 0, 0, 0, 0, 0, 0, &everyone))
      FillEntry(&entries[count++], everyoneAccess, TRUSTEE_TYPE_WELL_KNOWN, everyone);
    else
      everyone = nullptr;
  }
  if (flags & RS_ADMINISTRATORS) {
    if (SecurityApi.AllocateAndInitializeSid(&nt, 2, 32, 544, 0, 0, 0, 0, 0, 0, &administrators))
      FillEntry(&entries[count++], administratorsAccess, TRUSTEE_TYPE_GROUP, administrators);
    else
      administrators = nullptr;
  }
  if (count == 0) goto end;
  if (SecurityApi.SetEntriesInAclA(count, entries, nullptr, &acl) != 0) {
    acl = nullptr;
    goto end;
  }
  descriptor = PlatformServices.AllocZeroed(DESCRIPTOR_MIN_LENGTH);
  if (!descriptor) goto end;
  if (!SecurityApi.InitializeSecurityDescriptor(descriptor, DESCRIPTOR_REVISION)) goto end;
  if (!SecurityApi.SetSecurityDescriptorDacl(descriptor, 1, acl, 0)) goto end;

  attributes->nLength = sizeof(struct _SECURITY_ATTRIBUTES);
  attributes->lpSecurityDescriptor = descriptor;
  attributes->bInheritHandle = 0;
  // The record owns the descriptor and its DACL from here on.
  descriptor = nullptr;
  acl = nullptr;
  rc = RC_OK;

end:
  // The ACL holds copies of the SIDs, so they go in every case.
  if (everyone) SecurityApi.FreeSid(everyone);
  if (administrators) SecurityApi.FreeSid(administrators);
  if (acl) PlatformServices.FreeLocal(acl);
  if (descriptor) PlatformServices.FreeLocal(descriptor);
  return rc;
}

ResultCode FreeRegistrySecurity(struct _SECURITY_ATTRIBUTES* attributes) {
  if (!attributes || !attributes->lpSecurityDescriptor || attributes->nLength == 0)
    return RC_BAD_ARG;
  if (LoadSecurityApi(LSA_LOAD) != RC_OK) return RC_FAILED;

  int present = 0, defaulted = 0;
  void* acl = nullptr;
  // Without an answer about the DACL only the descriptor can be freed.
  if (SecurityApi.GetSecurityDescriptorDacl(attributes->lpSecurityDescriptor, &present, &acl,
                                            &defaulted) &&
      present && !defaulted && acl)
    PlatformServices.FreeLocal(acl);
  PlatformServices.FreeLocal(attributes->lpSecurityDescriptor);
  attributes->lpSecurityDescriptor = nullptr;
  attributes->nLength = 0;
  return RC_OK;
}

ResultCode TestTextUnicode(const void* buffer, uint32_t size, int32_t* result) {
  // The system takes the size as a signed int: larger sizes are refused
  // rather than passed on as negative.
  if (!buffer || size == 0 || size > 0x7FFFFFFFu || !result) return RC_BAD_ARG;
  *result = 0;
  if (LoadSecurityApi(LSA_LOAD) != RC_OK) return RC_FAILED;
  *result = SecurityApi.IsTextUnicode(buffer, (int)size, nullptr) ? 1 : 0;
  return RC_OK;
}
