#include <gtest/gtest.h>
#include "app/platform_probe.h"
#include "app/registry_security.h"
#include "app/security_attributes.h"
#include "tests/fakes/fake_platform_services.h"

namespace {

const uint8_t WORLD[6] = {0, 0, 0, 0, 0, 1}, NT[6] = {0, 0, 0, 0, 0, 5};

class RegistrySecurityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UnloadSecurityApi();
    FakeModules.Reset();
    memset(&record, 0, sizeof record);
  }
  void TearDown() override {
    UnloadSecurityApi();
    EXPECT_EQ(FakeModules.loaded, 0);
    EXPECT_TRUE(FakeModules.liveSids.empty()) << "SID left";
    EXPECT_EQ(FakeModules.badFrees + FakeModules.badSidFrees, 0) << "freed twice or never made";
  }
  // The entries of the DACL in the record's descriptor.
  const std::vector<FakeModuleAclEntry>& Entries() {
    const FakeModuleDescriptor& d = FakeModules.descriptors.at(record.lpSecurityDescriptor);
    return FakeModules.acls.at(d.acl);
  }
  _SECURITY_ATTRIBUTES record;
};

bool IsSid(const FakeModuleSid& sid, const uint8_t authority[6], uint8_t count, uint32_t a,
           uint32_t b) {
  return memcmp(sid.authority, authority, 6) == 0 && sid.count == count && sid.sub[0] == a &&
         sid.sub[1] == b;
}

TEST_F(RegistrySecurityTest, BuildsBothEntriesEveryoneFirstFromNt4On) {
  for (uint32_t cls : {PC_NT4, PC_NT50, PC_NT51, PC_NT52}) {
    SetUp();
    ASSERT_EQ(BuildRegistrySecurity(&record, 0xF003F, 0x20019, cls, 0x30), RC_OK) << cls;
    EXPECT_EQ(record.nLength, sizeof(_SECURITY_ATTRIBUTES));
    EXPECT_EQ(record.bInheritHandle, 0);
    const FakeModuleDescriptor& d = FakeModules.descriptors.at(record.lpSecurityDescriptor);
    EXPECT_EQ(d.revision, 1u);
    EXPECT_EQ(d.present, 1);
    EXPECT_EQ(d.defaulted, 0);
    const std::vector<FakeModuleAclEntry>& e = Entries();
    ASSERT_EQ(e.size(), 2u);
    EXPECT_TRUE(IsSid(e[0].sid, WORLD, 1, 0, 0));
    EXPECT_EQ(e[0].permissions, 0x20019u);  // third argument: Everyone
    EXPECT_EQ(e[0].type, 5u);
    EXPECT_TRUE(IsSid(e[1].sid, NT, 2, 32, 544));
    EXPECT_EQ(e[1].permissions, 0xF003Fu);  // second argument: Administrators
    EXPECT_EQ(e[1].type, 2u);
    for (const FakeModuleAclEntry& x : e) {
      EXPECT_EQ(x.mode, 2u);
      EXPECT_EQ(x.inheritance, 0u);
      EXPECT_TRUE(x.multipleTrusteeNull);
      EXPECT_EQ(x.multipleTrusteeOperation, 0u);
      EXPECT_EQ(x.form, 0u);
    }
    // Only the descriptor and its DACL stay; the record frees both.
    EXPECT_EQ(FakeModules.live.size(), 2u);
    EXPECT_EQ(FreeRegistrySecurity(&record), RC_OK);
    EXPECT_EQ(record.nLength, 0u);
    EXPECT_EQ(record.lpSecurityDescriptor, nullptr);
    EXPECT_TRUE(FakeModules.live.empty());
    TearDown();
  }
}

TEST_F(RegistrySecurityTest, RefusesEverythingBelowNt4WithoutLoading) {
  for (uint32_t cls : std::initializer_list<uint32_t>{PC_UNKNOWN, PC_WIN95, PC_WIN95_CC471, PC_WIN95_CC580, PC_WIN98, PC_WINME,
                       PC_NT3, PC_NT4 - 1}) {
    record.nLength = 5;
    EXPECT_EQ(BuildRegistrySecurity(&record, 0xF003F, 0xF003F, cls, 0x30), RC_UNSUPPORTED);
    EXPECT_EQ(record.nLength, 5u);
  }
  EXPECT_TRUE(FakeModules.loadRequests.empty());
  EXPECT_EQ(BuildRegistrySecurity(nullptr, 0xF003F, 0xF003F, PC_NT51, 0x30), RC_BAD_ARG);
}

TEST_F(RegistrySecurityTest, FlagsChooseTheEntriesAndOneMissingSidIsSkipped) {
  struct Case {
    uint32_t flags;
    uint8_t failAuthority;  // 0: none
    size_t count;
    uint32_t firstAccess;
  } cases[] = {
      {0x10, 0, 1, 0x111}, {0x20, 0, 1, 0x222}, {0xFFFFFF30, 0, 2, 0x111},
      {0x30, 1, 1, 0x222}, {0x30, 5, 1, 0x111},
  };
  for (const Case& c : cases) {
    SetUp();
    if (c.failAuthority) FakeModules.failSidAuthority.insert(c.failAuthority);
    ASSERT_EQ(BuildRegistrySecurity(&record, 0x222, 0x111, PC_NT51, c.flags), RC_OK) << c.flags;
    ASSERT_EQ(Entries().size(), c.count);
    EXPECT_EQ(Entries()[0].permissions, c.firstAccess);
    EXPECT_EQ(FreeRegistrySecurity(&record), RC_OK);
    TearDown();
  }
}

