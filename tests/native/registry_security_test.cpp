#include <gtest/gtest.h>
#include "app/platform_probe.h"
#include "app/registry_security.h"
#include "app/security_attributes.h"
#include "tests/fakes/fake_platform_services.h"

namespace {

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
    FakeModules.Reset();  // gives back what a test left on purpose
  }
  const FakeModuleDescriptor& Descriptor() {
    return FakeModules.descriptors.at(record.lpSecurityDescriptor);
  }
  const std::vector<FakeModuleAclEntry>& Entries() { return FakeModules.acls.at(Descriptor().acl); }
  // "authority/sub-authorities:access:trustee type" for each DACL entry.
  std::string Describe() {
    std::string out;
    for (const FakeModuleAclEntry& e : Entries()) {
      out += std::to_string(e.sid.authority[5]) + "/" + std::to_string(e.sid.count);
      for (int i = 0; i < e.sid.count; ++i) out += "-" + std::to_string(e.sid.sub[i]);
      out += ":" + std::to_string(e.permissions) + ":" + std::to_string(e.type) + " ";
      EXPECT_TRUE(e.mode == 2 && e.inheritance == 0 && e.multipleTrusteeNull &&
                  e.multipleTrusteeOperation == 0 && e.form == 0);
    }
    return out;
  }
  _SECURITY_ATTRIBUTES record;
};

TEST_F(RegistrySecurityTest, BuildsBothEntriesEveryoneFirstFromNt4On) {
  for (uint32_t cls : {PC_NT4, PC_NT52}) {
    SetUp();
    ASSERT_EQ(BuildRegistrySecurity(&record, 7, 9, cls, 0x30), RC_OK) << cls;
    EXPECT_EQ(record.nLength, sizeof(_SECURITY_ATTRIBUTES));
    EXPECT_EQ(record.bInheritHandle, 0);
    EXPECT_EQ(Descriptor().revision, 1u);
    EXPECT_EQ(Descriptor().present, 1);
    EXPECT_EQ(Descriptor().defaulted, 0);
    // Everyone gets the third argument, Administrators the second.
    EXPECT_EQ(Describe(), "1/1-0:9:5 5/2-32-544:7:2 ");
    EXPECT_EQ(FakeModules.live.size(), 2u);  // the descriptor and its DACL
    EXPECT_EQ(FreeRegistrySecurity(&record), RC_OK);
    EXPECT_EQ(record.nLength, 0u);
    EXPECT_EQ(record.lpSecurityDescriptor, nullptr);
    EXPECT_TRUE(FakeModules.live.empty());
    TearDown();
  }
}

TEST_F(RegistrySecurityTest, RefusesEverythingBelowNt4WithoutLoading) {
  for (uint32_t cls : std::initializer_list<uint32_t>{0, PC_WIN95_CC580, PC_WINME, PC_NT3}) {
    record.nLength = 5;
    EXPECT_EQ(BuildRegistrySecurity(&record, 1, 1, cls, 0x30), RC_UNSUPPORTED);
    EXPECT_EQ(record.nLength, 5u);
  }
  EXPECT_TRUE(FakeModules.loadRequests.empty());
  EXPECT_EQ(BuildRegistrySecurity(nullptr, 1, 1, PC_NT51, 0x30), RC_BAD_ARG);
}

TEST_F(RegistrySecurityTest, FlagsChooseTheEntriesAndAMissingSidIsSkipped) {
  struct Case {
    uint32_t flags;
    uint8_t failAuthority;  // 0: none
    const char* entries;
  } cases[] = {
      {0x10, 0, "1/1-0:9:5 "},      {0xFFFFFF20, 0, "5/2-32-544:7:2 "},
      {0x30, 1, "5/2-32-544:7:2 "}, {0x30, 5, "1/1-0:9:5 "},
  };
  for (const Case& c : cases) {
    SetUp();
    if (c.failAuthority) FakeModules.failSidAuthority.insert(c.failAuthority);
    ASSERT_EQ(BuildRegistrySecurity(&record, 7, 9, PC_NT51, c.flags), RC_OK) << c.flags;
    EXPECT_EQ(Describe(), c.entries);
    EXPECT_EQ(FreeRegistrySecurity(&record), RC_OK);
    TearDown();
  }
}

