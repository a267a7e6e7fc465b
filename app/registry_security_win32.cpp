// Building and freeing the registry DACL through advapi32 entry points
// fetched by name.
#include <windows.h>
// The SDK's other headers build on <windows.h>.
#include <aclapi.h>
#include <stddef.h>

#include "app/platform_probe.h"
#include "app/registry_security.h"

static_assert(sizeof(SECURITY_ATTRIBUTES) == 12 && offsetof(SECURITY_ATTRIBUTES, nLength) == 0 &&
                  offsetof(SECURITY_ATTRIBUTES, lpSecurityDescriptor) == 4 &&
                  offsetof(SECURITY_ATTRIBUTES, bInheritHandle) == 8,
              "the attributes record is 12 bytes");
static_assert(SECURITY_DESCRIPTOR_MIN_LENGTH == 20 && SECURITY_DESCRIPTOR_REVISION == 1,
              "a 20-byte descriptor at revision 1");
static_assert(SET_ACCESS == 2 && NO_INHERITANCE == 0 && NO_MULTIPLE_TRUSTEE == 0 &&
                  TRUSTEE_IS_SID == 0 && TRUSTEE_IS_GROUP == 2 && TRUSTEE_IS_WELL_KNOWN_GROUP == 5,
              "access entry values");
static_assert(SECURITY_WORLD_RID == 0 && SECURITY_BUILTIN_DOMAIN_RID == 32 &&
                  DOMAIN_ALIAS_RID_ADMINS == 544,
              "sub-authorities of S-1-1-0 and S-1-5-32-544");

// SecurityApi: valid only as a whole; module is non-null only while every
// entry point is present.
static struct {
  HMODULE module;
  decltype(&::AllocateAndInitializeSid) AllocateAndInitializeSid;
  decltype(&::InitializeSecurityDescriptor) InitializeSecurityDescriptor;
  decltype(&::SetSecurityDescriptorDacl) SetSecurityDescriptorDacl;
  decltype(&::FreeSid) FreeSid;
  decltype(&::IsTextUnicode) IsTextUnicode;
  decltype(&::GetSecurityDescriptorDacl) GetSecurityDescriptorDacl;
  decltype(&::SetEntriesInAclA) SetEntriesInAclA;
} SecurityApi;

ResultCode LoadSecurityApi(uint32_t flags) {
  static const char* const names[7] = {"AllocateAndInitializeSid",
                                       "InitializeSecurityDescriptor",
                                       "SetSecurityDescriptorDacl",
                                       "FreeSid",
                                       "IsTextUnicode",
                                       "GetSecurityDescriptorDacl",
                                       "SetEntriesInAclA"};
  if (!(flags & LSA_LOAD) || SecurityApi.module) return RC_OK;
  HMODULE module = LoadLibraryA("advapi32.dll");
  if (!module) return RC_FAILED;
  void* found[7];
  for (int i = 0; i < 7; ++i) {
    found[i] = (void*)GetProcAddress(module, names[i]);
    if (!found[i]) {
      FreeLibrary(module);
      return RC_FAILED;
    }
  }
  SecurityApi.AllocateAndInitializeSid = (decltype(&::AllocateAndInitializeSid))found[0];
  SecurityApi.InitializeSecurityDescriptor = (decltype(&::InitializeSecurityDescriptor))found[1];
  SecurityApi.SetSecurityDescriptorDacl = (decltype(&::SetSecurityDescriptorDacl))found[2];
  SecurityApi.FreeSid = (decltype(&::FreeSid))found[3];
  SecurityApi.IsTextUnicode = (decltype(&::IsTextUnicode))found[4];
  SecurityApi.GetSecurityDescriptorDacl = (decltype(&::GetSecurityDescriptorDacl))found[5];
  SecurityApi.SetEntriesInAclA = (decltype(&::SetEntriesInAclA))found[6];
  SecurityApi.module = module;
  return RC_OK;
}

ResultCode UnloadSecurityApi() {
  if (SecurityApi.module) FreeLibrary(SecurityApi.module);
  ZeroMemory(&SecurityApi, sizeof SecurityApi);
  return RC_OK;
}

