// The registry security on real advapi32. (The probe and the boundary below
// NT 4.0 are checked by the journeys, on every Windows version in range.)
#include <windows.h>
// The SDK's other headers build on <windows.h>.
#include <gtest/gtest.h>
#include <sddl.h>

#include "app/platform_probe.h"
#include "app/registry_security.h"

// From NT 4.0 on: Everyone first with the third argument's access, then
// Administrators with the second's, for the groups the flags name (other bits
// are ignored). The record is filled, and the free empties it again.
TEST(PlatformSecurity, BuildsTheDaclFromNt4OnAndFreesIt) {
  const struct {
    uint32_t cls, administrators, flags;
    const char* dacl;
  } cases[] = {
      {PC_NT4, KEY_ALL_ACCESS, RS_EVERYONE | RS_ADMINISTRATORS, "D:(A;;KA;;;WD)(A;;KA;;;BA)"},
      {PC_NT52, KEY_READ, RS_EVERYONE | RS_ADMINISTRATORS, "D:(A;;KA;;;WD)(A;;KR;;;BA)"},
      {PC_NT4, KEY_ALL_ACCESS, RS_EVERYONE, "D:(A;;KA;;;WD)"},
      {PC_NT4, KEY_READ, 0xFFFFFF00 | RS_ADMINISTRATORS, "D:(A;;KR;;;BA)"}};
  for (auto& c : cases) {
    SECURITY_ATTRIBUTES sa = {7, nullptr, 5};
    ASSERT_EQ(RC_OK, BuildRegistrySecurity(&sa, c.administrators, KEY_ALL_ACCESS, c.cls, c.flags));
    EXPECT_EQ(sizeof sa, sa.nLength);
    EXPECT_EQ(FALSE, sa.bInheritHandle);
    char* text = nullptr;
    ASSERT_TRUE(ConvertSecurityDescriptorToStringSecurityDescriptorA(
        sa.lpSecurityDescriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr));
    EXPECT_STREQ(c.dacl, text);
    LocalFree(text);
    EXPECT_EQ(RC_OK, FreeRegistrySecurity(&sa));
    EXPECT_EQ(nullptr, sa.lpSecurityDescriptor) << c.dacl;
  }
}
