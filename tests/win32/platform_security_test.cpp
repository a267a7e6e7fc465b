// The real probe and registry security under every Windows version that
// Wine emulates. Each version is set for this program's own name under
// AppDefaults, and the program starts itself again as a child that probes,
// builds the security, checks it with the system's own calls, and prints
// what it found.
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <algorithm>
#include <string>
#include "app/platform_probe.h"
#include "app/registry_security.h"
#include "tests/win32/test_registry_win32.h"

namespace {

const char CHILD_FLAG[] = "--probe-child";

// The entries of a DACL as "type/SID:mask type/SID:mask".
std::string DescribeAcl(PACL acl) {
  ACL_SIZE_INFORMATION info = {};
  if (!GetAclInformation(acl, &info, sizeof info, AclSizeInformation)) return "bad-acl";
  std::string out;
  for (DWORD i = 0; i < info.AceCount; ++i) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    char* sid = nullptr;
    if (!GetAce(acl, i, (void**)&ace) || !ConvertSidToStringSidA(&ace->SidStart, &sid)) return "bad";
    char entry[128];
    snprintf(entry, sizeof entry, "%s%d/%s:%lX", i ? " " : "", ace->Header.AceType, sid, ace->Mask);
    LocalFree(sid);
    out += entry;
  }
  return out;
}

int RunChild() {
  uint32_t cls = 0xDEAD;
  int probe = ProbePlatform(&cls);
  SECURITY_ATTRIBUTES sa;
  memset(&sa, 0, sizeof sa);
  int build = BuildRegistrySecurity(&sa, KEY_ALL_ACCESS, KEY_ALL_ACCESS, cls,
                                    RS_EVERYONE | RS_ADMINISTRATORS);
  std::string dacl = "none";
  int revision = -1, valid = -1;
  if (build == RC_OK) {
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD rev = 0;
    if (GetSecurityDescriptorControl(sa.lpSecurityDescriptor, &control, &rev)) revision = rev;
    valid = IsValidSecurityDescriptor(sa.lpSecurityDescriptor) ? 1 : 0;
    BOOL present = FALSE, defaulted = TRUE;
    PACL acl = nullptr;
    if (GetSecurityDescriptorDacl(sa.lpSecurityDescriptor, &present, &acl, &defaulted) &&
        present && !defaulted && acl)
      dacl = DescribeAcl(acl);
  }
  unsigned long length = sa.nLength;
  int inherit = sa.bInheritHandle;
  int freed = FreeRegistrySecurity(&sa);
  printf("probe=%d class=%X build=%d length=%lu inherit=%d revision=%d valid=%d free=%d "
         "after=%lu/%d\ndacl=%s\n",
         probe, cls, build, length, inherit, revision, valid, freed, sa.nLength,
         sa.lpSecurityDescriptor ? 1 : 0, dacl.c_str());
  fflush(stdout);
  return 0;
}

// Runs this program as the child and returns what it printed.
std::string RunChildProcess(const char* path) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return "no pipe";
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  std::string line = std::string("\"") + path + "\" " + CHILD_FLAG;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = writeEnd;
  si.hStdError = writeEnd;
  PROCESS_INFORMATION pi = {};
  std::string out = "not started";
  BOOL started = CreateProcessA(path, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                                &pi);
  CloseHandle(writeEnd);
  if (started) {
    char buffer[512];
    DWORD got = 0;
    for (out.clear(); ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got;)
      out.append(buffer, got);
    WaitForSingleObject(pi.hProcess, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  CloseHandle(readEnd);
  out.erase(std::remove(out.begin(), out.end(), '\r'), out.end());
  return out;
}

const char EVERYONE_ADMINS[] = "0/S-1-1-0:F003F 0/S-1-5-32-544:F003F";

TEST(PlatformSecurity, EveryEmulatedVersionGetsItsClassAndItsSecurity) {
  struct Case {
    const char* version;
    uint32_t cls;
  } cases[] = {
      // Wine's comctl32 reports 5.81 everywhere.
      {"win95", PC_WIN95_CC580}, {"win98", PC_WIN98}, {"winme", PC_WINME},
      {"nt40", PC_NT4},          {"win2k", PC_NT50},  {"winxp", PC_NT51},
      {"win2003", PC_NT52},      {"vista", PC_UNKNOWN}, {"win10", PC_UNKNOWN},
  };
  // The version is set under AppDefaults for this program's own name.
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string key = std::string("Software\\Wine\\AppDefaults\\") + (strrchr(path, '\\') + 1);
  for (const Case& c : cases) {
    ASSERT_TRUE(testreg::SetText(key.c_str(), "Version", c.version));
    std::string out = RunChildProcess(path);
    char expect[256];
    bool secured = c.cls >= PC_NT4;
    snprintf(expect, sizeof expect,
             "probe=0 class=%X build=%d length=%d inherit=0 revision=%d valid=%d free=%d "
             "after=0/0\n",
             c.cls, secured ? RC_OK : RC_UNSUPPORTED, secured ? 12 : 0, secured ? 1 : -1,
             secured ? 1 : -1, secured ? RC_OK : RC_BAD_ARG);
    std::string acl = secured ? EVERYONE_ADMINS : "none";
    EXPECT_EQ(out, std::string(expect) + "dacl=" + acl + "\n") << c.version;
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && strcmp(argv[1], CHILD_FLAG) == 0) return RunChild();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