TEST_F(RegistrySecurityTest, EveryFailureReleasesWhatItMadeAndLeavesTheRecord) {
  struct Case {
    uint32_t flags;
    void (*arrange)();
  } cases[] = {
      {0, [] {}},  // no entries chosen
      {0x30, [] { FakeModules.failSidAuthority = {1, 5}; }},
      {0x30, [] { FakeModules.setEntriesResult = 8; }},
      {0x30, [] { FakeModules.failAllocation = 2; }},  // the descriptor
      {0x30, [] { FakeModules.initializeFails = true; }},
      {0x30, [] { FakeModules.setDaclFails = true; }},
      {0x30, [] { FakeModules.modules.erase("advapi32.dll"); }},
  };
  int n = 0;
  for (const Case& c : cases) {
    SetUp();
    c.arrange();
    record.nLength = 7;
    EXPECT_EQ(BuildRegistrySecurity(&record, 1, 1, PC_NT51, c.flags), RC_FAILED) << n;
    EXPECT_EQ(record.nLength, 7u) << n;
    EXPECT_EQ(record.lpSecurityDescriptor, nullptr) << n;
    EXPECT_TRUE(FakeModules.live.empty()) << n++;
    TearDown();
  }
}

TEST_F(RegistrySecurityTest, LoaderIsAllOrNothingAndTriesAgainAfterAFailure) {
  static const char* names[] = {"AllocateAndInitializeSid", "InitializeSecurityDescriptor",
                                "SetSecurityDescriptorDacl", "FreeSid", "IsTextUnicode",
                                "GetSecurityDescriptorDacl", "SetEntriesInAclA"};
  for (const char* missing : names) {
    SetUp();
    FakeModules.modules["advapi32.dll"].erase(missing);
    EXPECT_EQ(LoadSecurityApi(LSA_LOAD), RC_FAILED) << missing;
    EXPECT_EQ(SecurityApi.module, nullptr);
    EXPECT_EQ(FakeModules.loaded, 0) << missing;
    FakeModules.Reset();  // the export is back: the next call loads again
    EXPECT_EQ(LoadSecurityApi(LSA_LOAD), RC_OK) << missing;
    EXPECT_EQ(FakeModules.lookups, std::vector<std::string>(names, names + 7));
    EXPECT_EQ(LoadSecurityApi(LSA_LOAD), RC_OK);
    EXPECT_EQ(FakeModules.loadRequests.size(), 1u) << "loaded twice";
    TearDown();
  }
  EXPECT_EQ(LoadSecurityApi(0), RC_OK);
  EXPECT_EQ(SecurityApi.module, nullptr);
}

TEST_F(RegistrySecurityTest, FreeChecksTheRecordAndAlwaysFreesTheDescriptor) {
  EXPECT_EQ(FreeRegistrySecurity(nullptr), RC_BAD_ARG);
  EXPECT_EQ(FreeRegistrySecurity(&record), RC_BAD_ARG);
  int dummy;
  record.lpSecurityDescriptor = &dummy;  // length 0: empty whatever it points at
  EXPECT_EQ(FreeRegistrySecurity(&record), RC_BAD_ARG);

  ASSERT_EQ(BuildRegistrySecurity(&record, 1, 1, PC_NT52, 0x30), RC_OK);
  record.bInheritHandle = 1;
  FakeModules.getDaclFails = true;
  EXPECT_EQ(FreeRegistrySecurity(&record), RC_OK);
  EXPECT_EQ(record.lpSecurityDescriptor, nullptr);
  EXPECT_EQ(record.bInheritHandle, 1);
  EXPECT_EQ(FakeModules.live.size(), 1u);  // the DACL, which could not be asked for
  EXPECT_EQ(FreeRegistrySecurity(&record), RC_BAD_ARG);
}

TEST_F(RegistrySecurityTest, TestTextUnicodeChecksArgumentsAndUsesEveryTest) {
  const char text[4] = {'a', 0, 'b', 0};
  int32_t result = 5;
  EXPECT_EQ(TestTextUnicode(text, 0, &result), RC_BAD_ARG);
  EXPECT_EQ(TestTextUnicode(text, 0x80000000u, &result), RC_BAD_ARG);
  EXPECT_EQ(result, 5);
  EXPECT_EQ(TestTextUnicode(text, 4, &result), RC_OK);
  EXPECT_EQ(result, 1);
  EXPECT_FALSE(FakeModules.textUnicodeMaskGiven);
}

}  // namespace