ResultCode BuildRegistrySecurity(SECURITY_ATTRIBUTES* attributes, uint32_t administratorsAccess,
                                 uint32_t everyoneAccess, uint32_t platformClass, uint32_t flags) {
  if (!attributes) return RC_BAD_ARG;
  // Every 9x class, NT 3.x and anything unrecognised.
  if (platformClass < PC_NT4) return RC_UNSUPPORTED;
  if (LoadSecurityApi(LSA_LOAD) != RC_OK) return RC_FAILED;

  SecurityEntryPlan plan[2];
  int planned = PlanSecurityEntries(flags, administratorsAccess, everyoneAccess, plan);
  EXPLICIT_ACCESS_A entries[2];
  PSID sids[2] = {nullptr, nullptr};
  DWORD count = 0;
  PACL acl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ResultCode rc = RC_FAILED;
  ZeroMemory(entries, sizeof entries);
  for (int i = 0; i < planned; ++i) {
    SID_IDENTIFIER_AUTHORITY authority = {{0, 0, 0, 0, 0, plan[i].authority}};
    // A group whose SID cannot be made is left out; the other still counts.
    if (!SecurityApi.AllocateAndInitializeSid(&authority, plan[i].subCount, plan[i].sub[0],
                                              plan[i].sub[1], 0, 0, 0, 0, 0, 0, &sids[count])) {
      sids[count] = nullptr;
      continue;
    }
    EXPLICIT_ACCESS_A* entry = &entries[count];
    entry->grfAccessPermissions = plan[i].access;
    entry->grfAccessMode = SET_ACCESS;
    entry->grfInheritance = NO_INHERITANCE;
    entry->Trustee.pMultipleTrustee = nullptr;
    entry->Trustee.MultipleTrusteeOperation = NO_MULTIPLE_TRUSTEE;
    entry->Trustee.TrusteeForm = TRUSTEE_IS_SID;
    entry->Trustee.TrusteeType = (TRUSTEE_TYPE)plan[i].trusteeType;
    entry->Trustee.ptstrName = (LPSTR)sids[count++];
  }
  if (count == 0) goto end;
  if (SecurityApi.SetEntriesInAclA(count, entries, nullptr, &acl) != ERROR_SUCCESS) {
    acl = nullptr;
    goto end;
  }
  descriptor = LocalAlloc(LPTR, SECURITY_DESCRIPTOR_MIN_LENGTH);
  if (!descriptor) goto end;
  if (!SecurityApi.InitializeSecurityDescriptor(descriptor, SECURITY_DESCRIPTOR_REVISION)) goto end;
  if (!SecurityApi.SetSecurityDescriptorDacl(descriptor, TRUE, acl, FALSE)) goto end;

  attributes->nLength = sizeof *attributes;
  attributes->lpSecurityDescriptor = descriptor;
  attributes->bInheritHandle = FALSE;
  // The record owns the descriptor and its DACL from here on.
  descriptor = nullptr;
  acl = nullptr;
  rc = RC_OK;

end:
  // The ACL holds copies of the SIDs, so they go in every case.
  for (PSID sid : sids)
    if (sid) SecurityApi.FreeSid(sid);
  if (acl) LocalFree(acl);
  if (descriptor) LocalFree(descriptor);
  return rc;
}

ResultCode FreeRegistrySecurity(SECURITY_ATTRIBUTES* attributes) {
  if (!attributes || !attributes->lpSecurityDescriptor || attributes->nLength == 0)
    return RC_BAD_ARG;
  if (LoadSecurityApi(LSA_LOAD) != RC_OK) return RC_FAILED;
  BOOL present = FALSE, defaulted = FALSE;
  PACL acl = nullptr;
  // Without an answer about the DACL only the descriptor can be freed.
  if (SecurityApi.GetSecurityDescriptorDacl(attributes->lpSecurityDescriptor, &present, &acl,
                                            &defaulted) &&
      present && !defaulted && acl)
    LocalFree(acl);
  LocalFree(attributes->lpSecurityDescriptor);
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