TEST_F(RegistrySecurityTest, EveryFailureReleasesWhatItMadeAndLeavesTheRecord) {
  struct Case {
    const char* what;
    uint32_t flags;
    void (*arrange)();
  } cases[] = {
      {"no entries chosen", 0, [] {}},
      {"no SID made", 0x30, [] { FakeModules.failSidAuthority = {1, 5}; }},
      {"ACL refused", 0x30, [] { FakeModules.setEntriesResult = 8; }},
      {"no descriptor memory", 0x30, [] { FakeModules.failAllocation = 2; }},
      {"descriptor not initialised", 0x30, [] { FakeModules.initializeFails = true; }},
      {"DACL not set", 0x30, [] { FakeModules.setDaclFails = true; }},
      {"no advapi32", 0x30, [] { FakeModules.modules.erase("advapi32.dll"); }},
  };
  for (const Case& c : cases) {
    SetUp();
    c.arrange();
    record.nLength = 7;
    EXPECT_EQ(BuildRegistrySecurity(&record, 0xF003F, 0xF003F, PC_NT51, c.flags), RC_FAILED)
        << c.what;
    EXPECT_EQ(record.nLength, 7u) << c.what;
    EXPECT_EQ(record.lpSecurityDescriptor, nullptr) << c.what;
    EXPECT_TRUE(FakeModules.live.empty()) << c.what;
    TearDown();
  }
}

TEST_F(RegistrySecurityTest, LoaderIsAllOrNothingAndTriesAgainAfterAFailure) {
  static const char* names[] = {"AllocateAndInitializeSid", "InitializeSecurityDescriptor",
                                "SetSecurityDescriptorDacl", "FreeSid", "IsTextUnicode",
                                "GetSecurityDescriptorDacl", "SetEntriesInAclA"};
  for (const char* missing : names) {
    SetUp();
    FakeModules.RemoveExport("advapi32.dll", missing);
    EXPECT_EQ(LoadSecurityApi(LSA_LOAD), RC_FAILED) << missing;
    EXPECT_EQ(SecurityApi.module, nullptr);
    EXPECT_EQ(FakeModules.loaded, 0) << missing;
    FakeModules.Reset();  // the export is back; the next call loads again
    EXPECT_EQ(LoadSecurityApi(LSA_LOAD), RC_OK) << missing;
    EXPECT_EQ(FakeModules.loadRequests, std::vector<std::string>{"advapi32.dll"});
    TearDown();
  }
  EXPECT_EQ(std::vector<std::string>(FakeModules.lookups.begin(), FakeModules.lookups.end()),
            std::vector<std::string>(names, names + 7));
  // Loaded once only, and not at all without bit 0.
  SetUp();
  EXPECT_EQ(LoadSecurityApi(0), RC_OK);
  EXPECT_TRUE(FakeModules.loadRequests.empty());
  EXPECT_EQ(LoadSecurityApi(LSA_LOAD), RC_OK);
  EXPECT_EQ(LoadSecurityApi(LSA_LOAD | 2), RC_OK);
  EXPECT_EQ(FakeModules.loadRequests.size(), 1u);
}

TEST_F(RegistrySecurityTest, FreeChecksTheRecordAndAlwaysFreesTheDescriptor) {
  EXPECT_EQ(FreeRegistrySecurity(nullptr), RC_BAD_ARG);
  EXPECT_EQ(FreeRegistrySecurity(&record), RC_BAD_ARG);
  int dummy;
  record.lpSecurityDescriptor = &dummy;  // length 0: empty whatever it points at
  EXPECT_EQ(FreeRegistrySecurity(&record), RC_BAD_ARG);
  record.lpSecurityDescriptor = nullptr;

  ASSERT_EQ(BuildRegistrySecurity(&record, 0xF003F, 0xF003F, PC_NT52, 0x30), RC_OK);
  record.bInheritHandle = 1;
  FakeModules.getDaclFails = true;
  EXPECT_EQ(FreeRegistrySecurity(&record), RC_OK);
  EXPECT_EQ(record.lpSecurityDescriptor, nullptr);
  EXPECT_EQ(record.bInheritHandle, 1);
  // The DACL could not be asked for: only it remains.
  ASSERT_EQ(FakeModules.live.size(), 1u);
  EXPECT_EQ(FreeRegistrySecurity(&record), RC_BAD_ARG);
}

TEST_F(RegistrySecurityTest, TestTextUnicodeChecksArgumentsAndUsesEveryTest) {
  const char text[4] = {'a', 0, 'b', 0};
  int32_t result = 5;
  EXPECT_EQ(TestTextUnicode(text, 0, &result), RC_BAD_ARG);
  EXPECT_EQ(TestTextUnicode(nullptr, 4, &result), RC_BAD_ARG);
  EXPECT_EQ(TestTextUnicode(text, 0x80000000u, &result), RC_BAD_ARG);
  EXPECT_EQ(TestTextUnicode(text, 4, nullptr), RC_BAD_ARG);
  EXPECT_EQ(result, 5);
  EXPECT_EQ(TestTextUnicode(text, 4, &result), RC_OK);
  EXPECT_EQ(result, 1);
  FakeModules.textUnicodeAnswer = 0;
  EXPECT_EQ(TestTextUnicode(text, 4, &result), RC_OK);
  EXPECT_EQ(result, 0);
  ASSERT_EQ(FakeModules.textUnicodeCalls.size(), 2u);
  EXPECT_EQ(FakeModules.textUnicodeCalls[0], std::make_pair(4, false));

  UnloadSecurityApi();
  FakeModules.modules.erase("advapi32.dll");
  result = 5;
  EXPECT_EQ(TestTextUnicode(text, 4, &result), RC_FAILED);
  EXPECT_EQ(result, 0);
}

}  // namespace
