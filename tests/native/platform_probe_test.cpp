#include <gtest/gtest.h>
#include "app/platform_probe.h"
#include "tests/fakes/fake_platform_services.h"

namespace {

const uint32_t CC470 = 0x00040046, CC471 = 0x00040047, CC579 = 0x0005004F, CC580 = 0x00050050,
               CC581 = 0x00050051, CC600 = 0x00060000;

TEST(PlatformProbe, ClassifiesEveryKnownVersionAndNothingElse) {
  struct Case {
    uint32_t id, major, minor, cc, cls;
  } cases[] = {
      {2, 3, 51, 0, PC_NT3},         {2, 4, 0, 0, PC_NT4},          {2, 4, 7, 0, PC_NT4},
      {2, 5, 0, 0, PC_NT50},         {2, 5, 1, 0, PC_NT51},         {2, 5, 2, 0, PC_NT52},
      {2, 5, 3, 0, PC_UNKNOWN},      {2, 6, 0, 0, PC_UNKNOWN},      {2, 10, 0, 0, PC_UNKNOWN},
      {2, 2, 0, 0, PC_UNKNOWN},      {1, 4, 10, 0, PC_WIN98},       {1, 4, 90, 0, PC_WINME},
      {1, 5, 10, 0, PC_WIN98},       {1, 4, 20, 0, PC_UNKNOWN},     {1, 4, 0, CC470, PC_WIN95},
      {1, 4, 0, CC471, PC_WIN95_CC471}, {1, 4, 0, CC579, PC_WIN95_CC471},
      {1, 4, 0, CC580, PC_WIN95_CC580}, {1, 4, 0, CC581, PC_WIN95_CC580},
      {1, 4, 0, CC600, PC_WIN95_CC580}, {1, 4, 0, 0, PC_UNKNOWN},
      {0, 4, 0, CC581, PC_UNKNOWN},  {3, 5, 1, 0, PC_UNKNOWN},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ClassifyPlatform(c.id, c.major, c.minor, c.cc), c.cls)
        << c.id << " " << c.major << "." << c.minor << " cc " << std::hex << c.cc;
}

TEST(PlatformProbe, PacksOnlyTheLow16BitsOfEachPart) {
  EXPECT_EQ(PackModuleVersion(5, 80), 0x00050050u);
  EXPECT_EQ(PackModuleVersion(4, 71), 0x00040047u);
  EXPECT_EQ(PackModuleVersion(0x12345, 0xABCDE), 0x2345BCDEu);
}

class ProbeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FakeModules.Reset();
    LastPlatformClass = 0x7777;
  }
  void TearDown() override { EXPECT_EQ(FakeModules.loaded, 0) << "module left loaded"; }
};

TEST_F(ProbeTest, StoresTheClassInBothPlaces) {
  FakeModules.platformId = 2, FakeModules.major = 5, FakeModules.minor = 1;
  uint32_t cls = 99;
  EXPECT_EQ(ProbePlatform(&cls), RC_OK);
  EXPECT_EQ(cls, PC_NT51);
  EXPECT_EQ(LastPlatformClass, PC_NT51);
  // NT never asks for the common controls.
  EXPECT_TRUE(FakeModules.loadRequests.empty());

  FakeModules.major = 6, FakeModules.minor = 0;
  EXPECT_EQ(ProbePlatform(nullptr), RC_OK);
  EXPECT_EQ(LastPlatformClass, PC_UNKNOWN);  // unknown is still a success
}

TEST_F(ProbeTest, GradesWindows95ByItsCommonControls) {
  FakeModules.platformId = 1, FakeModules.major = 4, FakeModules.minor = 0;
  FakeModules.dllMajor = 4, FakeModules.dllMinor = 71;
  uint32_t cls = 0;
  EXPECT_EQ(ProbePlatform(&cls), RC_OK);
  EXPECT_EQ(cls, PC_WIN95_CC471);
  EXPECT_EQ(FakeModules.loadRequests, std::vector<std::string>{"comctl32.dll"});
}

TEST_F(ProbeTest, FailuresLeaveZeroAndKeepTheLastClass) {
  struct Case {
    const char* what;
    void (*arrange)();
  } cases[] = {
      {"version refused", [] { FakeModules.versionFails = true; }},
      {"no comctl32", [] { FakeModules.modules.erase("comctl32.dll"); }},
      {"no DllGetVersion", [] { FakeModules.RemoveExport("comctl32.dll", "DllGetVersion"); }},
      {"negative result", [] { FakeModules.dllResult = -2147467259L; }},
      {"version 0.0", [] { FakeModules.dllMajor = 0, FakeModules.dllMinor = 0; }},
  };
  for (const Case& c : cases) {
    FakeModules.Reset();
    FakeModules.platformId = 1, FakeModules.major = 4, FakeModules.minor = 0;
    LastPlatformClass = PC_WIN98;
    c.arrange();
    uint32_t cls = 99;
    EXPECT_EQ(ProbePlatform(&cls), RC_FAILED) << c.what;
    EXPECT_EQ(cls, 0u) << c.what;
    EXPECT_EQ(LastPlatformClass, PC_WIN98) << c.what;
    EXPECT_EQ(FakeModules.loaded, 0) << c.what;
  }
}

TEST_F(ProbeTest, QueryDllVersionChecksItsArgumentsFirst) {
  uint32_t v = 1234;
  EXPECT_EQ(QueryDllVersion("", &v), RC_BAD_ARG);
  EXPECT_EQ(QueryDllVersion(nullptr, &v), RC_BAD_ARG);
  EXPECT_EQ(v, 1234u);
  EXPECT_EQ(QueryDllVersion("comctl32.dll", nullptr), RC_BAD_ARG);
  EXPECT_TRUE(FakeModules.loadRequests.empty());
}

TEST_F(ProbeTest, QueryDllVersionPassesAClearedRecordAndReleasesTheModule) {
  FakeModules.dllMajor = 0x10006, FakeModules.dllMinor = 0x20001;
  uint32_t v = 0;
  EXPECT_EQ(QueryDllVersion("comctl32.dll", &v), RC_OK);
  EXPECT_EQ(v, 0x00060001u);
  EXPECT_EQ(FakeModules.dllSizeSeen, 20u);
  EXPECT_TRUE(FakeModules.dllRecordWasZero);
  EXPECT_EQ(FakeModules.frees, 1);

  // A failing module gives 0, not whatever was there before.
  FakeModules.dllResult = -1;
  v = 77;
  EXPECT_EQ(QueryDllVersion("comctl32.dll", &v), RC_FAILED);
  EXPECT_EQ(v, 0u);
  v = 77;
  EXPECT_EQ(QueryDllVersion("missing.dll", &v), RC_FAILED);
  EXPECT_EQ(v, 0u);
}

}  // namespace
