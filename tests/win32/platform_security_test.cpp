// The probe under Windows versions that Wine emulates (set for this program's
// own name under AppDefaults and read at process start, so a child probes and
// answers with its exit code), and the registry security on real advapi32.
#include <windows.h>
// The SDK's other headers build on <windows.h>.
#include <gtest/gtest.h>
#include <process.h>
#include <sddl.h>

#include <string>

#include "app/platform_probe.h"
#include "app/registry_security.h"
#include "tests/win32/test_registry_win32.h"

// Started with --probe, this program only probes and exits with the class it found.
static uint32_t found = 0xDEAD;
[[maybe_unused]] static const bool probed =
    strstr(GetCommandLineA(), "--probe") &&
    (ExitProcess(ProbePlatform(&found) == RC_OK && found == LastPlatformClass ? found : 0xBAD),
     true);

TEST(PlatformSecurity, ProbeClassifiesTheEmulatedVersion) {
  struct {
    const char* version;
    intptr_t cls;
  } cases[] = {{"win95", 0x4}, {"nt40", 0x20000}, {"winxp", 0x200000}};  // comctl32 5.81
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string key = std::string("Software\\Wine\\AppDefaults\\") + (strrchr(path, '\\') + 1);
  for (auto& c : cases) {
    ASSERT_TRUE(testreg::SetText(key.c_str(), "Version", c.version));
    EXPECT_EQ(_spawnl(_P_WAIT, path, "child", "--probe", nullptr), c.cls) << c.version;
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
}

// The DACL from NT 4 on, everyone first, for the groups the flags name; the
// record stays as it was when the class is older or unknown, or no group is named.
TEST(PlatformSecurity, BuildsTheDaclFromNt4OnAndFreesIt) {
  for (auto c :
       {std::make_pair(0x0u, 0x30u), {0x4u, 0x30u}, {0x10000u, 0x30u}, {0x20000u, 0xFFFFFFCFu}}) {
    SECURITY_ATTRIBUTES sa = {7, nullptr, 5};
    EXPECT_TRUE(BuildRegistrySecurity(&sa, 0xF003F, 0xF003F, c.first, c.second) ==
                    (c.second == 0x30 ? RC_UNSUPPORTED : RC_FAILED) &&
                sa.nLength == 7 && !sa.lpSecurityDescriptor && sa.bInheritHandle == 5)
        << c.first;
  }
  struct {
    uint32_t cls, administrators, flags;
    const char* dacl;
  } cases[] = {{0x20000, 0xF003F, 0x30, "D:(A;;KA;;;WD)(A;;KA;;;BA)"},
               {0x400000, 0x20019, 0x30, "D:(A;;KA;;;WD)(A;;KR;;;BA)"},
               {0x20000, 0xF003F, 0x10, "D:(A;;KA;;;WD)"},
               {0x20000, 0x20019, 0xFFFFFF20, "D:(A;;KR;;;BA)"}};
  for (auto& c : cases) {
    SECURITY_ATTRIBUTES sa = {7, nullptr, 5};
    ASSERT_EQ(BuildRegistrySecurity(&sa, c.administrators, 0xF003F, c.cls, c.flags), RC_OK);
    char* text = nullptr;
    EXPECT_TRUE(sa.nLength == 12 && sa.bInheritHandle == 0 &&
                ((SECURITY_DESCRIPTOR*)sa.lpSecurityDescriptor)->Revision == 1);
    ASSERT_TRUE(ConvertSecurityDescriptorToStringSecurityDescriptorA(
        sa.lpSecurityDescriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr));
    EXPECT_STREQ(text, c.dacl);
    LocalFree(text);
    EXPECT_EQ(FreeRegistrySecurity(&sa), RC_OK);
    EXPECT_TRUE(sa.nLength == 0 && !sa.lpSecurityDescriptor &&
                FreeRegistrySecurity(&sa) == RC_BAD_ARG);
  }
}
